#pragma once
// An axis-aligned box centred on the origin. Each side has its own four
// vertices, so it shades flat, and its own 0..1 texture square.

#include "object_mesh.h"

ObjectMesh Box(const cVector& halfSize);
