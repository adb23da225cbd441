#pragma once
// Turns a point by three angles in degrees: about X, then Y, then Z. Several
// effects place their geometry with it; the intermediate z and x are kept as
// 32-bit floats, which the placements were tuned with.

#include "math/vector.h"

cVector RotatePoint(float x, float y, float z, float angleX, float angleY, float angleZ);
