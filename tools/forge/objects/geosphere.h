#pragma once
// A geodesic sphere: an icosahedron whose faces are cut into frequency²
// triangles, pushed out onto the sphere. 10 f² + 2 vertices, 20 f² faces,
// evenly spread and without poles, so smooth normals have no seam; u, v are
// the longitude and latitude.

#include "object_mesh.h"

ObjectMesh Geosphere(int frequency, float radius);

// Every edge of a mesh once, as pairs of vertex indices (lower index first).
std::vector<std::array<std::uint32_t, 2>> MeshEdges(const ObjectMesh& mesh);
