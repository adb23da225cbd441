#include "object_mesh.h"

#include <algorithm>

std::uint32_t ObjectMesh::AddVertex(const cVector& position, float u, float v)
{
    vertices.push_back({position, u, v});
    return static_cast<std::uint32_t>(vertices.size() - 1);
}

void ObjectMesh::AddFaceFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, const cVector& outward)
{
    ObjectFace face{a, b, c};
    if (Dot(FaceCross(face), outward) > 0.0f) {
        std::swap(face[1], face[2]);
    }
    faces.push_back(face);
}

void ObjectMesh::AddQuadFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                               const cVector& outward)
{
    AddFaceFacing(a, b, c, outward);
    AddFaceFacing(a, c, d, outward);
}

void ObjectMesh::Append(const ObjectMesh& other)
{
    const auto offset = static_cast<std::uint32_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const ObjectFace& face : other.faces) {
        faces.push_back({face[0] + offset, face[1] + offset, face[2] + offset});
    }
}

cVector ObjectMesh::FaceCross(const ObjectFace& face) const
{
    const cVector& a = vertices[face[0]].position;
    return Cross(vertices[face[1]].position - a, vertices[face[2]].position - a);
}

ObjectBounds ObjectMesh::Bounds() const
{
    ObjectBounds bounds;
    if (vertices.empty()) return bounds;
    bounds.min = bounds.max = vertices.front().position;
    for (const ObjectVertex& vertex : vertices) {
        const cVector& p = vertex.position;
        bounds.min = {std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y), std::min(bounds.min.z, p.z)};
        bounds.max = {std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y), std::max(bounds.max.z, p.z)};
    }
    return bounds;
}
