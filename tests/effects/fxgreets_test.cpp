#include "effects/fxgreets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "effects/show_effect_test.h"
#include "support/ini_file.h"
#include "support/random.h"

namespace {

unsigned Alpha(D3DCOLOR colour)
{
    return colour >> 24;
}

// The first value the generator gives after RandomSeed(seed).
int FirstAfter(std::uint32_t seed)
{
    RandomSeed(seed);
    return RandomNext();
}

template <typename Read>
auto ReadText(const std::string& text, Read read)
{
    TempDir dir;
    const std::string path = dir.Write("greets.ini", text);
    cIniFile ini;
    ini.Open(path.c_str());
    return read(ini);
}

const cVector formation[kPlanes] = {{-100, 0, 750}, {-50, 0, 720}, {0, 0, 700}, {50, 0, 710}, {100, 0, 740}};

} // namespace

TEST(GreetsTiming, TrailCountNameLinesAndPhrase)
{
    EXPECT_EQ(TrailCount(0.0f), 1u);
    EXPECT_EQ(TrailCount(61.0f), 2u);
    EXPECT_EQ(TrailCount(21999.0f), 366u);
    EXPECT_EQ(TrailCount(-118000.0f), 1u); // clocks outside the flight stay inside the arrays
    EXPECT_EQ(TrailCount(1e9f), kTrailCapacity - 1);

    const float start = kGreetsNameStarts[0];
    EXPECT_EQ(fxgreets_NameOpacity(start, start), 0.0f);
    EXPECT_FLOAT_EQ(fxgreets_NameOpacity(start + 150.0f, start), 0.25f);
    EXPECT_FLOAT_EQ(fxgreets_NameOpacity(start + 1299.0f, start), 0.5f);
    EXPECT_FLOAT_EQ(fxgreets_NameOpacity(start + 3800.0f, start), 0.25f);
    EXPECT_EQ(fxgreets_NameOpacity(start + 6300.0f, start), 0.0f);

    EXPECT_EQ(fxgreets_PhraseAlpha(4999.0f), 0u);
    EXPECT_EQ(fxgreets_PhraseAlpha(7500.0f), 16u);
    EXPECT_EQ(fxgreets_PhraseAlpha(11000.0f), 32u);
    EXPECT_EQ(fxgreets_PhraseAlpha(14500.0f), 16u);
    EXPECT_EQ(fxgreets_PhraseAlpha(17000.0f), 0u);
}

TEST(GreetsTrails, PointsFadeOutAfter11343MsAndAreThenSkipped)
{
    EXPECT_EQ(Alpha(TrailColour(250.0f, 0)), 63u);
    EXPECT_EQ(TrailColour(1000.0f, 0), 0x4FFFFFFFu);
    EXPECT_EQ(Alpha(TrailColour(11343.0f, 0)), 1u);
    EXPECT_EQ(Alpha(TrailColour(11344.0f, 0)), 0u);
    EXPECT_EQ(TrailColour(-5.0f, 0x12345678), 0x12345678u);

    // The first frame jolts nothing; the next point is bright but not drawn.
    auto trails = std::make_unique<cFlightTrails>();
    trails->points[2][1].colour = 0x5AFFFFFF;
    RandomSeed(20);
    const float start = 118000.0f;
    trails->Grow(start, TrailCount(0.0f));
    EXPECT_EQ(trails->Age(start, 1), 0u);
    EXPECT_EQ(trails->points[2][1].colour, 0xAFFFFFFFu);
    const int next = RandomNext();
    EXPECT_EQ(next, FirstAfter(20));
    trails->previousCount = 1;

    // Frames every 40 ms: each new point is jolted by two draws per plane,
    // up first.
    const int up = next, across = RandomNext();
    RandomSeed(20);
    unsigned first = 0;
    float t = start;
    for (; t < start + 13000.0f; t += 40.0f) {
        const unsigned n = TrailCount(t - start);
        trails->Grow(t, n);
        if (n == 2 && trails->previousCount == 1) {
            EXPECT_FLOAT_EQ(trails->points[0][2].y, float(up % 1000 * 0.0033333333333333335));
            EXPECT_FLOAT_EQ(trails->points[0][2].x, float(across % 1000 * 0.0033333333333333335));
        }
        first = trails->Age(t, n);
        trails->previousCount = n;
    }
    // Every point stamped more than 11343.75 ms ago has faded: the first one
    // drawn is the last of them.
    unsigned faded = 0;
    for (unsigned i = 2; i < kTrailLoaded; ++i) {
        if (trails->stamp[i] != 0.0f && t - 40.0f - trails->stamp[i] > 11343.75f) faded = i;
    }
    EXPECT_GT(faded, 2u);
    EXPECT_EQ(first, faded);
    EXPECT_EQ(Alpha(trails->points[4][faded].colour), 0u);
    EXPECT_GT(Alpha(trails->points[4][faded + 1].colour), 0u);
}

