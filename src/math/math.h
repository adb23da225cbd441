#pragma once
// The engine's linear algebra, in single precision. Row vectors are multiplied
// on the left (p * M), matrices are row-major with the translation in the
// fourth row, projection is left-handed with depth 0..1, and rotation angles
// are radians except the field of view and the camera roll (degrees).

#include "math/vector.h"        // cVector: points and directions, VectorLength, VectorNormalize
#include "math/matrix.h"        // cMatrix and its builders: rotations, inverses, projection, camera
#include "math/quaternion.h"    // cQuaternion: axis-angle, exponential, slerp, squad
#include "math/matrix_stack.h"  // cMatrixStack: nested transforms of a hierarchy
