#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/grid.h"
#include "render/renderer_fixture.h"

namespace {

// Expected values below are worked out by hand (or a calculator) from the
// mode formulas for a 640x480 grid of 16-pixel cells: 42 x 32 vertices.
class Grid : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        ASSERT_TRUE(grid.Init(render, 640, 480, 16));
    }

    ScreenVertex& Display(unsigned col, unsigned row) { return grid.displayVertices[row * grid.cols + col]; }
    ScreenVertex& Static(unsigned col, unsigned row) { return grid.staticVertices[row * grid.cols + col]; }

    fx grid;
};

TEST_F(Grid, InitBuildsAGridOverhangingByTwoCells)
{
    EXPECT_EQ(grid.cols, 42u);
    EXPECT_EQ(grid.rows, 32u);
    EXPECT_EQ(grid.triangleCount, 2542u);
    const ScreenVertex& vertex = Display(41, 31);
    EXPECT_EQ(vertex.x, 656.0f);
    EXPECT_EQ(vertex.y, 496.0f);
    EXPECT_FLOAT_EQ(vertex.u, 41.0f / 42.0f);
    EXPECT_FLOAT_EQ(vertex.v, 31.0f / 32.0f);
    EXPECT_EQ(vertex.diffuse, 0x00FFFFFFu);
    // The last cell's two triangles.
    const WORD* last = grid.indices + 3 * (grid.triangleCount - 2);
    const WORD i = 30 * 42 + 40;
    const WORD expected[6] = {i, WORD(i + 1), WORD(i + 43), i, WORD(i + 43), WORD(i + 42)};
    EXPECT_EQ(std::memcmp(last, expected, sizeof expected), 0);
}

TEST_F(Grid, InitFailsWithoutADevice)
{
    cRender noDevice;
    fx unusable;
    EXPECT_FALSE(unusable.Init(&noDevice, 640, 480, 16));
}

TEST_F(Grid, SpiralMapAtOneVertex)
{
    grid.Update(0, 0.0f);
    // dx = -180.5, dy = -172.5: w = 4640453.47, k = 2265, m = 27.
    EXPECT_FLOAT_EQ(Static(10, 5).u, 2265.0f / 256.0f - 8.0f);
    EXPECT_FLOAT_EQ(Static(10, 5).v, 27.0f / 256.0f);
    EXPECT_EQ(Static(10, 5).diffuse, 0xFFFFFFFFu);
}

TEST_F(Grid, PolarMapCentreCornerAndWrapAround)
{
    grid.Update(2, 0.0f);
    // The centre (dx = dy = 0) is taken as dx = 1: atan2(1, 0) = pi/2 gives
    // 192; rho = 1/400 gives trunc(239.4) = 239.
    EXPECT_FLOAT_EQ(Static(30, 15).u, 192.0f / 255.0f);
    EXPECT_FLOAT_EQ(Static(30, 15).v, 239.0f / 255.0f);
    // Top-left: rho = 1.342, 240 - 322 = -81 wraps to 65455.
    EXPECT_FLOAT_EQ(Static(0, 0).u, 45.0f / 255.0f);
    EXPECT_FLOAT_EQ(Static(0, 0).v, 65455.0f / 255.0f);
    EXPECT_FLOAT_EQ(Static(41, 31).u, 152.0f / 255.0f);
    EXPECT_FLOAT_EQ(Static(41, 31).v, 53.0f / 255.0f);
}

TEST_F(Grid, OneShotModesComputeOncePerEntry)
{
    grid.Update(2, 0.0f);
    Static(0, 0).u = 42.0f;
    grid.Update(2, 1000.0f);
    EXPECT_EQ(Static(0, 0).u, 42.0f) << "the same one-shot mode again computes nothing";
    grid.Update(9, 0.0f);
    grid.Update(2, 0.0f);
    EXPECT_FLOAT_EQ(Static(0, 0).u, 45.0f / 255.0f) << "returning to the mode computes it again";

    // 4 and 8 are the same map, but a switch between them is still a switch.
    grid.Update(4, 0.0f);
    ScreenVertex* hit = nullptr;
    for (unsigned i = 0; i < grid.cols * grid.rows && hit == nullptr; ++i) {
        if (grid.staticVertices[i].diffuse == 0xFFFFFFFF && grid.staticVertices[i].u < 1.0f)
            hit = &grid.staticVertices[i];
    }
    ASSERT_NE(hit, nullptr);
    const float u = hit->u;
    hit->u = 42.0f;
    grid.Update(8, 0.0f);
    EXPECT_EQ(hit->u, u);

    // Above 10: the mode is taken, nothing is computed.
    const ScreenVertex before = Display(7, 7);
    grid.Update(11, 0.0f);
    EXPECT_EQ(grid.mode, 11u);
    EXPECT_EQ(std::memcmp(&Display(7, 7), &before, sizeof before), 0);
}

