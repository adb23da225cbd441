#include "effects/wave_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/render.h"
#include "support/random.h"

namespace {

cWaveMesh* MakeMesh()
{
    g_render = nullptr; // the mesh's numbers only
    RandomSeed(1);
    return new cWaveMesh(64, 48, 1.0f, 0.75f);
}

} // namespace

TEST(WaveMesh, IsACentredGridOfTenUnitCells)
{
    cWaveMesh* wave = MakeMesh();
    ASSERT_EQ(wave->mesh->vertices.size(), 64u * 48u);
    EXPECT_EQ(wave->triangleCount, 2u * 63u * 47u);
    const MeshVertex& first = wave->mesh->vertices.front();
    const MeshVertex& last = wave->mesh->vertices.back();
    EXPECT_FLOAT_EQ(first.x, -315.0f);
    EXPECT_FLOAT_EQ(first.y, -235.0f);
    EXPECT_FLOAT_EQ(last.x, 315.0f);
    EXPECT_FLOAT_EQ(last.y, 235.0f);
    EXPECT_FLOAT_EQ(first.v, 0.75f);
    EXPECT_FLOAT_EQ(last.u, 63.0f / 64.0f);
    // The first cell's two triangles.
    const std::vector<std::uint16_t> cell(wave->mesh->indices.begin(), wave->mesh->indices.begin() + 6);
    EXPECT_EQ(cell, (std::vector<std::uint16_t>{0, 1, 65, 65, 64, 0}));
    // Only inner vertices swirl; their amplitude is 10..19.
    EXPECT_EQ(wave->swirl[0].amp, 0.0f);
    EXPECT_GE(wave->swirl[65].amp, 10.0f);
    EXPECT_LE(wave->swirl[65].amp, 19.0f);
    delete wave;
}

TEST(WaveMesh, TheRippleRaisesVerticesAndNeverLowersThoseItLeaves)
{
    cWaveMesh* wave = MakeMesh();
    g_waveRipple = WaveRipple{};
    std::vector<float> highest(wave->vertexCount, 0.0f);
    for (int frame = 0; frame < 400; ++frame) {
        // What Update does to the centres, without a device to draw on.
        for (int k = 0; k < 2; ++k) {
            g_waveRipple.angles[k] += 1.0f;
            const float radians = g_waveRipple.angles[k] * 3.14159265f / 180.0f;
            g_waveRipple.centreX[k] = 32.0f + 10.0f * std::cos(radians);
            g_waveRipple.centreY[k] = 24.0f - 10.0f * std::sin(radians);
        }
        const std::vector<MeshVertex> before = wave->mesh->vertices;
        wave->Ripple(static_cast<float>(frame) * 17.0f);
        for (unsigned i = 0; i < wave->vertexCount; ++i) {
            const MeshVertex& v = wave->mesh->vertices[i];
            const unsigned col = i % 64, row = i / 64;
            const float dx = static_cast<float>(col) - g_waveRipple.centreX[0];
            const float dy = static_cast<float>(row) - g_waveRipple.centreY[0];
            const bool inside = col > 0 && col < 63 && row > 0 && row < 47 && dx * dx + dy * dy < 400.0f;
            if (!inside) {
                EXPECT_EQ(v.z, before[i].z) << "vertex " << i << " frame " << frame;
            }
            EXPECT_GE(v.z, 0.0f);
            EXPECT_LE(v.z, 600.0f);
            highest[i] = std::max(highest[i], v.z);
        }
    }
    // The peak of the wave at the centre reaches close to 20 x 2 x 15.
    EXPECT_GT(*std::max_element(highest.begin(), highest.end()), 500.0f);
    // Corners stay flat.
    EXPECT_EQ(highest[0], 0.0f);
    delete wave;
}
