#include <gtest/gtest.h>

#include <numbers>

#include "platform/d3dx8/sprite_quad.h"

namespace {

void ExpectCorner(const SpriteVertex& vertex, float x, float y, float u, float v)
{
    EXPECT_NEAR(vertex.x, x, 1e-4f);
    EXPECT_NEAR(vertex.y, y, 1e-4f);
    EXPECT_NEAR(vertex.u, u, 1e-6f);
    EXPECT_NEAR(vertex.v, v, 1e-6f);
}

} // namespace

TEST(SpriteQuad, RotatesAboutTheCentreInScaledCoordinates)
{
    // A 2x2 sprite scaled to 4x4 and turned half round (2, 2), the middle of
    // the scaled sprite, lands on itself with its corners swapped.
    const D3DXVECTOR2 scaling(2, 2), centre(2, 2), translation(10, 20);
    auto quad = BuildSpriteQuad(2, 2, nullptr, &scaling, &centre, std::numbers::pi_v<float>, &translation, 0);
    ExpectCorner(quad[0], 13.5f, 23.5f, 0, 0);
    ExpectCorner(quad[3], 9.5f, 19.5f, 1, 1);

    // A quarter turn takes +x towards -y and +y towards +x: counter-clockwise
    // on the screen.
    quad = BuildSpriteQuad(2, 2, nullptr, nullptr, nullptr, std::numbers::pi_v<float> / 2, nullptr, 0);
    ExpectCorner(quad[1], -0.5f, -2.5f, 1, 0);
    ExpectCorner(quad[2], 1.5f, -0.5f, 0, 1);
}

TEST(SpriteQuad, SourceRectanglesSelectTexelsAndMayRunPastTheEdge)
{
    const RECT part = {16, 8, 48, 24};
    auto quad = BuildSpriteQuad(64, 32, &part, nullptr, nullptr, 0.0f, nullptr, 0xFF00FF00);
    ExpectCorner(quad[0], -0.5f, -0.5f, 0.25f, 0.25f);
    ExpectCorner(quad[3], 31.5f, 15.5f, 0.75f, 0.75f);
    EXPECT_EQ(quad[2].color, 0xFF00FF00u);

    const RECT wide = {896, 0, 1024, 30};
    quad = BuildSpriteQuad(1000, 32, &wide, nullptr, nullptr, 0.0f, nullptr, 0);
    ExpectCorner(quad[3], 127.5f, 29.5f, 1.024f, 30.0f / 32.0f);
}
