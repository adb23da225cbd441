#include "effects/znaki.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "common/jpeg_writer.h"
#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "effects/show_effect_test.h"
#include "render/renderer_fixture.h"
#include "support/ini_file.h"

namespace {

// A sign file's text: the count, then per sign a title and four rows.
std::string SignText(const std::string& count, const std::vector<std::string>& rows)
{
    std::string text = count + "\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i % 4 == 0) text += "sign\n";
        text += rows[i] + "\n";
    }
    return text;
}

template <typename Read>
auto ReadText(const std::string& text, Read read)
{
    TempDir dir;
    const std::string path = dir.Write("signs.ini", text);
    cIniFile ini;
    ini.Open(path.c_str());
    return read(ini);
}

} // namespace

TEST(ZnakiCycle, SignsHoldBlendAndHandOverWithoutAJump)
{
    SignCycle cycle;
    EXPECT_EQ(znaki_Advance(cycle, 1499.0f, 3).weight, 0.0f);
    const SignBlend middle = znaki_Advance(cycle, 2500.0f, 3);
    EXPECT_EQ(middle.current, 0u);
    EXPECT_EQ(middle.next, 1u);
    EXPECT_FLOAT_EQ(middle.weight, 0.5f);
    EXPECT_EQ(znaki_Advance(cycle, 4999.0f, 3).weight, 1.0f);

    // At the cycle change the former next sign is shown alone.
    const SignBlend changed = znaki_Advance(cycle, 5000.0f, 3);
    EXPECT_EQ(changed.current, 1u);
    EXPECT_EQ(changed.next, 2u);
    EXPECT_EQ(changed.weight, 0.0f);

    // However many cycles a slow frame skips, the sign moves on by one, and
    // the last sign blends into the first.
    const SignBlend skipped = znaki_Advance(cycle, 17500.0f, 3);
    EXPECT_EQ(skipped.current, 2u);
    EXPECT_EQ(skipped.next, 0u);
    EXPECT_FLOAT_EQ(skipped.weight, 0.5f);

    // One sign is shown steadily; none leaves both indices at 0.
    for (unsigned count : {0u, 1u}) {
        SignCycle single;
        for (float e : {2500.0f, 5000.0f, 60000.0f}) {
            const SignBlend blend = znaki_Advance(single, e, count);
            EXPECT_EQ(blend.current + blend.next, 0u);
        }
    }
}

TEST(ZnakiFile, ReadsSignsAndRefusesBadOnesOneByOne)
{
    LogCapture log;
    // Sign 1 lacks a value, sign 2 has one above 5; signs 0 and 3 are kept,
    // with a row's leading word and trailing extras ignored.
    const std::vector<Sign> signs = ReadText(
        SignText("4", {"0 1 2 3 4", "5 5 5 5 5", "0 0 0 0 0", "1 1 1 1 1",   //
                       "1 2 3 4", "1 1 1 1 1", "1 1 1 1 1", "1 1 1 1 1",     //
                       "1 1 1 1 1", "1 1 9 1 1", "1 1 1 1 1", "1 1 1 1 1",   //
                       "row 2 2 2 2 2 7", "3 3 3 3 3", "4 4 4 4 4", "5 5 5 5 5"}),
        ReadSigns);
    ASSERT_EQ(signs.size(), 2u);
    EXPECT_EQ(signs[0].values[4], 4.0f);
    EXPECT_EQ(signs[0].values[5], 5.0f);
    EXPECT_EQ(signs[1].values[0], 2.0f);
    EXPECT_EQ(signs[1].values[19], 5.0f);
    EXPECT_NE(log.Text().find("fewer than 5 values"), std::string::npos);
    EXPECT_NE(log.Text().find("a value above 5"), std::string::npos);
}

