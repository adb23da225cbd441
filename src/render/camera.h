#pragma once
// The one camera: an eye and the point it looks at.

#include "math/vector.h"

class cCamera {
public:
    cCamera(cVector eye, cVector target);
    void Set(cVector eye, cVector target);

    cVector eye;
    cVector target;
    cVector eyeCopy;
};
