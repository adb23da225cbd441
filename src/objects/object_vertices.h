#pragma once
// The vertices objects keep in system memory and copy unchanged into their
// device buffers.

#include <cstddef>
#include <cstdint>
#include <limits>

#include "platform/d3d8/d3d8_types.h"

// A mesh vertex: position, normal, one pair of texture coordinates.
struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
inline constexpr DWORD meshVertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
static_assert(sizeof(MeshVertex) == 32);

// A point sprite: position, point size and colour.
struct SpriteVertex {
    float x, y, z;
    float size;
    D3DCOLOR color;
};
inline constexpr DWORD spriteVertexFvf = D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE;
static_assert(sizeof(SpriteVertex) == 20);

// The byte length of a device buffer of `count` entries; a length too large
// for the device comes out as 0, which the device refuses.
inline UINT DeviceBufferLength(std::uint32_t count, std::size_t entrySize)
{
    const std::uint64_t length = static_cast<std::uint64_t>(count) * entrySize;
    return length > std::numeric_limits<UINT>::max() ? 0 : static_cast<UINT>(length);
}
