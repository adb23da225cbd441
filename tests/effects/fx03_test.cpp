#include "effects/fx03.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "effects/show_effect_test.h"
#include "support/random.h"

TEST(Fx03, TheFlashFollowsTheMusicThenRampsToFullAndNeverPassesFull)
{
    EXPECT_EQ(fx03_FlashAlpha(150000.0f, 0.0f), 0u); // silence adds nothing
    EXPECT_EQ(fx03_FlashAlpha(150000.0f, 0.1f), 85u);
    EXPECT_EQ(fx03_FlashAlpha(171500.0f, 0.1f), 85u);
    EXPECT_EQ(fx03_FlashAlpha(150000.0f, 0.3f), 255u); // 256 would wrap to 0
    EXPECT_EQ(fx03_FlashAlpha(150000.0f, 1.0f), 255u);
    EXPECT_EQ(fx03_FlashAlpha(171750.0f, 0.0f), 127u); // the last half second ignores the music
    EXPECT_EQ(fx03_FlashAlpha(171750.0f, 1.0f), 127u);
    EXPECT_EQ(fx03_FlashAlpha(172000.0f, 0.0f), 255u);
}

TEST(Fx03, TheCameraCutsToTheSideViewOnTwoStretches)
{
    EXPECT_FALSE(fx03_Cut(151265.0f));
    EXPECT_TRUE(fx03_Cut(151266.0f));
    EXPECT_TRUE(fx03_Cut(152275.0f));
    EXPECT_FALSE(fx03_Cut(152276.0f));
    EXPECT_FALSE(fx03_Cut(153662.0f));
    EXPECT_TRUE(fx03_Cut(153663.0f));
    EXPECT_FALSE(fx03_Cut(155202.0f));
}

namespace {

// fx03 in the generated show. Without a sound player there is no spectrum:
// the music is silent.
class Fx03Effect : public ShowEffectTest {
protected:
    void Frame(float t) { ShowEffectTest::Frame(fx03_Render, t, "fx03"); }

    double MeanBrightness() const
    {
        double sum = 0.0;
        for (std::size_t i = 0; i < pixels.size(); i += 4) sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
        return sum / (pixels.size() / 4 * 3);
    }
};

} // namespace

// Four draws per flare, the wave mesh's five per inner vertex, six per
// stripe and one per member of the flock.
TEST_F(Fx03Effect, InitDrawsItsRandomNumbersAndTheMusicIsSilent)
{
    RandomSeed(20);
    fx03_Init();
    std::uint32_t reference = 20;
    const int draws = 4 * 400 + 5 * 62 * 46 + 6 * (32 + 27) + 40;
    for (int i = 0; i < draws + 1; ++i) reference = reference * 214013u + 2531011u;
    EXPECT_EQ(RandomNext(), static_cast<int>((reference >> 16) & 0x7FFF));
    EXPECT_EQ(fx03_MusicLevel(), 0.0f);
}

TEST_F(Fx03Effect, CutsTheCameraAndBrightensTheBackgroundInTheLastHalfSecond)
{
    fx03_Init();
    Frame(140000.0f);
    Frame(151265.0f);
    EXPECT_EQ(g_camera->eye.y, -120.0f);
    Frame(151266.0f);
    EXPECT_EQ(g_camera->eye.y, 0.0f);
    EXPECT_EQ(g_camera->eye.z, 0.0f);
    Frame(152276.0f);
    EXPECT_EQ(g_camera->eye.z, -250.0f);

    Frame(171400.0f);
    const double silent = MeanBrightness();
    Frame(171999.0f);
    EXPECT_GT(MeanBrightness(), silent + 20.0);
}
