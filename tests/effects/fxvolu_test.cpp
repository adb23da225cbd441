#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "effects/fxvolu.h"
#include "platform/d3d8/png_file.h"
#include "effects/show_effect_test.h"

TEST(VoluTiming, PicturesCrossFadeInTurnEveryTwoSeconds)
{
    const VoluPictures start = fxvolu_Pictures(172000.0f);
    EXPECT_EQ(start.first, 1);
    EXPECT_EQ(start.second, 2);
    EXPECT_EQ(start.firstAlpha, 1.0f);
    EXPECT_EQ(start.secondAlpha, 0.0f);

    const VoluPictures half = fxvolu_Pictures(173000.0f);
    EXPECT_EQ(half.first, 1);
    EXPECT_FLOAT_EQ(half.firstAlpha, 0.5f);
    EXPECT_FLOAT_EQ(half.secondAlpha, 0.5f);

    // The fifth picture hands over to the first.
    const VoluPictures last = fxvolu_Pictures(140000.0f + 4 * 2000.0f + 1500.0f);
    EXPECT_EQ(last.first, 4);
    EXPECT_EQ(last.second, 0);
    EXPECT_FLOAT_EQ(last.firstAlpha, 0.25f);
    EXPECT_EQ(fxvolu_Pictures(174000.0f).first, 2);
}

TEST(VoluTiming, OverlaysDarkenAndStripesSwellOnlyInTheLastSecond)
{
    EXPECT_EQ(fxvolu_OverlayColor(199500.0f), 0x7F7F7F7Fu);
    EXPECT_FLOAT_EQ(fxvolu_StripeSizeFactor(199500.0f, 1.0f), 6.0f);

    EXPECT_EQ(fxvolu_OverlayColor(199000.0f), 0xFFFFFFFFu);
    EXPECT_EQ(fxvolu_StripeSizeFactor(199000.0f, 3.0f), 1.0f);
    EXPECT_EQ(fxvolu_OverlayColor(199999.0f), 0x00000000u);

    // Before that the overlays are white and the stripes keep whatever size
    // they had, also when the rewind brings the time back below 199000.
    EXPECT_EQ(fxvolu_OverlayColor(198999.0f), 0xFFFFFFFFu);
    EXPECT_EQ(fxvolu_StripeSizeFactor(198999.0f, 3.0f), 3.0f);
}

namespace {

// fxvolu on a headless renderer, in the generated show's data folder.
class VoluEffect : public ShowEffectTest {
protected:
    void Frame(float t) { ShowEffectTest::Frame(fxvolu_Render, t, "fxvolu"); }

    std::uint32_t Brightness(int x0, int y0, int x1, int y1) const
    {
        std::uint32_t sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) sum += (Pixel(x, y) >> 8) & 0xFF;
        }
        return sum;
    }

};

} // namespace

TEST_F(VoluEffect, DrawsTheSlotAndFadesToBlackInItsLastSecond)
{
    fxvolu_Init();
    for (float t = 172000.0f; t < 172200.0f; t += 40.0f) Frame(t);
    Frame(185000.0f);
    const std::uint32_t lit = Brightness(0, 0, 640, 480);
    EXPECT_GT(lit, 640u * 480u * 10u);
    // The blob stands left of and above the middle, over the background.
    EXPECT_GT(Brightness(100, 60, 300, 240), Brightness(440, 300, 640, 480));

    // Half a second before the end the additive overlays weigh half, the
    // stripes have grown sixfold and cover more of the picture.
    Frame(199500.0f);
    EXPECT_LT(Brightness(0, 0, 640, 480), lit);
}
