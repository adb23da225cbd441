#pragma once
// Reading vertex elements out of the bound streams. Every range is checked
// once, when the elements are bound, so the per-vertex reads need no checks.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/d3d8/pipeline_math.h"
#include "platform/d3d8/vertex_pipeline.h"

// One element of vertices first .. first + count - 1: where the first one
// lies and how far apart they are.
struct BoundElement {
    const std::uint8_t* first = nullptr;
    std::size_t stride = 0;
    DWORD type = D3DVSDT_FLOAT3;

    bool Present() const { return first != nullptr; }
    const std::uint8_t* At(UINT vertex) const { return first + vertex * stride; }
};

// Binds an element of `size` bytes; a missing element binds as absent. False
// when any of the vertices' bytes lie outside the stream.
bool BindElement(const VertexElement& element, UINT size, const VertexStreams& streams, UINT first, UINT count,
                 BoundElement* bound);

inline float LoadFloat(const std::uint8_t* bytes)
{
    float value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline Vec3 LoadVec3(const std::uint8_t* bytes)
{
    Vec3 value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// An element as four floats. Components the type does not carry read as
// Direct3D's register defaults (0, 0, 0, 1); a D3DCOLOR reads as red, green,
// blue, alpha in 0..1.
void LoadElement(const std::uint8_t* bytes, DWORD type, float out[4]);

// A D3DCOLOR (A8R8G8B8, blue in the lowest byte) as red, green, blue, alpha.
void LoadColor(const std::uint8_t* bytes, float out[4]);
