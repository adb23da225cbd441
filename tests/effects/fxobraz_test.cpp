#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "common/jpeg_writer.h"
#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "effects/fxobraz.h"
#include "effects/show_effect_test.h"
#include "objects/object_file_bytes.h"
#include "render/renderer_fixture.h"
#include "support/random.h"

TEST(ObrazTiming, BarsPicturesAndBackgroundFade)
{
    EXPECT_EQ(fxobraz_BarAlpha(10999.0f), 32);
    EXPECT_EQ(fxobraz_BarAlpha(11250.0f), 16);
    EXPECT_EQ(fxobraz_BarAlpha(17438.0f), 143);
    EXPECT_EQ(fxobraz_BarAlpha(18581.0f + 499.0f), 31);
    EXPECT_EQ(fxobraz_BarAlpha(18581.0f + 500.0f), 32);

    const ObrazPictureOpacities crossing = fxobraz_PictureOpacities(7625.0f);
    EXPECT_EQ(crossing.first, 0.5f);
    EXPECT_EQ(crossing.second, 0.5f);
    EXPECT_EQ(fxobraz_PictureOpacities(3800.0f).first, 0.5f);

    EXPECT_EQ(fxobraz_GridAlpha(7825.0f), 63);
    EXPECT_EQ(fxobraz_GridAlpha(8250.0f), 128);
    EXPECT_FLOAT_EQ(fxobraz_BigFlareBrightness(7825.0f), 0.5f);
    EXPECT_FLOAT_EQ(fxobraz_BigFlareBrightness(8750.0f), 1.0f);
}

TEST(ObrazTiming, RingsNeverShrinkBelowTheFloorAndFlaresFlash)
{
    // speed 0.01: sin runs over 1000 + 4000 ms.
    EXPECT_EQ(fxobraz_RingPulse(0.01f, 0.01f, 0.0f).size, 0.09f);
    EXPECT_FLOAT_EQ(fxobraz_RingPulse(0.01f, 0.01f, 2500.0f).size, 4.01f);
    EXPECT_FLOAT_EQ(fxobraz_RingPulse(0.01f, 0.01f, 7500.0f).brightness, 1.0f);

    ObrazFlash flash{};
    ASSERT_TRUE(fxobraz_Flash(2780.0f + 175.0f, &flash));
    EXPECT_FLOAT_EQ(flash.brightness, 0.7f);
    EXPECT_FLOAT_EQ(flash.minPointSize, 17.2f);
    EXPECT_TRUE(fxobraz_Flash(2780.0f + 350.0f, &flash));
    EXPECT_FALSE(fxobraz_Flash(2780.0f + 351.0f, &flash));
    // 23852 starts while the flash of 23719 still runs: the later one counts.
    ASSERT_TRUE(fxobraz_Flash(23862.0f, &flash));
    EXPECT_FLOAT_EQ(flash.brightness, 1.0f - 10.0f / 350.0f + 0.2f);
}

namespace {

// Object files of `count` vertices at `position`(i), with the given faces.
template <typename Position>
std::string Mesh(std::uint32_t count, Position position, const std::vector<std::uint32_t>& faces = {})
{
    std::vector<float> values;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto [x, y, z] = position(i);
        values.insert(values.end(), {float(x), float(y), float(z), 0.0f, 0.0f});
    }
    return ObjectFile(count, static_cast<std::uint32_t>(faces.size() / 3), values, faces);
}

// A ring of radius 20 about the y axis, 2 r thick: 32 x 8 vertices.
std::string Torus(double r)
{
    std::vector<std::uint32_t> faces;
    for (std::uint32_t i = 0; i < 32; ++i) {
        for (std::uint32_t j = 0; j < 8; ++j) {
            const std::uint32_t p = i * 8 + j, q = (i + 1) % 32 * 8 + j, p1 = i * 8 + (j + 1) % 8,
                                q1 = (i + 1) % 32 * 8 + (j + 1) % 8;
            faces.insert(faces.end(), {p, q, q1, p, q1, p1});
        }
    }
    return Mesh(256, [r](std::uint32_t v) {
        const double a = 2 * M_PI * (v / 8) / 32, b = 2 * M_PI * (v % 8) / 8, d = 20 + r * std::cos(b);
        return std::tuple{d * std::cos(a), r * std::sin(b), d * std::sin(a)};
    }, faces);
}

// `count` particles on a sphere, each the first of four vertex records.
std::string Cloud(std::uint32_t count, double radius)
{
    return Mesh(4 * count, [=](std::uint32_t v) {
        const double a = v / 4 * 2.4, z = 1.0 - 2.0 * (v / 4 + 0.5) / count, s = std::sqrt(1 - z * z);
        return std::tuple{radius * s * std::cos(a), radius * s * std::sin(a), radius * z};
    });
}

