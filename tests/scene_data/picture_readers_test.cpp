#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "scene/scene_picture.h"
#include "scene_data/picture_files.h"

namespace {

// Runs a reader over bytes in memory.
template <typename Picture>
bool ReadBytes(bool (*reader)(std::FILE*, Picture&), const std::string& bytes, Picture& picture)
{
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    const bool read = reader(file, picture);
    std::fclose(file);
    return read;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int value : values) out += static_cast<char>(value);
    return out;
}

} // namespace

TEST(BmpReader, ReadsEveryDepthBottomUpThroughThePalette)
{
    ScenePicture picture;
    // 1 bit, width 3: each row is one byte of pixels padded to 4.
    ASSERT_TRUE(ReadBytes(ReadBmpPicture,
                          MakeBmp(1, 3, 2, [](int y) { return Bytes({y == 0 ? 0xA0 : 0x40, 0, 0, 0}); }),
                          picture));
    EXPECT_EQ(picture.width, 3u);
    EXPECT_EQ(picture.height, 2u);
    // The file's first row is the picture's bottom row; palette entry 1 is seed + 0x010101.
    EXPECT_EQ(picture.pixels[0], 0x00102030u);
    EXPECT_EQ(picture.pixels[1], 0x00112131u);
    EXPECT_EQ(picture.pixels[3], 0x00112131u);
    EXPECT_EQ(picture.pixels[4], 0x00102030u);
    EXPECT_EQ(picture.pixels[5], 0x00112131u);

    // 4 bits, width 3: high nibble first, the last half byte unused.
    ASSERT_TRUE(ReadBytes(ReadBmpPicture, MakeBmp(4, 3, 1, [](int) { return Bytes({0x2F, 0x50, 0, 0}); }), picture));
    EXPECT_EQ(picture.pixels[0], 0x00102030u + 2 * 0x010101u);
    EXPECT_EQ(picture.pixels[1], 0x00102030u + 15 * 0x010101u);
    EXPECT_EQ(picture.pixels[2], 0x00102030u + 5 * 0x010101u);

    // 8 bits, width 5: rows of 8 bytes.
    ASSERT_TRUE(ReadBytes(ReadBmpPicture,
                          MakeBmp(8, 5, 2, [](int y) { return Bytes({y, 1, 2, 3, 255, 9, 9, 9}); }), picture));
    EXPECT_EQ(picture.pixels[5], 0x00102030u);
    EXPECT_EQ(picture.pixels[0], 0x00112131u);
    EXPECT_EQ(picture.pixels[4], 0x00102030u + 255 * 0x010101u);

    // 24 bits, width 3: 9 bytes of blue, green, red rounded up to 12.
    ASSERT_TRUE(ReadBytes(ReadBmpPicture, MakeBmp(24, 3, 1, [](int) {
                              return Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE});
                          }),
                          picture));
    EXPECT_EQ(picture.pixels[0], 0x00030201u);
    EXPECT_EQ(picture.pixels[2], 0x00090807u);
}

TEST(BmpReader, RefusesWhatItCannotRead)
{
    ScenePicture picture;
    const auto row = [](int) { return std::string(4, '\0'); };
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(16, 2, 2, row), picture));
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(32, 1, 2, row), picture));
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(24, 1, 2, row, 0, 1), picture)) << "compressed";
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(24, 1, 2, row, 0, 0, 2), picture)) << "two planes";
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(24, 1, -2, row), picture)) << "top-down";
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(24, 0, 2, row), picture));
    std::string wrongSignature = MakeBmp(24, 1, 2, row);
    wrongSignature[0] = 'X';
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, wrongSignature, picture));
    // Truncated inside the last row, inside the palette, inside the header.
    const std::string whole = MakeBmp(8, 4, 4, row);
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, whole.substr(0, whole.size() - 1), picture));
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, whole.substr(0, 60), picture));
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, whole.substr(0, 20), picture));
    // Sizes whose product overflows 32 bits, with no data behind them.
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(24, 0x7FFFFFFF, 0x40000000, [](int) { return std::string(); }),
                           picture));
    EXPECT_FALSE(ReadBytes(ReadBmpPicture, MakeBmp(1, 0x10000, 0x10000, row), picture));
    EXPECT_TRUE(picture.pixels.empty());
}

