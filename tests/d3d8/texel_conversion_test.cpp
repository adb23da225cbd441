// Texels of every texture format to the RGBA bytes OpenGL ES accepts. Each
// expected byte is worked out from the format's bit layout: an n-bit channel
// v becomes round(v * 255 / (2^n - 1)).

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/texture_format.h"

namespace {

std::vector<std::uint8_t> Convert(D3DFORMAT format, const std::vector<std::uint8_t>& texels)
{
    const std::size_t count = texels.size() / DescribeTextureFormat(format).bytesPerPixel;
    std::vector<std::uint8_t> rgba(count * 4);
    ConvertTexelsToRgba8(format, texels.data(), count, rgba.data());
    return rgba;
}

using Bytes = std::vector<std::uint8_t>;

TEST(TexelConversion, ThirtyTwoBitTexelsSwapRedAndBlue)
{
    // 0x80402010 lies in memory as 10 20 40 80 (blue, green, red, alpha).
    EXPECT_EQ(Convert(D3DFMT_A8R8G8B8, {0x10, 0x20, 0x40, 0x80}), (Bytes{0x40, 0x20, 0x10, 0x80}));
    // X8R8G8B8 ignores its top byte: alpha is 255 whatever it holds.
    EXPECT_EQ(Convert(D3DFMT_X8R8G8B8, {0x10, 0x20, 0x40, 0x00, 0x01, 0x02, 0x03, 0x7F}),
              (Bytes{0x40, 0x20, 0x10, 0xFF, 0x03, 0x02, 0x01, 0xFF}));
}

TEST(TexelConversion, SixteenBitTexelsWidenEachChannel)
{
    // A4R4G4B4 0xF8C3 (bytes C3 F8): a F, r 8, g C, b 3; four bits widen by 17.
    // 0x7A51: a 7 -> 0x77, r A -> 0xAA, g 5 -> 0x55, b 1 -> 0x11.
    EXPECT_EQ(Convert(D3DFMT_A4R4G4B4, {0xC3, 0xF8, 0x51, 0x7A}),
              (Bytes{0x88, 0xCC, 0x33, 0xFF, 0xAA, 0x55, 0x11, 0x77}));
    // R5G6B5 0xF81F: r 31 -> 255, g 0, b 31 -> 255.
    // 0x8410: r 16 -> 16 * 255 / 31 = 131.6 -> 132 (0x84); g 32 -> 32 * 255 / 63
    // = 129.5 -> 130 (0x82); b 16 -> 132.
    EXPECT_EQ(Convert(D3DFMT_R5G6B5, {0x1F, 0xF8, 0x10, 0x84}),
              (Bytes{0xFF, 0x00, 0xFF, 0xFF, 0x84, 0x82, 0x84, 0xFF}));
    // A1R5G5B5 0x8443: a 1 -> 255, r 1 -> 8.2 -> 8, g 2 -> 16.5 -> 16, b 3 -> 24.7 -> 25 (0x19).
    // 0x7FFF: a 0, r g b 31 -> 255.
    EXPECT_EQ(Convert(D3DFMT_A1R5G5B5, {0x43, 0x84, 0xFF, 0x7F}),
              (Bytes{0x08, 0x10, 0x19, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
}

} // namespace
