#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/fxquill.h"
#include "effects/show_effect_test.h"
#include "effects/znaki.h"
#include "platform/fmod/fmod.h"
#include "platform/fmod/virtual_clock.h"
#include "support/random.h"

TEST(QuillTiming, TheSurfaceSwellsForATenthOfASecondAfterABeatAndShrinksOverThree)
{
    const float beat = 240193.0f;
    EXPECT_EQ(fxquill_Pulse(beat - 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(1.4f + 0.5f * fxquill_Pulse(beat + 50.0f), 1.65f);
    EXPECT_FLOAT_EQ(1.4f + 0.5f * fxquill_Pulse(beat + 250.0f), 1.4f + 0.5f * 0.5f);
    EXPECT_EQ(fxquill_Pulse(beat + 401.0f), 0.0f);
    // 244146 comes 999 ms after 243147, whose pulse is long over.
    EXPECT_FLOAT_EQ(fxquill_Pulse(244146.0f + 10.0f), 0.1f);
}

TEST(QuillSpectrum, ColumnsOfFourEntriesDrawABlockPerSixthUpToFourteen)
{
    std::vector<float> spectrum(512, 0.0f);
    for (int i = 0; i < 4; ++i) spectrum[i] = 0.125f; // column 0: sum 0.5
    spectrum[4] = 2.5f;                                // column 1: well past 14 / 6
    spectrum[112] = 1.0f;                              // column 28, the last
    spectrum[116] = 5.0f;                              // past the 116 entries shown
    std::vector<ScreenVertex> bars(kQuillBarVertexCapacity);
    ASSERT_EQ(fxquill_SpectrumBars(spectrum.data(), bars.data()), 3u + 14u + 6u);

    // Column 0: blocks 13 wide and 10 high, 13 apart, up from the bottom edge.
    EXPECT_EQ(bars[0].x, 0.0f);
    EXPECT_EQ(bars[0].y, 470.0f);
    EXPECT_EQ(bars[5].x, 13.0f);
    EXPECT_EQ(bars[5].y, 480.0f);
    EXPECT_EQ(bars[2 * 6].y, 480.0f - 26.0f - 10.0f);
    // Column 1's top block, then column 28 at x = 420.
    EXPECT_EQ(bars[16 * 6].x, 15.0f);
    EXPECT_EQ(bars[16 * 6].y, 480.0f - 13.0f * 13.0f - 10.0f);
    EXPECT_EQ(bars[17 * 6].x, 420.0f);

    spectrum.assign(512, 0.0f);
    spectrum[0] = 14.0f / 6.0f;
    EXPECT_EQ(fxquill_SpectrumBars(spectrum.data(), bars.data()), 14u);
}

TEST(QuillFlares, ALapTakesItsFactorTimesTwoAndAHalfSecondsAndHidesForATenth)
{
    QuillFlare flare{};
    ASSERT_TRUE(fxquill_Flare(0.0f, 1.0f, &flare));
    EXPECT_FLOAT_EQ(flare.x, 455.0f);
    EXPECT_FLOAT_EQ(flare.y, 480.0f);
    EXPECT_EQ(flare.alpha, 0.0f);
    EXPECT_EQ(flare.scale, 0.2f);

    // Laps repeat; the flare flashes, hides for 100 ms, flashes again.
    ASSERT_TRUE(fxquill_Flare(2500.0f * 3, 1.0f, &flare));
    EXPECT_FLOAT_EQ(flare.x, 455.0f);
    ASSERT_TRUE(fxquill_Flare(1850.0f, 1.0f, &flare));
    EXPECT_EQ(flare.alpha, 1.0f);
    EXPECT_FLOAT_EQ(flare.scale, 0.2f * 0.74f);
    EXPECT_TRUE(fxquill_Flare(1924.0f, 1.0f, &flare));
    EXPECT_FALSE(fxquill_Flare(1925.0f, 1.0f, &flare));
    EXPECT_FALSE(fxquill_Flare(2024.0f, 1.0f, &flare));
    ASSERT_TRUE(fxquill_Flare(2025.0f, 1.0f, &flare));
    EXPECT_EQ(flare.alpha, 1.0f);
    ASSERT_TRUE(fxquill_Flare(2100.0f, 1.0f, &flare));
    EXPECT_EQ(flare.alpha, 0.0f);

    // A slower flare hides later; one launched in the future (the rewind
    // runs time backwards) still follows the curve, transparent.
    EXPECT_TRUE(fxquill_Flare(1925.0f, 1.5f, &flare));
    EXPECT_FALSE(fxquill_Flare(0.79f * 3750.0f, 1.5f, &flare));
    ASSERT_TRUE(fxquill_Flare(-300.0f, 1.0f, &flare));
    EXPECT_EQ(flare.alpha, 0.0f);
}

namespace {

// fxquill in the generated show, with the music playing on the virtual sound
// clock so the spectrum follows the show time.
class QuillEffect : public ShowEffectTest {
protected:
    void SetUp() override
    {
        ShowEffectTest::SetUp();
        if (IsSkipped()) return;
        UseVirtualSoundClock(true);
        SetVirtualSoundTime(0);
        ASSERT_TRUE(FSOUND_Init(44100, 16, 0));
        FSOUND_STREAM* music = FSOUND_Stream_OpenFile("music.mp3", FSOUND_NORMAL, 0);
        ASSERT_NE(music, nullptr);
        FSOUND_Stream_Play(FSOUND_FREE, music);
        FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    }

    void TearDown() override
    {
        FSOUND_Close();
        UseVirtualSoundClock(false);
        SetVirtualSoundTime(0);
        ShowEffectTest::TearDown();
    }

    void Frame(float t, bool keep = true)
    {
        SetVirtualSoundTime(static_cast<std::uint32_t>(t));
        ShowEffectTest::Frame(fxquill_Render, t, keep ? "fxquill" : nullptr);
    }

    static int Channel(std::uint32_t colour, int shift) { return int(colour >> shift & 0xFF); }
};

} // namespace

TEST_F(QuillEffect, DrawsTheSurfaceBarsFlaresAndSigns)
{
    // The first lap factor comes from the first number the generator gives.
    RandomSeed(20);
    const float factor = static_cast<float>(RandomNext() % 1000 * 0.001 + 1.0);
    RandomSeed(20);
    fxquill_Init();
    znaki_Init();
    znaki2_Init();
    fxquill_InitSurface();

    // The first frame launches a flare; three quarters into its lap it
    // flashes and darkens the picture where it is.
    const float start = 233180.0f;
    const float flash = start + std::ceil(0.745f * factor * 2500.0f);
    for (float t = start; t < flash - 40.0f; t += 100.0f) Frame(t, int(t) % 1000 == 180);
    QuillFlare flare{};
    ASSERT_TRUE(fxquill_Flare(flash - start, factor, &flare));
    ASSERT_EQ(flare.alpha, 1.0f);
    const int x = static_cast<int>(flare.x), y = static_cast<int>(flare.y);
    Frame(flash - 40.0f, false);
    const std::uint32_t before = Pixel(x, y);
    Frame(flash);
    const std::uint32_t during = Pixel(x, y);
    EXPECT_LT(Channel(during, 16) + Channel(during, 8), (Channel(before, 16) + Channel(before, 8)) / 3)
        << x << ", " << y;

    for (float t = flash + 100.0f; t < 240200.0f; t += 100.0f) Frame(t, int(t) % 1000 == 180);
    // The lowest block of the first column lights the picture by its alpha;
    // the three rows above it, between two blocks, stay as they were.
    Frame(240193.0f + 50.0f);
    std::vector<ScreenVertex> bars(kQuillBarVertexCapacity);
    if (fxquill_SpectrumBars(FSOUND_DSP_GetSpectrum(), bars.data()) > 0 && bars[0].x == 0.0f) {
        EXPECT_GT(Channel(Pixel(6, 475), 8), Channel(Pixel(6, 468), 8) + 25);
    }
}