TEST_F(Grid, VortexWritesOnlyTheVerticesItHits)
{
    grid.Update(8, 0.0f);
    unsigned hits = 0;
    for (unsigned row = 0; row < grid.rows; ++row) {
        for (unsigned col = 0; col < grid.cols; ++col) {
            const ScreenVertex& vertex = Static(col, row);
            if (vertex.diffuse == 0xFFFFFFFF) {
                ++hits;
                EXPECT_GE(vertex.u, 0.0f);
                EXPECT_LT(vertex.u, 1.0f);
            } else {
                // Untouched: still the plain grid it started as.
                EXPECT_FLOAT_EQ(vertex.u, float(col) / 42.0f);
                EXPECT_EQ(vertex.diffuse, 0x00FFFFFFu);
            }
        }
    }
    EXPECT_GT(hits, 100u);
    EXPECT_LT(hits, grid.cols * grid.rows);
}

TEST_F(Grid, AnimateScrollsTheStaticMap)
{
    grid.Update(9, 0.0f);
    grid.speed = 0.5f;
    grid.Animate(100.0f, false);
    // Inversion map at (0, 0): x = -320, y = -240, f = 23040 / 160000.
    EXPECT_FLOAT_EQ(Static(0, 0).u, -46.0f / 256.0f);
    EXPECT_FLOAT_EQ(Static(0, 0).v, -34.0f / 256.0f);
    EXPECT_FLOAT_EQ(Display(0, 0).u, -46.0f / 256.0f + 0.15f);
    EXPECT_FLOAT_EQ(Display(0, 0).v, -34.0f / 256.0f + 0.05f);
    EXPECT_EQ(Display(0, 0).diffuse, 0xFFFFFFFFu);
}

TEST_F(Grid, RippleTurnsItsTablesAndLagsItsPhases)
{
    const BYTE first[4] = {grid.sineA[0], grid.sineA[1], grid.sineA[2], grid.sineA[3]};
    EXPECT_EQ(first[0], 28);
    EXPECT_EQ(grid.sineA[64], 56);

    grid.Update(5, 10.0f);
    EXPECT_EQ(grid.sineA[0], first[1]);
    EXPECT_EQ(grid.sineA[255], first[0]);
    EXPECT_EQ(grid.sineB[0], first[1]);
    EXPECT_EQ(grid.sineB[255], first[1]) << "B's new last entry is A's new first";
    // Drawn with the phases 135 and 35, then moved on to the time.
    EXPECT_FLOAT_EQ(Display(0, 0).u, -0.140625f);
    EXPECT_FLOAT_EQ(Display(0, 0).v, 0.390625f);
    EXPECT_FLOAT_EQ(Display(7, 3).u, 7.0f / 42.0f - 0.3359375f);
    EXPECT_EQ(grid.rippleP, 145);
    EXPECT_EQ(grid.rippleQ, 75);

    grid.Update(5, 10.0f);
    EXPECT_EQ(grid.sineB[254], first[1]);
    EXPECT_EQ(grid.sineB[255], first[2]);
    EXPECT_FLOAT_EQ(Display(0, 0).u, -0.1484375f);
    EXPECT_FLOAT_EQ(Display(7, 3).v, 0.5234375f);
}

TEST_F(Grid, WobbleDrawsWithThePreviousCallsParameters)
{
    grid.Update(7, 1000.0f);
    // First call: every parameter still 0.
    EXPECT_FLOAT_EQ(Display(5, 3).u, 20.0f / 256.0f);
    EXPECT_FLOAT_EQ(Display(5, 3).v, 9.0f / 256.0f);
    EXPECT_NEAR(grid.wobbleP0, -2.1029973f, 1e-6);
    EXPECT_NEAR(grid.wobbleB, -1.9794742f, 1e-6);
    EXPECT_NEAR(grid.wobbleAngle, 0.24f, 1e-6);

    grid.Update(7, 5000.0f);
    // Second call: the parameters of t = 1000.
    EXPECT_NEAR(Display(5, 3).u, -0.0250831, 1e-6);
    EXPECT_NEAR(Display(5, 3).v, -0.2614878, 1e-6);
}

