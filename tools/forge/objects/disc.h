#pragma once
// A flat round disc in the xy plane, facing -z (towards the effects'
// cameras), made of rings around a centre vertex. u, v map the disc onto the
// texture square, so a round picture fills it.

#include "object_mesh.h"

ObjectMesh Disc(float radius, int rings, int segments);
