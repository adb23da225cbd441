#pragma once
// A square pyramid standing on the y = 0 plane, apex up. Each face has its
// own vertices so the sides shade flat; the sides' texture runs from the apex
// (v = 0) down to the base.

#include "object_mesh.h"

ObjectMesh Pyramid(float baseHalfWidth, float height);
