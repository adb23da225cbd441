#pragma once
// Where an object stands in the world: the renderer builds its world matrix
// from position, rotation and a uniform scale; effects turn it with Spin.

#include "math/vector.h"

class cObjectPlacement {
public:
    // Angles in degrees, stored in radians.
    void SetRotation(float x, float y, float z);
    void SetRotationSpeed(float x, float y, float z);

    // rotation += rotationSpeed, once per call.
    void Spin();

    cVector position{0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    cVector rotation{0.0f, 0.0f, 0.0f}; // radians about x, y and z
    cVector rotationSpeed{0.1f, 0.1f, 0.1f};
};
