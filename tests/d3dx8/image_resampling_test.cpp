#include <gtest/gtest.h>

#include "platform/d3dx8/image_resampling.h"

using d3dx::Image;

namespace {

Image Picture(UINT width, UINT height, std::vector<std::uint32_t> pixels)
{
    Image image(width, height);
    image.pixels = std::move(pixels);
    return image;
}

std::uint32_t Grey(std::uint32_t level)
{
    return 0xFF000000 | level * 0x010101;
}

} // namespace

TEST(ImageResampling, PowersOfTwoKeepTheCornersAndTheDeviceMaximum)
{
    Image picture(3, 5);
    for (UINT i = 0; i < 15; i++) {
        picture.pixels[i] = d3dx::PackArgb(17 * i, 255 - 17 * i, 3 * i, 7);
    }
    const Image texture = d3dx::ResizeToPowersOfTwo(picture, 2048, 2048);
    ASSERT_EQ(texture.width, 4u);
    ASSERT_EQ(texture.height, 8u);
    EXPECT_EQ(texture.At(0, 0), picture.At(0, 0));
    EXPECT_EQ(texture.At(3, 0), picture.At(2, 0));
    EXPECT_EQ(texture.At(0, 7), picture.At(0, 4));
    EXPECT_EQ(texture.At(3, 7), picture.At(2, 4));

    const Image wide = d3dx::ResizeToPowersOfTwo(Image(3000, 20), 2048, 2048);
    EXPECT_EQ(wide.width, 2048u);
    EXPECT_EQ(wide.height, 32u);
}

TEST(ImageResampling, MipLevelsAverageTwoByTwoBoxes)
{
    const Image level = Picture(4, 2, {Grey(0), Grey(4), Grey(100), Grey(100), Grey(1), Grey(2), Grey(100), Grey(103)});
    const Image half = d3dx::NextMipLevel(level);
    EXPECT_EQ(half.pixels, (std::vector<std::uint32_t>{Grey(2), Grey(101)})); // 7/4 rounds up, 403/4 down
    EXPECT_EQ(d3dx::NextMipLevel(half).pixels, (std::vector<std::uint32_t>{Grey(52)}));
    // A side of 1 stays 1 while the other halves; alpha averages like colour.
    EXPECT_EQ(d3dx::NextMipLevel(Picture(1, 2, {0x00000000, 0xFF000000})).pixels[0], 0x80000000u);
}

TEST(ImageResampling, FiltersAlignPixelCentres)
{
    const Image pair = Picture(2, 1, {Grey(0), Grey(255)});
    EXPECT_EQ(d3dx::Resample(pair, 4, 1, d3dx::ResampleFilter::Linear).pixels,
              (std::vector<std::uint32_t>{Grey(0), Grey(64), Grey(191), Grey(255)}));
    EXPECT_EQ(d3dx::Resample(pair, 4, 1, d3dx::ResampleFilter::Point).pixels,
              (std::vector<std::uint32_t>{Grey(0), Grey(0), Grey(255), Grey(255)}));
    EXPECT_EQ(d3dx::Resample(Picture(3, 1, {Grey(0), Grey(90), Grey(180)}), 2, 1, d3dx::ResampleFilter::Box).pixels,
              (std::vector<std::uint32_t>{Grey(30), Grey(150)}));
    EXPECT_EQ(d3dx::Resample(pair, 3, 2, d3dx::ResampleFilter::None).pixels,
              (std::vector<std::uint32_t>{Grey(0), Grey(255), 0, 0, 0, 0}));
}
