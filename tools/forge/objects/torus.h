#pragma once
// A ring around the y axis, lying in the xz plane: `rings` steps around the
// ring, `sides` around the tube, whose cross-section may be flattened
// (`tubeHeight` / `tubeWidth`). u runs around the ring, v around the tube;
// the seams repeat their vertices so a texture wraps cleanly.

#include "object_mesh.h"

ObjectMesh Torus(float ringRadius, float tubeWidth, float tubeHeight, int rings, int sides);
