#include "mesh_normals.h"

#include <cstring>
#include <map>
#include <tuple>

namespace {

using PositionKey = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

std::uint32_t Bits(float value)
{
    value += 0.0f; // -0 and +0 are one position
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

PositionKey KeyOf(const cVector& p)
{
    return {Bits(p.x), Bits(p.y), Bits(p.z)};
}

} // namespace

std::vector<cVector> SmoothOutwardNormals(const ObjectMesh& mesh)
{
    std::map<PositionKey, cVector> sums;
    for (const ObjectFace& face : mesh.faces) {
        // The face cross product points inwards (object_mesh.h).
        const cVector outward = -mesh.FaceCross(face);
        for (std::uint32_t index : face) {
            sums[KeyOf(mesh.vertices[index].position)] += outward;
        }
    }
    std::vector<cVector> normals;
    normals.reserve(mesh.vertices.size());
    for (const ObjectVertex& vertex : mesh.vertices) {
        const cVector sum = sums[KeyOf(vertex.position)];
        const float length = VectorLength(sum);
        normals.push_back(length > 0.0f ? sum * (1.0f / length) : cVector(0.0f, 1.0f, 0.0f));
    }
    return normals;
}
