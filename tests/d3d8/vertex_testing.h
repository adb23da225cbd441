#pragma once
// Builds vertices byte by byte and runs them through the vertex pipeline.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/d3d8/vertex_pipeline.h"

namespace vertex_testing {

// One vertex's bytes, appended in order.
struct VertexBytes {
    std::vector<std::uint8_t> bytes;
    VertexBytes& Floats(std::initializer_list<float> values)
    {
        for (float value : values) Dword(AsBits(value));
        return *this;
    }
    VertexBytes& Dword(DWORD value)
    {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        return *this;
    }
};

// A 0x112 vertex: position, normal, u, v.
inline VertexBytes Lit(float x, float y, float z, float nx, float ny, float nz)
{
    return VertexBytes().Floats({x, y, z, nx, ny, nz, 0, 0});
}

inline const DWORD kTweenDeclaration[] = {D3DVSD_STREAM(0),
                                          D3DVSD_REG(D3DVSDE_POSITION, D3DVSDT_FLOAT3),
                                          D3DVSD_REG(D3DVSDE_NORMAL, D3DVSDT_FLOAT3),
                                          D3DVSD_REG(D3DVSDE_TEXCOORD0, D3DVSDT_FLOAT2),
                                          D3DVSD_STREAM(1),
                                          D3DVSD_REG(D3DVSDE_POSITION2, D3DVSDT_FLOAT3),
                                          D3DVSD_REG(D3DVSDE_NORMAL2, D3DVSDT_FLOAT3),
                                          D3DVSD_SKIP(2),
                                          D3DVSD_END()};

// The back buffer's 640 x 480 viewport.
inline DeviceState TestState()
{
    DeviceState state;
    state.viewport = {0, 0, 640, 480, 0.0f, 1.0f};
    return state;
}

inline VertexStreams OneStream(const std::vector<std::uint8_t>& bytes, UINT stride)
{
    VertexStreams streams;
    streams.data[0] = bytes.data();
    streams.size[0] = static_cast<UINT>(bytes.size());
    streams.stride[0] = stride;
    return streams;
}

// Vertices of one FVF, packed at its stride in stream 0.
inline std::vector<ProcessedVertex> ProcessFvf(const DeviceState& state, DWORD fvf,
                                               std::initializer_list<VertexBytes> vertices)
{
    VertexLayout layout;
    EXPECT_TRUE(LayoutFromFvf(fvf, &layout));
    std::vector<std::uint8_t> bytes;
    for (const VertexBytes& vertex : vertices) bytes.insert(bytes.end(), vertex.bytes.begin(), vertex.bytes.end());
    EXPECT_EQ(bytes.size(), layout.fvfStride * vertices.size());
    std::vector<ProcessedVertex> out;
    const auto count = static_cast<UINT>(vertices.size());
    EXPECT_TRUE(ProcessVertices(state, layout, OneStream(bytes, layout.fvfStride), 0, count, out));
    return out;
}

inline D3DMATRIX Transform(float scale, float x, float y, float z)
{
    D3DMATRIX m{};
    m.m[0][0] = m.m[1][1] = m.m[2][2] = scale;
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    m.m[3][3] = 1;
    return m;
}

inline void ExpectFour(const float* actual, float x, float y, float z, float w, float tolerance = 1e-5f)
{
    const float expected[4] = {x, y, z, w};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

} // namespace vertex_testing
