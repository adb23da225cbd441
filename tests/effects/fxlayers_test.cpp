#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/timeline.h"
#include "common/jpeg_writer.h"
#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "effects/fxlayers.h"
#include "render/renderer_fixture.h"
#include "support/ini_file.h"

namespace {

LayerSet ReadLayers(const std::string& contents)
{
    TempDir dir;
    const std::string path = dir.Write("layer.ini", contents);
    cIniFile ini;
    EXPECT_TRUE(ini.Open(path.c_str()));
    return ReadLayerFile(ini);
}

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

LayerEntry Entry(float start, float end, std::uint32_t group, float period = 10.0f)
{
    return LayerEntry{start, end, period, 0.8f, group, 1, 240.0f};
}

const LayerGroup group{"a.jpg", {0, 16, 32}, nullptr};

} // namespace

TEST(LayerFile, ReadsGroupsThenEntriesAndSkipsLinesOfTheWrongSignature)
{
    LogCapture log;
    const LayerSet layers = ReadLayers("2\n"
                                       "data\\bands.jpg 3 0 40 80\n"
                                       "data\\more.jpg 2 0 64\n"
                                       "1000 2000 0 1 240 10.0 0.8\n"
                                       "1000 2000 0 1 240 10 0.8\n" // a period without a decimal point
                                       "3000 4000 1 0 100 -6.5 0.25\n");
    ASSERT_EQ(layers.groups.size(), 2u);
    EXPECT_EQ(layers.groups[0].file, "data\\bands.jpg");
    EXPECT_EQ(layers.groups[0].rows, (std::vector<std::uint32_t>{0, 40, 80}));
    ASSERT_EQ(layers.entries.size(), 2u);
    const LayerEntry& first = layers.entries[0];
    EXPECT_EQ(std::vector<float>({first.start, first.end, first.y, first.period, first.alpha}),
              std::vector<float>({1000, 2000, 240, 10, 0.8f}));
    EXPECT_EQ(first.group, 0u);
    EXPECT_EQ(first.strip, 1u);
    EXPECT_EQ(layers.entries[1].period, -6.5f);
    EXPECT_EQ(Count(log.Text(), "fxlayers : error in layer.ini\n"), 1);
}

// Whatever the file holds, every entry kept names a strip that exists and
// scrolls at a usable speed; what is refused is said in the log.
TEST(LayerFile, RefusesWhatCannotBeDrawn)
{
    LogCapture log;
    std::string file = "18\ng0.jpg 5 0 16\n"; // promises five rows, gives two
    for (int group = 1; group < 18; ++group) file += "g" + std::to_string(group) + ".jpg 2 0 16\n";
    file += "1000 2000 16 0 240 10.0 0.8\n" // group 16 was not kept
            "1000 2000 0 1 240 10.0 0.8\n"  // group 0 has one strip only
            "1000 2000 0 0 240 0.0 0.8\n"   // no speed
            "1000 2000 0 0 240 abc. 0.8\n"  // no number at all
            "1000 2000 0 0 240 10.0 1.5\n"; // more than opaque
    for (int entry = 0; entry < 300; ++entry) file += "0 1000 15 0 240 10.0 0.5\n";
    const LayerSet layers = ReadLayers(file);
    EXPECT_EQ(layers.groups.size(), 16u);
    EXPECT_EQ(layers.groups[0].rows, (std::vector<std::uint32_t>{0, 16}));
    EXPECT_EQ(layers.entries.size(), 256u);
    for (const LayerEntry& entry : layers.entries) EXPECT_EQ(entry.group, 15u);
    const std::string text = log.Text();
    EXPECT_EQ(Count(text, "promises 5 rows, 2 are kept"), 1);
    EXPECT_EQ(Count(text, "more than 16 groups"), 2);
    EXPECT_EQ(Count(text, "names no strip"), 2);
    EXPECT_EQ(Count(text, "has no usable period"), 2);
    EXPECT_EQ(Count(text, "alpha outside 0..1"), 1);
    EXPECT_EQ(Count(text, "more than 256 entries"), 300 - 256);
}

