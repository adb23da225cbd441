#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "common/jpeg_writer.h"
#include "platform/ijl/ijl.h"

namespace {

const Sample kTop = {200, 60, 20};
const Sample kBottom = {20, 100, 220};

// 16x16: rows 0-7 kTop, rows 8-15 kBottom.
std::string TwoBands() { return EncodeJpeg(16, 16, 3, [](int, int y) { return y < 8 ? kTop : kBottom; }); }

// Rewrites the size in the baseline frame header.
std::string WithSize(std::string file, unsigned width, unsigned height)
{
    const std::size_t frame = file.find("\xFF\xC0");
    const char size[] = {char(height >> 8), char(height), char(width >> 8), char(width)};
    return file.replace(frame + 5, 4, size, 4);
}

void ExpectPixel(const BYTE* pixel, const Sample& expected)
{
    for (int c = 0; c < 3; c++) EXPECT_NEAR(pixel[c], expected[c], 3) << "channel " << c;
}

Sample Reversed(const Sample& s) { return {s[2], s[1], s[0]}; }

class Ijl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ijlInit(&properties), IJL_OK); }
    void TearDown() override { ijlFree(&properties); }

    // Points both the buffer and the file fields at `file`, then reads.
    IJLERR Read(const std::string& file, IJLIOTYPE mode)
    {
        bytes = file;
        properties.JPGBytes = reinterpret_cast<BYTE*>(bytes.data());
        properties.JPGSizeBytes = static_cast<DWORD>(bytes.size());
        path = directory.Write("picture.jpg", file);
        properties.JPGFile = path.c_str();
        return ijlRead(&properties, mode);
    }

    // A DIB filled with 0xCD, so that untouched bytes show.
    void DescribeDib(DWORD width, int height, DWORD channels, IJL_COLOR color, DWORD pad = 0)
    {
        dib.assign((width * channels + pad) * static_cast<DWORD>(std::abs(height)), 0xCD);
        properties.DIBBytes = dib.data();
        properties.DIBWidth = width;
        properties.DIBHeight = height;
        properties.DIBChannels = channels;
        properties.DIBColor = color;
        properties.DIBPadBytes = pad;
    }

    JPEG_CORE_PROPERTIES properties{};
    TempDir directory;
    std::string bytes;
    std::string path;
    std::vector<BYTE> dib;
};

TEST_F(Ijl, ReadsHeaderAndPictureFromBufferAndFileInEitherByteOrder)
{
    for (IJLIOTYPE params : {IJL_JBUFF_READPARAMS, IJL_JFILE_READPARAMS}) {
        SCOPED_TRACE(params);
        ASSERT_EQ(Read(EncodeJpeg(24, 16, 3, [](int, int) { return kTop; }), params), IJL_OK);
        EXPECT_EQ(properties.JPGWidth, 24u);
        EXPECT_EQ(properties.JPGHeight, 16u);
        EXPECT_EQ(properties.JPGChannels, 3u);
        EXPECT_EQ(properties.JPGColor, IJL_YCBCR);
        ASSERT_EQ(Read(SolidJpeg(8, 40, {90}), params), IJL_OK);
        EXPECT_EQ(properties.JPGChannels, 1u);
        EXPECT_EQ(properties.JPGColor, IJL_G);
    }
    for (IJLIOTYPE whole : {IJL_JBUFF_READWHOLEIMAGE, IJL_JFILE_READWHOLEIMAGE}) {
        SCOPED_TRACE(whole);
        properties.JPGColor = IJL_YCBCR;
        DescribeDib(16, 16, 3, IJL_BGR);
        ASSERT_EQ(Read(TwoBands(), whole), IJL_OK);
        ExpectPixel(&dib[(2 * 16 + 3) * 3], Reversed(kTop));
        ExpectPixel(&dib[(12 * 16 + 3) * 3], Reversed(kBottom));
        DescribeDib(16, 16, 3, IJL_RGB);
        ASSERT_EQ(Read(TwoBands(), whole), IJL_OK);
        ExpectPixel(&dib[(12 * 16 + 3) * 3], kBottom);
    }
}

