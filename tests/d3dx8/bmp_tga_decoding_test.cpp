#include <gtest/gtest.h>

#include "d3dx8/byte_writer.h"
#include "platform/d3dx8/image_decoding.h"

using d3dx::DecodeBmp;
using d3dx::DecodeTga;

namespace {

ByteWriter BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t paletteSize)
{
    ByteWriter file;
    file.Bytes({'B', 'M'}).U32(0).U32(0).U32(54 + 4 * paletteSize);
    file.U32(40).U32(width).U32(height).U16(1).U16(bits).U32(0).U32(0).U32(0).U32(0).U32(paletteSize).U32(0);
    return file;
}

// 3x2, 24 bits, three bytes of padding a row. Top row red, green, blue;
// bottom row white, black, (10, 20, 30).
ByteWriter ThreeByTwo(bool topDown)
{
    ByteWriter file = BmpHeaders(3, topDown ? -2 : 2, 24, 0);
    const auto top = [&] { file.Bytes({0, 0, 255, 0, 255, 0, 255, 0, 0}).Zeros(3); };
    const auto bottom = [&] { file.Bytes({255, 255, 255, 0, 0, 0, 30, 20, 10}).Zeros(3); };
    if (topDown) {
        top();
    }
    bottom();
    if (!topDown) {
        top();
    }
    return file;
}

ByteWriter TgaHeader(std::uint8_t imageType, std::uint16_t width, std::uint16_t height, std::uint8_t bits,
                     std::uint8_t descriptor)
{
    ByteWriter file;
    file.U8(0).U8(0).U8(imageType).U16(0).U16(0).U8(0).U16(0).U16(0).U16(width).U16(height).U8(bits).U8(descriptor);
    return file;
}

} // namespace

TEST(BmpDecoding, TwentyFourBitRowsArePaddedAndEitherWayUp)
{
    for (bool topDown : {false, true}) {
        const std::optional<d3dx::Image> image = DecodeBmp(ThreeByTwo(topDown).bytes);
        ASSERT_TRUE(image) << topDown;
        EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                                                             0xFF000000, 0xFF0A141E}));
        EXPECT_FALSE(image->hasAlpha);
    }
}

TEST(BmpDecoding, EightBitsLookUpThePaletteAndIndicesPastItReadBlack)
{
    ByteWriter file = BmpHeaders(3, 1, 8, 2);
    file.U32(0x000000FF).U32(0x0000FF00).Bytes({1, 0, 200}).Zeros(1);
    EXPECT_EQ(DecodeBmp(file.bytes)->pixels, (std::vector<std::uint32_t>{0xFF00FF00, 0xFF0000FF, 0xFF000000}));
}

TEST(BmpDecoding, RefusesShortOversizedAndCompressedFiles)
{
    const std::vector<std::uint8_t> file = ThreeByTwo(false).bytes;
    for (std::size_t size : {file.size() - 1, std::size_t{60}, std::size_t{20}, std::size_t{0}}) {
        EXPECT_FALSE(DecodeBmp(std::span(file).first(size))) << size << " bytes";
    }
    EXPECT_FALSE(DecodeBmp(BmpHeaders(100000, 100000, 24, 0).bytes));
    ByteWriter runLength = BmpHeaders(3, 2, 8, 1).Zeros(64);
    runLength.bytes[30] = 1;
    EXPECT_FALSE(DecodeBmp(runLength.bytes));
}

TEST(TgaDecoding, SixteenBitsTopLeftOriginWithTheAttributeBitAsAlpha)
{
    ByteWriter file = TgaHeader(2, 2, 2, 16, 0x21);
    file.U16(0x8000 | 0x7C00).U16(0x03E0).U16(0x8000 | 0x001F).U16(0xFFFF);
    const std::optional<d3dx::Image> image = DecodeTga(file.bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0xFFFFFFFF}));
    EXPECT_TRUE(image->hasAlpha);
    file.bytes[17] = 0x20; // no attribute bits declared: the top bit means nothing
    EXPECT_EQ(DecodeTga(file.bytes)->At(1, 0), 0xFF00FF00u);
}

TEST(TgaDecoding, RunLengthPacketsCrossRowsOfABottomUpPicture)
{
    ByteWriter file = TgaHeader(10, 2, 2, 24, 0);
    file.U8(0x82).Bytes({30, 20, 10}); // three pixels of (10, 20, 30)
    file.U8(0x00).Bytes({0, 0, 255});  // one raw red pixel
    EXPECT_EQ(DecodeTga(file.bytes)->pixels,
              (std::vector<std::uint32_t>{0xFF0A141E, 0xFFFF0000, 0xFF0A141E, 0xFF0A141E}));
    file.bytes.pop_back();
    EXPECT_FALSE(DecodeTga(file.bytes));
}

TEST(TgaDecoding, RefusesImplausibleHeadersAndShortData)
{
    EXPECT_TRUE(DecodeTga(TgaHeader(2, 2, 2, 24, 0).Zeros(12).bytes));
    EXPECT_FALSE(DecodeTga(TgaHeader(2, 2, 2, 24, 0).Zeros(11).bytes));    // a byte short
    EXPECT_FALSE(DecodeTga(TgaHeader(2, 0, 2, 24, 0).Zeros(12).bytes));    // no width
    EXPECT_FALSE(DecodeTga(TgaHeader(2, 2, 2, 12, 0).Zeros(12).bytes));    // no such depth
    EXPECT_FALSE(DecodeTga(TgaHeader(1, 2, 2, 8, 0).Zeros(4).bytes));      // colour-mapped without a map
}
