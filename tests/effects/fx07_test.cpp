#include "effects/fx07.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "platform/d3d8/png_file.h"
#include "scene/scene_textures.h"
#include "support/random.h"
#include "effects/show_effect_test.h"

TEST(Fx07, AStreakFallsForThreeSecondsThenStartsAgainAtTheTop)
{
    float start = 222235.0f - 1500.0f;
    EXPECT_EQ(fx07_StreakRow(start, 222235.0f), 240);
    EXPECT_EQ(start, 222235.0f - 1500.0f);

    // Exactly three seconds in the streak sits at the bottom; one more
    // millisecond and it starts again.
    start = 219235.0f;
    EXPECT_EQ(fx07_StreakRow(start, 222235.0f), 480);
    EXPECT_EQ(fx07_StreakRow(start, 222236.0f), 0);
    EXPECT_EQ(start, 222236.0f);

    // Time running backwards lifts the streak above the top.
    start = 222235.0f;
    EXPECT_EQ(fx07_StreakRow(start, 222000.0f), -37);
    EXPECT_EQ(start, 222235.0f);
}

namespace {


// fx07 with the scene loaded as start-up loads it, in the generated show.
class Fx07Effect : public ShowEffectTest {
protected:
    void SetUp() override
    {
        ShowEffectTest::SetUp();
        if (IsSkipped()) return;
        RandomSeed(5);
        fx07_Init();
        g_sceneTextures.Init(g_device, D3DFMT_A8R8G8B8);
        g_scene = new cScene();
        g_scene->SetDevice(g_device, 0);
        g_scene->Load("obj\\a.scene");
        g_scene->zFar = 25000.0f;
    }

    void TearDown() override
    {
        delete g_scene;
        g_scene = nullptr;
        if (!IsSkipped()) g_sceneTextures.Shutdown();
        ShowEffectTest::TearDown();
    }

    void Frame(float t) { ShowEffectTest::Frame(fx07_Render, t, "fx07"); }
};

} // namespace

// The streaks start spread over the screen by their random offsets, and
// frames less than three seconds apart keep them so; each darkens its row a
// little.
TEST_F(Fx07Effect, TheScenePlaysUnderTheOverlayAndFaintStreaks)
{
    std::uint32_t state = 5;
    std::vector<float> starts(fx07_StreakStarts(), fx07_StreakStarts() + kFx07Streaks);
    int lowest = 480, highest = 0;
    for (float& start : starts) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(start, 222235.0f - static_cast<float>(((state >> 16) & 0x7FFF) % 3000));
        const int row = fx07_StreakRow(start, 222235.0f);
        lowest = std::min(lowest, row);
        highest = std::max(highest, row);
    }
    EXPECT_GE(lowest, 0);
    EXPECT_LT(lowest, 48);
    EXPECT_LT(highest, 480);
    EXPECT_GT(highest, 432);

    for (float t : {222235.0f, 224000.0f, 226000.0f, 228000.0f, 230000.0f, 232000.0f}) Frame(t);
    int lit = 0;
    for (int y = 0; y < 480; y += 4)
        for (int x = 0; x < 640; x += 4) lit += (Pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 160 * 120 / 2);

    auto brightness = [this](int y) {
        const std::uint32_t p = Pixel(600, y);
        return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
    };
    starts.assign(fx07_StreakStarts(), fx07_StreakStarts() + kFx07Streaks);
    int rows = 0, darker = 0;
    for (float start : starts) {
        const int row = fx07_StreakRow(start, 232000.0f);
        if (row < 80 || row > 400) continue;
        ++rows;
        darker += brightness(row) < std::min(brightness(row - 1), brightness(row + 1)) ||
                  brightness(row) < std::max(brightness(row - 1), brightness(row + 1)) - 10;
    }
    EXPECT_GT(rows, 50);
    EXPECT_GT(darker, rows * 3 / 4);
}