TEST(AlphaBmpReader, ReadsBytesAsAlphaAndWantsEightBits)
{
    AlphaPicture alpha;
    ASSERT_TRUE(ReadBytes(ReadAlphaBmp, MakeBmp(8, 3, 2, [](int y) { return Bytes({y, 128, 255, 7}); }), alpha));
    EXPECT_EQ(alpha.width, 3u);
    EXPECT_EQ(alpha.alpha, (std::vector<std::uint8_t>{1, 128, 255, 0, 128, 255}));
    EXPECT_FALSE(ReadBytes(ReadAlphaBmp, MakeBmp(24, 1, 1, [](int) { return std::string(4, '\0'); }), alpha));
    const std::string whole = MakeBmp(8, 3, 2, [](int) { return std::string(4, '\1'); });
    EXPECT_FALSE(ReadBytes(ReadAlphaBmp, whole.substr(0, whole.size() - 2), alpha));
}

TEST(TgaReader, WidensSixteenBitsAndCopiesThirtyTwo)
{
    ScenePicture picture;
    // 0 11111 00000 10000: red 31, green 0, blue 16.
    ASSERT_TRUE(ReadBytes(ReadTgaPicture, MakeTga(16, 1, 2, [](int y) {
                              return y == 0 ? Bytes({0x10, 0x7C}) : Bytes({0xE0, 0x03});
                          }),
                          picture));
    EXPECT_EQ(picture.pixels[1], (31u << 19) | (16u << 3));
    EXPECT_EQ(picture.pixels[0], 31u << 11);
    ASSERT_TRUE(ReadBytes(ReadTgaPicture, MakeTga(15, 1, 1, [](int) { return Bytes({0x1F, 0x80}); }), picture));
    EXPECT_EQ(picture.pixels[0], 31u << 3) << "the top bit is not alpha";
    ASSERT_TRUE(ReadBytes(ReadTgaPicture, MakeTga(32, 3, 1, [](int) {
                              return Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
                          }),
                          picture));
    EXPECT_EQ(picture.pixels[0], 0x04030201u);
    EXPECT_EQ(picture.pixels[2], 0x0C0B0A09u);
}

TEST(TgaReader, RefusesOtherTypesDepthsAndShortFiles)
{
    ScenePicture picture;
    const auto row = [](int) { return std::string(8, '\0'); };
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, MakeTga(24, 2, 2, row), picture));
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, MakeTga(8, 2, 2, row), picture));
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, MakeTga(32, 2, 2, row, 10), picture)) << "run-length";
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, MakeTga(32, 0, 2, row), picture));
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, MakeTga(32, 0xFFFF, 0xFFFF, [](int) { return std::string(); }), picture));
    const std::string whole = MakeTga(32, 2, 2, row);
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, whole.substr(0, whole.size() - 1), picture));
    EXPECT_FALSE(ReadBytes(ReadTgaPicture, whole.substr(0, 10), picture));
}

TEST(AlphaMerge, ReplacesAlphaAndStretchesASmallerAlphaPicture)
{
    ScenePicture picture;
    picture.width = 4;
    picture.height = 2;
    picture.pixels.assign(8, 0xFF123456u);
    AlphaPicture alpha;
    alpha.width = 2;
    alpha.height = 1;
    alpha.alpha = {10, 20};
    MergeAlpha(picture, alpha);
    // sx = 0.5, sy = 0.5: row 0 reads 0, 0.5, 1, 1.5; row 1 starts at 2 x 0.5 = 1,
    // and its last sample (2.5) is held to the last byte.
    const std::uint32_t expected[8] = {10, 10, 20, 20, 20, 20, 20, 20};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(picture.pixels[i], expected[i] << 24 | 0x123456u) << i;
    }
    alpha.width = 4;
    alpha.height = 2;
    alpha.alpha = {0, 1, 2, 3, 4, 5, 6, 255};
    MergeAlpha(picture, alpha);
    EXPECT_EQ(picture.pixels[7], 0xFF123456u);
    EXPECT_EQ(picture.pixels[0], 0x00123456u);
}

TEST(PictureExtension, IsTheTextAfterTheLastDot)
{
    EXPECT_STREQ(PictureExtension("obj\\a.b\\wall.JPG"), "JPG");
    EXPECT_STREQ(PictureExtension("noextension"), "");
}
