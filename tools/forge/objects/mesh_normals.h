#pragma once
// Smooth outward vertex normals for meshes whose files store normals (the
// scene's). Vertices at the same position share one normal, so a texture seam
// made of duplicated vertices does not show as a crease. Faces weigh in by
// their area.

#include <vector>

#include "object_mesh.h"

std::vector<cVector> SmoothOutwardNormals(const ObjectMesh& mesh);