// Angles a, b, c about x, y and z with sa = sin a, ca = cos a, and so on:
//   row 0 = (sc sb sa + cc ca, sc cb, sa cc - sb sc ca)
//   row 1 = (sa sb cc - sc ca, cc cb, -(sb cc ca) - sa sc)
//   row 2 = (-(sa cb), sb, cb ca)
// a = 30, b = 60, c = 0: sa = 0.5, ca = sb = 0.8660254, cb = 0.5, sc = 0, cc = 1.
// a = 90, b = 30, c = 90: sa = sc = 1, ca = cc = 0, sb = 0.5, cb = 0.8660254.
TEST_F(Grid, TheSharedRotationTurnsByRateTimesSpeedTimesTimeAboutEachAxis)
{
    const auto expectRow = [](int row, float x, float y, float z) {
        EXPECT_NEAR(g_gridRotation[row][0], x, 1e-6f) << "row " << row;
        EXPECT_NEAR(g_gridRotation[row][1], y, 1e-6f) << "row " << row;
        EXPECT_NEAR(g_gridRotation[row][2], z, 1e-6f) << "row " << row;
    };
    grid.baseAngles = cVector(0.0f, 0.0f, 0.0f);
    grid.angleRates = cVector(15.0f, 30.0f, 0.0f);
    grid.speed = 0.5f;
    grid.Animate(4.0f, true); // speed x t = 2
    expectRow(0, 0.8660254f, 0.0f, 0.5f);
    expectRow(1, 0.4330127f, 0.5f, -0.75f);
    expectRow(2, -0.25f, 0.8660254f, 0.4330127f);

    grid.baseAngles = cVector(0.0f, 0.0f, 90.0f);
    grid.angleRates = cVector(45.0f, 15.0f, 0.0f);
    grid.speed = 2.0f;
    grid.Animate(1.0f, true);
    expectRow(0, 0.5f, 0.8660254f, 0.0f);
    expectRow(1, 0.0f, 0.0f, -1.0f);
    expectRow(2, -0.8660254f, 0.5f, 0.0f);
}

TEST_F(Grid, RayCastModesTurnTheirRaysWithTheSharedRotation)
{
    grid.baseAngles = cVector(0.0f, 0.0f, 0.0f);
    grid.angleRates = cVector(0.0f, 0.0f, 90.0f);
    grid.Animate(1.0f, true);
    // A quarter turn about z: (x, y, z) becomes (y, -x, z).
    EXPECT_NEAR(g_gridRotation[0][1], 1.0f, 1e-6);
    EXPECT_NEAR(g_gridRotation[1][0], -1.0f, 1e-6);
    EXPECT_NEAR(g_gridRotation[0][0], 0.0f, 1e-6);
    EXPECT_NEAR(g_gridRotation[2][2], 1.0f, 1e-6);
    // Another grid sees the same rotation.
    fx other;
    ASSERT_TRUE(other.Init(render, 640, 480, 16));

    // Floor at (25, 25): d = (0.630, -0.315, 0.709), k = -682, T3 = 30.
    other.Update(3, 2.0f);
    EXPECT_NEAR(other.displayVertices[25 * 42 + 25].u, 0.43f, 1e-5);
    EXPECT_NEAR(other.displayVertices[25 * 42 + 25].v, 0.51375f, 1e-5);
    EXPECT_EQ(other.displayVertices[25 * 42 + 25].diffuse, 0x94FFFFFFu); // 255 - 107
    EXPECT_EQ(g_gridFloorTime, 30.0f);

    // Tunnel at (30, 20): s = 271.89, |s d.z + 26| x 0.6 = 70.55, angle 90.2.
    grid.Update(10, 2.0f);
    EXPECT_FLOAT_EQ(Display(30, 20).u, 70.0f / 256.0f);
    EXPECT_FLOAT_EQ(Display(30, 20).v, 90.0f / 256.0f);
    EXPECT_EQ(Display(30, 20).diffuse, 0xFCFCFCFCu);
    // Straight down the axis the ray meets no wall: dark.
    EXPECT_FLOAT_EQ(Display(20, 15).u, 15.0f / 256.0f);
    EXPECT_EQ(Display(20, 15).diffuse, 0u);

    // Sphere at (20, 10).
    grid.Update(1, 0.0f);
    EXPECT_NEAR(Display(20, 10).u, 0.3305050f, 1e-5);
    EXPECT_NEAR(Display(20, 10).v, -1.1653227f, 1e-5);
}

TEST_F(Grid, DrawShowsTheTextureThroughTheGridAndLeavesDepthOn)
{
    // Left half red, right half blue: the plain grid maps u = x / 672.
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(render->GetDevice()->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (unsigned y = 0; y < 64; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (unsigned x = 0; x < 64; ++x)
            row[x] = x < 32 ? 0xFFFF0000 : 0xFF0000FF;
    }
    texture->UnlockRect(0);

    IDirect3DDevice8* device = render->GetDevice();
    render->SetTexture(texture, 0);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    ASSERT_TRUE(grid.Draw());
    DWORD zEnable = 0;
    device->GetRenderState(D3DRS_ZENABLE, &zEnable);
    EXPECT_EQ(zEnable, DWORD(D3DZB_TRUE));
    render->EndFrame();
    EXPECT_EQ(Pixel(100, 100) & 0x00FFFFFF, 0xFF0000u);
    EXPECT_EQ(Pixel(500, 400) & 0x00FFFFFF, 0x0000FFu);
    render->ClearTexture(0);
    texture->Release();
}

} // namespace
