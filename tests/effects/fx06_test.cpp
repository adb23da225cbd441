#include "effects/fx06.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numbers>

#include "effects/show_effect_test.h"
#include "support/random.h"

namespace {
constexpr float pi = std::numbers::pi_v<float>;
}

TEST(Fx06, TheSurfaceRadiusSumsFourPoweredWaves)
{
    EXPECT_FLOAT_EQ(fx06_Radius(0.0f, 0.0f, 0.0f), 2.0f);
    // sin^2(pi/4) + cos^4(3 pi/4) + sin^2(0) + cos^2(0): the second term's
    // fourth power tells it apart from a square.
    EXPECT_NEAR(fx06_Radius(0.0f, pi / 4.0f, 0.0f), 1.75f, 1e-5f);
    // The phase shifts the first and the last term.
    EXPECT_NEAR(fx06_Radius(0.0f, pi / 4.0f, pi / 4.0f), 1.0f + 0.25f + 0.5f, 1e-5f);
    EXPECT_NEAR(fx06_Radius(pi / 6.0f, 0.0f, 0.0f), 0.0f + 1.0f + 1.0f + 0.75f, 1e-5f);
}

TEST(Fx06, ThePictureDipsAfterEachBeat)
{
    EXPECT_FLOAT_EQ(fx06_PictureAlpha(111500.0f), 0.6f);
    EXPECT_FLOAT_EQ(fx06_PictureAlpha(111560.0f), 0.45f);
    EXPECT_NEAR(fx06_PictureAlpha(111619.0f), 0.3025f, 1e-5f);
    EXPECT_FLOAT_EQ(fx06_PictureAlpha(111620.0f), 0.6f);
    EXPECT_FLOAT_EQ(fx06_PictureAlpha(112518.0f + 60.0f), 0.45f);
}

TEST(Fx06, TheSurfaceGrowsOnEightStretchesAndKeepsItsScaleBetween)
{
    EXPECT_EQ(fx06_Scale(112808.0f, 1.0f), 1.0f); // the stretches exclude their ends
    EXPECT_NEAR(fx06_Scale(112809.0f, 1.0f), 1.4f, 0.01f);
    // Two thirds into stretch k the sine peaks at 0.2 k + 1.8.
    EXPECT_NEAR(fx06_Scale(112808.0f + (113295.0f - 112808.0f) * 2.0f / 3.0f, 1.0f), 1.8f, 1e-4f);
    EXPECT_NEAR(fx06_Scale(115966.0f + (116381.0f - 115966.0f) * 2.0f / 3.0f, 1.0f), 1.8f + 0.2f * 6, 1e-4f);
    EXPECT_EQ(fx06_Scale(113295.0f, 1.7f), 1.7f);
    EXPECT_EQ(fx06_Scale(117000.0f, 3.08f), 3.08f);
}

TEST(Fx06, TheFloorFadesInOverTheFirstHalfSecond)
{
    EXPECT_EQ(fx06_GridAlpha(110450.0f), 0u);
    EXPECT_EQ(fx06_GridAlpha(110725.0f + 10.0f), 33u);
    EXPECT_EQ(fx06_GridAlpha(111000.0f), 64u);
    EXPECT_EQ(fx06_GridAlpha(117999.0f), 64u);
}

namespace {

// fx06 with the shell's third grid and the start-up pictures it binds, in the
// generated show folder.
class Fx06Effect : public ShowEffectTest {
protected:
    void Frame(float t) { ShowEffectTest::Frame(fx06_Render, t, "fx06"); }
};

} // namespace

// The wave mesh's five draws per inner vertex and six per stripe; the surface
// draws none.
TEST_F(Fx06Effect, InitDrawsItsRandomNumbers)
{
    RandomSeed(20);
    fx06_Init();
    fx06_InitSurface();
    std::uint32_t reference = 20;
    const int draws = 5 * 62 * 46 + 6 * (32 + 18);
    for (int i = 0; i < draws + 1; ++i) reference = reference * 214013u + 2531011u;
    EXPECT_EQ(RandomNext(), static_cast<int>((reference >> 16) & 0x7FFF));
}

// The picture covers the screen under every layer: apart from a few pixels
// where dark stripes cross, nothing is left black.
TEST_F(Fx06Effect, DrawsTheLayersOverTheWholePicture)
{
    fx06_Init();
    fx06_InitSurface();
    for (float t : {110450.0f, 111000.0f, 111560.0f, 113100.0f, 115000.0f, 116600.0f, 117900.0f}) {
        Frame(t);
        int black = 0;
        for (int y = 0; y < 480; y += 8) {
            for (int x = 0; x < 640; x += 8) black += (Pixel(x, y) & 0xFFFFFF) == 0;
        }
        EXPECT_LT(black, 48) << "at " << t; // 1 % of the samples
    }
}