// fxobraz on a headless renderer with the shell's camera and first grid,
// reading its files from a scratch directory made the current one.
class ObrazEffect : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        g_device = render->GetDevice();
        g_camera = new cCamera(cVector(25.0f, -25.0f, -100.0f), cVector(0.0f, 0.0f, 0.0f));
        render->SetCamera(g_camera);
        g_grid1 = new fx();
        ASSERT_TRUE(g_grid1->Init(render, 640, 480, 16));
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        dir.Write("obj/flara_duza2.obj", Cloud(24, 6.0));
        dir.Write("obj/flara_mala1.obj", Cloud(smallFlares, 4.0));
        dir.Write("obj/donut01.obj", Torus(1.6));
        dir.Write("obj/donut02.obj", Torus(4.0));
        // A square column 2 wide and 32 long.
        dir.Write("obj/dlugi.obj", Mesh(8, [](std::uint32_t v) {
                      return std::tuple{v % 4 == 1 || v % 4 == 2 ? 1 : -1, v < 4 ? -16 : 16, v % 4 < 2 ? -1 : 1};
                  }, {0, 5, 1, 0, 4, 5, 1, 6, 2, 1, 5, 6, 2, 7, 3, 2, 6, 7, 3, 4, 0, 3, 7, 4}));
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous);
        delete g_grid1;
        delete g_camera;
        g_grid1 = nullptr;
        g_camera = nullptr;
        g_device = nullptr;
        RendererTest::TearDown();
    }

    void WritePictures()
    {
        // A gradient from blue on the left to red on the right, over 384 rows.
        dir.Write("data/obraz.jpg", EncodeJpeg(512, 512, 3, [](int x, int y) {
                      return Sample{std::uint8_t(x / 2), std::uint8_t(80 + y / 4), std::uint8_t(255 - x / 2)};
                  }));
        dir.Write("data/obrazalpha22.jpg",
                  EncodeJpeg(512, 512, 1, [](int x, int) { return Sample{std::uint8_t(x / 2)}; }));
        dir.Write("data/obrazalpha3.jpg", SolidJpeg(512, 512, {255}));
        dir.Write("data/back2.jpg", EncodeJpeg(256, 256, 3, [](int x, int y) {
                      return (x / 32 + y / 32) % 2 ? Sample{40, 60, 160} : Sample{200, 200, 220};
                  }));
        dir.Write("data/t5.jpg", SolidJpeg(16, 16, {200, 120, 60}));
        dir.Write("data/black.jpg", SolidJpeg(32, 32, {0, 0, 0}));
        dir.Write("data/flara3.jpg", EncodeJpeg(64, 64, 3, [](int x, int y) {
                      const double glow = std::max(0.0, 1.0 - std::hypot(x - 31.5, y - 31.5) / 32.0);
                      return Sample(3, std::uint8_t(255 * glow * glow));
                  }));
        render->LoadTexture("data\\black.jpg", "black");
        render->LoadTexture("data\\flara3.jpg", "flara3");
    }

    void Frame(float t)
    {
        fxobraz_Render(t);
        render->EndFrame();
        KeepFrame(pixels, "fxobraz", t);
    }

    static constexpr int smallFlares = 60;
    TempDir dir;
    std::filesystem::path previous;
};

} // namespace

// Without any picture the registry logs each, and the frames draw without them.
TEST_F(ObrazEffect, InitDrawsTwicePerSmallFlareSevenTimesPerBarAndFourTimesPerRing)
{
    LogCapture log;
    RandomSeed(20);
    fxobraz_InitPictures();
    fxobraz_Init();
    std::uint32_t reference = 20;
    for (int i = 0; i < 2 * smallFlares + 7 * 80 + 4 * (3 + 7 + 5) + 1; ++i) reference = reference * 214013u + 2531011u;
    EXPECT_EQ(RandomNext(), static_cast<int>((reference >> 16) & 0x7FFF));
    EXPECT_NE(log.Text().find("data\\back2.jpg"), std::string::npos);
    for (float t : {2800.0f, 11250.0f, 17438.0f, 31000.0f}) Frame(t);
}

TEST_F(ObrazEffect, DrawsPicturesBackgroundBarsFlaresAndRings)
{
    WritePictures();
    fxobraz_InitPictures();
    fxobraz_Init();

    // The first picture alone, half faded in over black.
    Frame(3800.0f);
    EXPECT_NEAR(int(Pixel(5, 400) & 0xFF), 127, 10);
    EXPECT_NEAR(int((Pixel(634, 400) >> 16) & 0xFF), 127, 10);

    // Later the background shows through where "tlo" is transparent.
    for (float t : {7625.0f, 12000.0f, 17438.0f, 31000.0f}) Frame(t);
    int lit = 0;
    for (int y = 0; y < 480; y += 4) {
        for (int x = 0; x < 160; x += 4) lit += (Pixel(x, y) & 0xFFFFFF) != 0;
    }
    EXPECT_GT(lit, 40 * 120 * 3 / 4);
}
