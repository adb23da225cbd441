#include "effects/paski.h"

#include <gtest/gtest.h>

#include "render/renderer_fixture.h"
#include "common/jpeg_writer.h"
#include "common/temp_dir.h"
#include "support/random.h"

namespace {

CPaski MakeStripes(unsigned count, unsigned flipPercent)
{
    g_render = nullptr; // no texture to load: only the stripes' numbers
    return CPaski(0xEF000000, count, count, count, 40.0f, 5, flipPercent);
}

float DownwardShare(const CPaski& stripes)
{
    int down = 0;
    for (const PaskiStripe& stripe : stripes.stripes) down += stripe.speed < 0.0f;
    return static_cast<float>(down) / static_cast<float>(stripes.stripes.size());
}

} // namespace

TEST(Paski, DrawsEachStripeInTheOrderOfItsGroupAndKeepsTheColour)
{
    RandomSeed(1);
    const CPaski stripes = MakeStripes(1, 50);
    ASSERT_EQ(stripes.stripeCount, 3u);
    // The first draws from state 1 are 41, 18467, 6334, 26500, 19169, 15724, 11478.
    const PaskiStripe& first = stripes.stripes[0];
    EXPECT_FLOAT_EQ(first.baseY, 41.0f);                     // 41 mod 480
    EXPECT_FLOAT_EQ(first.size, 2.0f * 2.0f + 5.0f);         // 18467 mod 5 = 2
    EXPECT_FLOAT_EQ(first.speed, 34.0f / 900.0f + 0.2f);     // 6334 mod 900 = 34; 26500 mod 100 = 0, not flipped
    EXPECT_FLOAT_EQ(first.width, 4.0f + 40.0f);              // 19169 mod 5 = 4
    EXPECT_NEAR(first.angle, 86.067f, 0.001f);               // atan2(640, 44) in degrees
    EXPECT_EQ(first.color, ((15724u % 180u + 59u) << 24));  // alpha between 239/4 and 239
    for (const PaskiStripe& stripe : stripes.stripes) EXPECT_EQ(stripe.color & 0x00FFFFFF, 0u);
}

TEST(Paski, TheFlipPercentSplitsTheDirections)
{
    RandomSeed(1);
    EXPECT_NEAR(DownwardShare(MakeStripes(400, 50)), 0.49f, 0.04f);
    EXPECT_NEAR(DownwardShare(MakeStripes(400, 20)), 0.79f, 0.04f);
}

TEST(Paski, StripesWrapRoundTheScreenHeight)
{
    RandomSeed(1);
    CPaski stripes = MakeStripes(1, 50);
    PaskiStripe& s = stripes.stripes[0];
    s.baseY = 100.0f;
    s.size = 5.0f;
    s.width = 45.0f; // extent 50
    s.speed = 1.0f;
    stripes.Update(1000.0f); // the start
    EXPECT_FLOAT_EQ(s.y, 100.0f);

    // Up past the top by 130 beyond its extent: back in 130 above the bottom.
    stripes.Update(1000.0f + 2800.0f); // k = 280: y = -180, y + extent = -130
    EXPECT_FLOAT_EQ(s.y, 480.0f - 130.0f);
    // More than a screen beyond: only the remainder modulo 480 counts.
    stripes.Update(1000.0f + 7600.0f); // y = -660, y + extent = -610 -> 130
    EXPECT_FLOAT_EQ(s.y, 480.0f - 130.0f);

    // Down past the bottom: restarts above the top by its extent.
    s.speed = -1.0f;
    stripes.Update(1000.0f + 4000.0f); // y = 500, m = 530
    EXPECT_FLOAT_EQ(s.y, 500.0f - 50.0f);
    stripes.Update(1000.0f + 6000.0f); // y = 700 -> 700 - 530 - 50
    EXPECT_FLOAT_EQ(s.y, 120.0f);
}

namespace {

class PaskiDrawing : public RendererTest {};

} // namespace

// Stripes darken a white screen in long bands that cross it from edge to edge,
// falling by about `width` pixels over its width.
TEST_F(PaskiDrawing, StripesCrossTheScreenAndDarkenWhatIsBelow)
{
    TempDir dir;
    dir.Write("data/pasek.jpg", SolidJpeg(64, 16, {255, 255, 255}));
    dir.Write("data/pasekalpha.jpg", SolidJpeg(64, 16, {255, 255, 255}));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    RandomSeed(1);
    CPaski stripes(0xEF000000, 1, 0, 0, 40.0f, 1, 100);
    std::filesystem::current_path(previous);
    PaskiStripe& s = stripes.stripes[0];
    s.baseY = 240.0f;
    s.size = 5.0f; // 64 x 0.25 = 16 pixels thick
    s.color = 0xFF000000;
    stripes.Update(0.0f);
    render->clearColor = 0xFFFFFFFF;
    render->BeginFrame(2);
    stripes.Draw();
    render->EndFrame();

    // Left and right ends lie 40 pixels apart in height; both are dark, and
    // the screen away from the band stays white.
    EXPECT_EQ(Pixel(10, 235) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(630, 235 + 39) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(320, 100) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(Pixel(320, 400) & 0xFFFFFF, 0xFFFFFFu);
}
