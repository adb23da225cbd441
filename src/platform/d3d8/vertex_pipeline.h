#pragma once
// Software vertex processing, as Direct3D 8's does it: blending, tweening,
// world/view/projection, per-vertex lighting, texture-coordinate generation
// and transforms, the fog factor and the point size. Runs on the CPU.

#include <cstdint>
#include <vector>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/vertex_layout.h"

struct ProcessedVertex {
    // Direct3D clip space: x, y in -w..w, z in 0..w. Pre-transformed vertices
    // are brought back to this space from their screen position and rhw, so
    // that the viewport's mapping gives back their x, y and z exactly.
    float position[4];
    float diffuse[4]; // red, green, blue, alpha in 0..1
    float specular[4];
    float fog; // 1: no fog, 0: all fog colour
    float pointSize; // in render-target pixels, clamped
    float texCoords[D3D_STAGE_COUNT][4]; // per texture stage, after generation and transform
};

// The bytes of each bound stream, with their size so reads stay in bounds.
struct VertexStreams {
    const std::uint8_t* data[D3D_STREAM_COUNT] = {};
    UINT size[D3D_STREAM_COUNT] = {};
    UINT stride[D3D_STREAM_COUNT] = {};
};

// Processes vertices first .. first + count - 1 of the streams into `out`
// (replacing its contents). False, with nothing processed, when any of them
// lies past the end of a stream.
bool ProcessVertices(const DeviceState& state, const VertexLayout& layout, const VertexStreams& streams,
                     UINT first, UINT count, std::vector<ProcessedVertex>& out);