TEST(LayerSprite, SourceRectangleWrapsIntoTheFirst1023Texels)
{
    const LayerSprite sprite = LayerSpriteAt(Entry(0, 1e9f, 0), group, 15000.0f);
    EXPECT_EQ(sprite.source.left, 477);
    EXPECT_EQ(sprite.source.right, 1500);
    EXPECT_EQ(sprite.source.top, 18);    // boundary 1, + 2
    EXPECT_EQ(sprite.source.bottom, 31); // boundary 2, - 1

    // Scrolling the other way, -1500 and -477 move up by two turns.
    const LayerSprite backwards = LayerSpriteAt(Entry(0, 1e9f, 0, -10.0f), group, 15000.0f);
    EXPECT_EQ(backwards.source.left, 546);
    EXPECT_EQ(backwards.source.right, 1569);

    // An offset far beyond any integer still lands in the first turn.
    const LayerSprite far = LayerSpriteAt(Entry(0, 1e9f, 0, 1e-30f), group, 1e9f);
    EXPECT_GE(far.source.left, 0);
    EXPECT_LE(far.source.left, 1023);
    EXPECT_EQ(far.source.right - far.source.left, 1023);
}

TEST(LayerSprite, DrawnFromStartToBeforeEndFadingInOverTheFirst200Milliseconds)
{
    const LayerEntry entry = Entry(1000, 2000, 0);
    EXPECT_FALSE(LayerActive(entry, 999.0f));
    EXPECT_TRUE(LayerActive(entry, 1000.0f));
    EXPECT_TRUE(LayerActive(entry, 1999.0f));
    EXPECT_FALSE(LayerActive(entry, 2000.0f));
    EXPECT_EQ(LayerSpriteAt(entry, group, 1000.0f).opacity, 0.0f);
    EXPECT_FLOAT_EQ(LayerSpriteAt(entry, group, 1100.0f).opacity, 0.4f);
    EXPECT_EQ(LayerSpriteAt(entry, group, 1200.0f).opacity, 0.8f);
}

TEST(LayerSprite, ConsecutiveBandsOfOneGroupBindItsTextureOnce)
{
    // The inactive entry binds nothing, so the bands either side share a bind.
    LayerSet layers;
    layers.groups = {group, group};
    layers.entries = {Entry(0, 100, 0), Entry(0, 100, 0), Entry(0, 100, 1), Entry(500, 600, 0), Entry(0, 100, 1),
                      Entry(0, 100, 0)};
    std::vector<bool> binds;
    ForEachActiveLayer(layers, 50.0f, [&](const LayerEntry&, const LayerGroup&, bool bind) { binds.push_back(bind); });
    EXPECT_EQ(binds, (std::vector<bool>{true, false, true, false, true}));
}

namespace {

// The overlay on a headless renderer, reading data\layer.ini from a scratch
// directory made the current one.
class LayersOverlay : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        g_device = render->GetDevice();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous);
        g_timeline.rewinding = false;
        g_device = nullptr;
        RendererTest::TearDown();
    }

    void Frame(float t)
    {
        render->clearColor = 0;
        render->BeginFrame(2);
        fxlayers_Render(t);
        render->EndFrame();
    }

    TempDir dir;
    std::filesystem::path previous;
};

} // namespace

TEST_F(LayersOverlay, DrawsBandsAcrossTheScreenExceptWhileRewindingOrWithoutTheirPicture)
{
    // Strip 0 red, strip 1 green; the second group's picture is missing.
    dir.Write("data/bands.jpg", EncodeJpeg(1024, 64, 3, [](int, int y) {
                  return y < 32 ? Sample{255, 0, 0} : Sample{0, 255, 0};
              }));
    dir.Write("data/layer.ini", "2\ndata\\bands.jpg 3 0 32 64\ndata\\gone.jpg 2 0 16\n"
                                "1000 5000 0 1 240 10.0 1.0\n1000 5000 1 0 100 10.0 1.0\n");
    LogCapture log;
    fxlayers_Init();
    ASSERT_EQ(fxlayers_Layers().entries.size(), 2u);
    EXPECT_NE(log.Text().find("0 - 32 - 64 - \n"), std::string::npos);
    EXPECT_NE(log.Text().find("data\\gone.jpg"), std::string::npos);

    Frame(3000.0f);
    for (int x : {0, 320, 639}) {
        EXPECT_GT((Pixel(x, 240) >> 8) & 0xFF, 200u) << x;
        EXPECT_LT((Pixel(x, 240) >> 16) & 0xFF, 40u) << x;
    }
    for (int y : {100, 200, 280}) EXPECT_EQ(Pixel(320, y) & 0xFFFFFF, 0u) << y;

    g_timeline.rewinding = true;
    Frame(3000.0f);
    EXPECT_EQ(Pixel(320, 240) & 0xFFFFFF, 0u);
}
