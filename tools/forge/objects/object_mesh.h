#pragma once
// A mesh as the object files hold it: positions with texture coordinates,
// and triangles of three vertex indices.
//
// Winding: every face turns counter-clockwise when seen from outside on a
// Direct3D screen, so the effects' D3DCULL_CW removes the far side. The cross
// product (b - a) x (c - a) of a face (a, b, c) therefore points into the
// solid, and so do the normals cObject::ComputeNormals makes from it; the
// effects' lights are aimed for those normals.

#include <array>
#include <cstdint>
#include <vector>

#include "math/math.h"

struct ObjectVertex {
    cVector position;
    float u = 0.0f;
    float v = 0.0f;
};

using ObjectFace = std::array<std::uint32_t, 3>;

inline cVector Cross(const cVector& a, const cVector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float Dot(const cVector& a, const cVector& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct ObjectBounds {
    cVector min;
    cVector max;
};

struct ObjectMesh {
    std::vector<ObjectVertex> vertices;
    std::vector<ObjectFace> faces;

    std::uint32_t AddVertex(const cVector& position, float u = 0.0f, float v = 0.0f);
    // Winds (a, b, c) so that the face shows the side `outward` points to.
    void AddFaceFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, const cVector& outward);
    // Two faces a-b-c and a-c-d, each wound to show the `outward` side.
    void AddQuadFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, const cVector& outward);
    // Adds the other mesh's vertices and faces after this one's.
    void Append(const ObjectMesh& other);

    cVector FaceCross(const ObjectFace& face) const; // (b - a) x (c - a)
    ObjectBounds Bounds() const;
};