TEST(GreetsFiles, StripesWithAndWithoutWords)
{
    LogCapture log;
    const std::vector<GreetsStripe> stripes = ReadText(
        "# stripes\n"
        "9 stripes\n"
        "62.0 22.1 1.0 10.0 650.0 1 2\n"
        "20.0 11.3 0.3 10.0 0.0\n"
        "100 22 -1 10 760 3 3\n"         // numbers without a decimal point
        "1.0 2.0 three 4.0 5.0\n"        // a word
        "1.0 1e30 3.0 4.0 5.0 0 0\n"     // a bar too long for a float
        "1.0 2.0 3.0 4.0 5.0 16 0\n"     // a cell past 2048 texels
        "1.0 2.0 3.0 0.0 5.0 0 0\n"      // a word on an upright bar
        "1.0 2.0 3.0 4.0 5.0 x\n",       // no cell after the numbers
        ReadGreetsStripes);
    ASSERT_EQ(stripes.size(), 3u);

    const GreetsStripe& worded = stripes[0];
    ASSERT_TRUE(worded.hasCell);
    EXPECT_NEAR(worded.angle, 84.289f, 0.001f);
    EXPECT_FLOAT_EQ(worded.slope, 0.1f);
    const RECT cell = GreetsCellSource(worded);
    EXPECT_EQ(cell.left, 127);
    EXPECT_EQ(cell.top, 62);
    EXPECT_EQ(cell.right, 256);
    EXPECT_EQ(cell.bottom, 92);
    // The word starts at textX + dirY and slides 40 pixels a second.
    EXPECT_FLOAT_EQ(GreetsCellCentre(worded, 1000.0f).x, 620.0f);
    EXPECT_FLOAT_EQ(GreetsCellCentre(worded, 1000.0f).y, 620.0f * 0.1f + 62.0f - 15.0f);

    EXPECT_FALSE(stripes[1].hasCell);
    EXPECT_EQ(stripes[2].cellRow, 3u);
    EXPECT_NE(log.Text().find("greets.ini ends after 8 of 9 stripes"), std::string::npos);
    for (const char* reason : {"does not begin with five numbers", "has a number out of range",
                               "names a cell outside the picture", "on an upright bar", "has no cell column"}) {
        EXPECT_NE(log.Text().find(reason), std::string::npos) << reason;
    }

    EXPECT_TRUE(ReadText("stripes\n1.0 2.0 3.0 4.0 5.0\n", ReadGreetsStripes).empty());
    EXPECT_NE(log.Text().find("fxgreets : error in greets.ini"), std::string::npos);
    EXPECT_EQ(ReadText("4000000000\n1 2 3 4 5\n", ReadGreetsStripes).size(), 1u);
}

TEST(GreetsFiles, FlightDepthsFromAShortOrDamagedFile)
{
    LogCapture log;
    // Plane 0's trail runs through -750.5 and -749.5, then a damaged line;
    // the file ends in the third group.
    std::string text;
    for (int i = 0; i < 2; ++i) {
        for (int p = 0; p < 5; ++p) text += std::to_string(i - 750 + p) + (p == 0 ? ".5\n" : "\n");
    }
    text += "nan\n-1.0 x\n";
    auto trails = std::make_unique<cFlightTrails>();
    ReadText(text, [&](cIniFile& ini) {
        trails->Read(ini, formation);
        return 0;
    });
    EXPECT_EQ(trails->points[0][0].z, -750.5f);
    EXPECT_EQ(trails->points[3][1].z, -746.0f);
    EXPECT_EQ(trails->points[0][2].z, -749.5f); // the damaged line keeps the last depth
    EXPECT_EQ(trails->points[1][2].z, -1.0f);
    EXPECT_EQ(trails->points[4][365].z, trails->points[4][1].z); // past the end
    EXPECT_EQ(trails->points[4][365].colour, 0x5AFFFFFFu);
    EXPECT_EQ(trails->points[4][366].colour, 0u);
    EXPECT_NE(log.Text().find("fly.ini ends after 12 of 1830 lines"), std::string::npos);
    EXPECT_NE(log.Text().find("holds no depth"), std::string::npos);
}

namespace {

// The greetings in the generated show.
class GreetsEffect : public ShowEffectTest {
protected:
    void Frame(float t, bool keep) { ShowEffectTest::Frame(fxgreets_Render, t, keep ? "fxgreets" : nullptr); }
};

} // namespace

TEST_F(GreetsEffect, InitRestartsTheGeneratorAndTheFlightDraws)
{
    RandomSeed(1);
    fxgreets_Init();
    const int first = RandomNext();
    EXPECT_EQ(first, FirstAfter(20));

    // Frames every 60 ms, so that no trail point is skipped; the whole flight
    // only when its pictures are kept, every three seconds.
    const bool pictures = std::getenv("REWIND_EFFECT_PNG") != nullptr;
    for (float t = 118000.0f; t < (pictures ? 140000.0f : 124000.0f); t += 60.0f) {
        Frame(t, static_cast<int>(t) % 3000 == 1000);
        if (t == 118000.0f) {
            EXPECT_NE(Pixel(320, 240) & 0xFFFFFF, 0u); // the sky
        }
    }
}