TEST(ZnakiFile, HostileCountsShortFilesAndDotRows)
{
    LogCapture log;
    EXPECT_TRUE(ReadText("2 signs\n", ReadSigns).empty());
    EXPECT_NE(log.Text().find(" znaki : error in znaki2.ini\n"), std::string::npos);
    EXPECT_TRUE(ReadText("x\n", ReadDotSigns).empty());
    EXPECT_NE(log.Text().find(" znaki : error in znaki.ini\n"), std::string::npos);

    // A huge count is cut to the table's 25; the end of the file stops the
    // reading after the last complete sign.
    const std::vector<std::string> rows(118, "1 1 1 1 1");
    EXPECT_EQ(ReadText(SignText("4294967295", rows), ReadSigns).size(), kMaxSigns);
    EXPECT_EQ(ReadText(SignText("3", {rows.begin(), rows.begin() + 10}), ReadSigns).size(), 2u);
    EXPECT_NE(log.Text().find("znaki2.ini ends after 2 of 3 signs"), std::string::npos);

    // Dot pictures: 30 rows of 40 numbers; the second sign has a row with a
    // non-number and is left out.
    std::string row = "1";
    for (int x = 1; x < 40; ++x) row += " 0.25";
    std::string text = "2\nfirst\n";
    for (int y = 0; y < 60; ++y) text += (y == 30 ? "second\n" : "") + (y == 37 ? "nan" + row.substr(1) : row) + "\n";
    const std::vector<DotSign> dots = ReadText(text, ReadDotSigns);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].dots[29][0], 1.0f);
    EXPECT_EQ(dots[0].dots[29][39], 0.25f);
    EXPECT_NE(log.Text().find("znaki.ini is left out, a row does not hold 40 numbers"), std::string::npos);
}

namespace {

// The matrix drawn over black on a headless renderer.
class ZnakiMatrix : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        g_device = render->GetDevice();
        previous = std::filesystem::current_path();
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous);
        g_device = nullptr;
        RendererTest::TearDown();
    }

    void Frame(float t, const char* pngName = nullptr)
    {
        render->BeginFrame(2);
        znaki_Draw(t);
        render->EndFrame();
        KeepFrame(pixels, pngName, t);
    }

    int Red(int x, int y) const { return int((Pixel(x, y) >> 16) & 0xFF); }

    std::filesystem::path previous;
};

} // namespace

// The module keeps its clock from the first draw, so one test walks the
// whole story: no signs, then two signs from a file.
TEST_F(ZnakiMatrix, DrawsNothingWithoutSignsThenTheSignsAdditively)
{
    TempDir dir;
    std::filesystem::current_path(dir.Path());
    dir.Write("data/white.jpg", SolidJpeg(32, 32, {255, 255, 255}));
    render->LoadTexture("data\\white.jpg", "white");
    dir.Write("data/znaki2.ini", "x\n");
    znaki2_Init();
    Frame(1000.0f);
    EXPECT_EQ(Pixel(415, 30) & 0xFFFFFF, 0u);

    // Sign 0 lights the first column fully and the second to a fifth; sign 1
    // is dark.
    dir.Write("data/znaki2.ini", SignText("2", {"5 1 0 0 0", "5 1 0 0 0", "5 1 0 0 0", "5 1 0 0 0",  //
                                                "0 0 0 0 0", "0 0 0 0 0", "0 0 0 0 0", "0 0 0 0 0"}));
    znaki2_Init();
    Frame(233180.0f);
    EXPECT_NEAR(Red(415, 30), 254, 2);
    EXPECT_NEAR(Red(465, 180), 50, 3);
    EXPECT_EQ(Red(515, 80), 0);
    // Squares are 1.4 x 32 texels, centred on their place; between them lies
    // black.
    EXPECT_NEAR(Red(415 + 21, 30), 254, 2);
    EXPECT_EQ(Red(415 + 25, 30), 0);
    EXPECT_EQ(Red(300, 30), 0);
    // Halfway into the blend the first column is at half brightness.
    Frame(233180.0f + 2500.0f);
    EXPECT_NEAR(Red(415, 130), 127, 2);
}

// With REWIND_EFFECT_PNG set, keeps each sign and each blend halfway.
TEST_F(ZnakiMatrix, ShowsTheSignsOfTheShow)
{
    const std::filesystem::path show = ShowFolder();
    if (!std::filesystem::exists(show / "data" / "znaki2.ini")) GTEST_SKIP() << "no generated show";
    std::filesystem::current_path(show);
    render->LoadTexture("data\\white.jpg", "white");
    znaki_Init();
    znaki2_Init();
    int lit = 0;
    for (float t = 300000.0f; t <= 320000.0f; t += 500.0f) {
        const int into = int(t - 300000.0f) % 5000;
        Frame(t, into == 0 || into == 2500 ? "znaki" : nullptr);
        lit += Red(465, 80) > 0;
    }
    EXPECT_GT(lit, 0);
}
