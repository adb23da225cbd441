// The helpers the pictures are built from: tiling noise, blur, lettering,
// and the contact sheet.

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "forge/common/blur.h"
#include "forge/common/noise.h"
#include "common/temp_dir.h"
#include "forge/common/text.h"
#include "forge/contact_sheet.h"
#include "forge/pictures/catalogue.h"

TEST(ForgeHelpers, NoiseRepeatsAfterItsPeriodOnEveryOctave)
{
    for (float x : {0.3f, 2.7f, 5.9f}) {
        for (float y : {0.1f, 3.4f}) {
            EXPECT_NEAR(TiledFractal(x, y, {6, 4}, 4, 9), TiledFractal(x + 6, y, {6, 4}, 4, 9), 1e-5);
            EXPECT_NEAR(TiledFractal(x, y, {6, 4}, 4, 9), TiledFractal(x, y + 4, {6, 4}, 4, 9), 1e-5);
            EXPECT_NEAR(TiledRidges(x, y, {3, 3}, 3, 2), TiledRidges(x + 3, y - 3, {3, 3}, 3, 2), 1e-5);
        }
    }
    const float value = TiledNoise(1.5f, 2.5f, {8, 8}, 1);
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 1.0f);
    EXPECT_NE(TiledNoise(1.5f, 2.5f, {8, 8}, 1), TiledNoise(1.5f, 2.5f, {8, 8}, 2));
}

TEST(ForgeHelpers, WrappedBlurKeepsTheTotalAndSpreadsAcrossTheEdge)
{
    Image dot(16, 16, 1);
    dot.At(0, 0) = 1.0f;
    const Image soft = Blur(dot, 4, Edges::Wrap);
    double total = 0;
    for (float v : soft.Values()) total += v;
    EXPECT_NEAR(total, 1.0, 1e-4);
    EXPECT_GT(soft.At(15, 15), 0.0f);              // across both edges
    EXPECT_FLOAT_EQ(soft.At(1, 0), soft.At(15, 0)); // symmetric about the dot
}

TEST(ForgeHelpers, LetteringCoversWhatItMeasures)
{
    Image mask(200, 40, 1);
    const float width = BoldFont().Measure("rewind", 24);
    BoldFont().Draw(mask, 10, 30, "rewind", 24);
    int left = 200, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (mask.At(x, y) > 0.5f) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_GE(right, 0);
    // The ink lies within the advance, short of it by the side bearings.
    EXPECT_LE(right - left, width);
    EXPECT_GE(right - left, width - 8.0f);
    EXPECT_LE(bottom, 30);                                   // no descender in "rewind"
    EXPECT_NEAR(30 - top, BoldFont().CapHeight(24), 2.0f);   // 'd' rises to about cap height
}

TEST(ForgeHelpers, ContactSheetIsAPngWithACellForEveryPicture)
{
    TempDir directory;
    const std::string path = (directory.Path() / "sheet.png").string();
    std::string error;
    ASSERT_TRUE(WriteContactSheet(path, error)) << error;
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    EXPECT_EQ(header[1], 'P');
    EXPECT_EQ(header[2], 'N');
    const unsigned height = header[20] << 24 | header[21] << 16 | header[22] << 8 | header[23];
    const unsigned rows = (static_cast<unsigned>(PictureCatalogue().size()) + 7) / 8;
    EXPECT_EQ(height, rows * 238u);
    EXPECT_FALSE(WriteContactSheet((directory.Path() / "missing" / "sheet.png").string(), error));
}
