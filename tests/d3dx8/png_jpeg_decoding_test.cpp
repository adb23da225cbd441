#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include <jpeglib.h>
#include <png.h>

#include "common/jpeg_writer.h"
#include "platform/d3dx8/image_decoding.h"

using d3dx::DecodeImage;

namespace {

std::vector<std::uint8_t> WritePng(std::uint32_t format, int width, int height, const std::vector<std::uint8_t>& pixels)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.format = format;
    png.width = width;
    png.height = height;
    std::vector<std::uint8_t> file(4096);
    png_alloc_size_t size = file.size();
    EXPECT_NE(png_image_write_to_memory(&png, file.data(), &size, 0, pixels.data(), 0, nullptr), 0);
    file.resize(size);
    return file;
}

// A picture of one colour, grey when `colour` has one component.
std::vector<std::uint8_t> WriteJpeg(int width, int height, const Sample& colour)
{
    const std::string bytes = EncodeJpeg(width, height, static_cast<int>(colour.size()), [&](int, int) { return colour; });
    return {bytes.begin(), bytes.end()};
}

void ExpectColourNear(std::uint32_t actual, std::uint32_t expected)
{
    for (int shift : {0, 8, 16, 24}) {
        EXPECT_NEAR(static_cast<int>((actual >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF), 3)
            << std::hex << actual << " against " << expected;
    }
}

} // namespace

TEST(PngDecoding, KeepsAlphaWhereTheFileHasIt)
{
    std::optional<d3dx::Image> image = DecodeImage(WritePng(PNG_FORMAT_RGBA, 2, 1, {255, 0, 0, 255, 10, 20, 30, 128}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0x800A141E}));
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_FALSE(DecodeImage(WritePng(PNG_FORMAT_GRAY, 1, 1, {100}))->hasAlpha);
}

TEST(JpegDecoding, DecodesColourAndExpandsGrey)
{
    std::optional<d3dx::Image> image = DecodeImage(WriteJpeg(16, 8, {200, 100, 50}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16u);
    EXPECT_EQ(image->height, 8u);
    ExpectColourNear(image->At(15, 7), 0xFFC86432);
    image = DecodeImage(WriteJpeg(8, 8, {77}));
    ASSERT_TRUE(image);
    ExpectColourNear(image->At(3, 3), 0xFF4D4D4D);
}

TEST(ImageDecoding, TruncatedCorruptOversizedAndGarbageFilesAreRefused)
{
    const std::vector<std::uint8_t> jpeg = WriteJpeg(64, 64, {10, 200, 30});
    const std::vector<std::uint8_t> png = WritePng(PNG_FORMAT_RGB, 32, 32, std::vector<std::uint8_t>(32 * 32 * 3, 90));
    for (const std::vector<std::uint8_t>* file : {&jpeg, &png}) {
        ASSERT_TRUE(DecodeImage(*file));
        EXPECT_FALSE(DecodeImage(std::span(*file).first(file->size() - 20)));
        EXPECT_FALSE(DecodeImage(std::span(*file).first(12)));
    }
    std::vector<std::uint8_t> corrupt = jpeg;
    for (std::size_t i = 20; i < corrupt.size(); i += 7) {
        corrupt[i] = 0xFF;
    }
    EXPECT_FALSE(DecodeImage(corrupt));
    // A frame header claiming 30000 x 30000 pixels is refused before decoding.
    std::vector<std::uint8_t> huge = jpeg;
    for (std::size_t i = 0; i + 8 < huge.size(); i++) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 30000 >> 8;
            huge[i + 6] = huge[i + 8] = 30000 & 0xFF;
            break;
        }
    }
    EXPECT_FALSE(DecodeImage(huge));

    std::mt19937 random(7);
    for (std::vector<std::uint8_t> signature : std::vector<std::vector<std::uint8_t>>{
             {}, {'B', 'M'}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, {0xFF, 0xD8, 0xFF}}) {
        for (std::size_t size : {0, 17, 54, 5000}) {
            std::vector<std::uint8_t> bytes = signature;
            while (bytes.size() < size) {
                bytes.push_back(static_cast<std::uint8_t>(random()));
            }
            EXPECT_FALSE(DecodeImage(bytes)) << size << " bytes";
        }
    }
}
