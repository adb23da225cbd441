#pragma once
// A cage of thin struts along the edges of a geodesic sphere: what fx01 draws
// as its "wire" object, lit and flat-shaded as solid triangles around the
// blob. Each strut is a closed square tube with pointed ends that fill the
// joints.

#include "object_mesh.h"

ObjectMesh WireCage(int frequency, float radius, float strutHalfWidth);