TEST_F(Ijl, HonoursBottomUpRowsPaddingGreyAndFourChannels)
{
    properties.JPGColor = IJL_YCBCR;
    DescribeDib(16, -16, 3, IJL_RGB, 5);
    ASSERT_EQ(Read(TwoBands(), IJL_JBUFF_READWHOLEIMAGE), IJL_OK);
    const std::size_t stride = 16 * 3 + 5;
    ExpectPixel(&dib[0], kBottom);
    ExpectPixel(&dib[15 * stride + 15 * 3], kTop);
    for (std::size_t row = 0; row < 16; row++) {
        EXPECT_EQ(std::string(&dib[row * stride + 48], &dib[row * stride + 53]), std::string(5, '\xCD'));
    }

    properties.JPGColor = IJL_G;
    DescribeDib(8, 8, 3, IJL_BGR);
    ASSERT_EQ(Read(SolidJpeg(8, 8, {90}), IJL_JBUFF_READWHOLEIMAGE), IJL_OK);
    ExpectPixel(&dib[5 * 3], {90, 90, 90});

    properties.JPGColor = IJL_YCBCR;
    DescribeDib(16, 16, 4, IJL_BGR);
    ASSERT_EQ(Read(TwoBands(), IJL_JBUFF_READWHOLEIMAGE), IJL_OK);
    ExpectPixel(&dib[(12 * 16 + 3) * 4], Reversed(kBottom));
    EXPECT_EQ(dib[(12 * 16 + 3) * 4 + 3], 0xFF);
}

TEST_F(Ijl, DamagedHostileOrMismatchedInputGivesErrorCodes)
{
    const std::string good = EncodeJpeg(64, 64, 3, [](int x, int y) {
        return Sample{std::uint8_t(x * y), std::uint8_t(x * 5), std::uint8_t(y * 9)};
    });
    std::string lossless = good;
    lossless[lossless.find("\xFF\xC0") + 1] = '\xC3';
    const std::string damaged[] = {"", "GIF89a and more", "\xFF\xD8", good.substr(0, 100), lossless,
                                   WithSize(good, 16385, 1), WithSize(good, 8192, 8193), WithSize(good, 60000, 60000)};
    for (const std::string& file : damaged) {
        for (IJLIOTYPE mode : {IJL_JBUFF_READPARAMS, IJL_JFILE_READPARAMS}) {
            const IJLERR result = Read(file, mode);
            EXPECT_LT(result, 0) << file.size() << " bytes, mode " << mode;
            EXPECT_STRNE(ijlErrorStr(result), ijlErrorStr(IJLERR(-1000))) << "a text of its own";
        }
    }
    EXPECT_EQ(Read("GIF89a", IJL_JBUFF_READPARAMS), IJL_ERR_NOT_JPEG);
    EXPECT_EQ(Read(WithSize(good, 16384, 4096), IJL_JBUFF_READPARAMS), IJL_OK); // 2^26 pixels is the limit

    // Cut inside the picture data: the header still reads, the picture does not.
    const std::string truncated = good.substr(0, good.size() * 3 / 4);
    EXPECT_EQ(Read(truncated, IJL_JBUFF_READPARAMS), IJL_OK);
    DescribeDib(64, 64, 3, IJL_BGR);
    EXPECT_EQ(Read(truncated, IJL_JBUFF_READWHOLEIMAGE), IJL_ERROR_EOF);
    EXPECT_EQ(Read(truncated, IJL_JFILE_READWHOLEIMAGE), IJL_ERROR_EOF);

    DescribeDib(63, 64, 3, IJL_BGR);
    EXPECT_EQ(Read(good, IJL_JBUFF_READWHOLEIMAGE), IJL_INVALID_JPEG_PROPERTIES);
    DescribeDib(64, 64, 2, IJL_BGR);
    EXPECT_EQ(Read(good, IJL_JBUFF_READWHOLEIMAGE), IJL_UNSUPPORTED_BYTES_PER_PIXEL);
    properties.JPGFile = "no such file.jpg";
    EXPECT_EQ(ijlRead(&properties, IJL_JFILE_READPARAMS), IJL_INVALID_FILENAME);
}

TEST(IjlRecord, FreeIsSafeTwiceAndWithoutInit)
{
    JPEG_CORE_PROPERTIES properties{};
    EXPECT_EQ(ijlFree(&properties), IJL_OK);
    EXPECT_LT(ijlRead(&properties, IJL_JBUFF_READPARAMS), 0);
    ASSERT_EQ(ijlInit(&properties), IJL_OK);
    EXPECT_EQ(ijlFree(&properties), IJL_OK);
    EXPECT_EQ(ijlFree(&properties), IJL_OK);
    EXPECT_LT(ijlRead(&properties, IJL_JBUFF_READPARAMS), 0);
}

} // namespace
