#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "app/demo.h"
#include "common/jpeg_writer.h"
#include "common/temp_dir.h"
#include "effects/fxrewind.h"
#include "render/renderer_fixture.h"
#include "render/texture_manager.h"
#include "support/random.h"

namespace {

class RewindNoise : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        g_device = render->GetDevice();
        RandomSeed(1);
        fxrewind_Init();
        Skip(2 * kRewindStreaks);
    }

    void TearDown() override
    {
        g_device = nullptr;
        RendererTest::TearDown();
    }

    void Frame(float t, D3DCOLOR clear = 0)
    {
        render->clearColor = clear;
        render->BeginFrame(2);
        fxrewind_Render(t);
        render->EndFrame();
    }

    // The generator's recurrence, advanced by hand beside the real one.
    void Skip(int count)
    {
        for (int i = 0; i < count; ++i) reference = reference * 214013u + 2531011u;
    }

    // The real generator has moved exactly as far as the reference.
    void ExpectInStep()
    {
        Skip(1);
        ASSERT_EQ(RandomNext(), static_cast<int>((reference >> 16) & 0x7FFF));
    }

    std::uint32_t reference = 1;
};

} // namespace

TEST_F(RewindNoise, StreaksJumpOnlyWhenMoreThan50MillisecondsHavePassed)
{
    // From state 1 the generator gives 41, then 18467.
    EXPECT_EQ(fxrewind_Streaks()[0].y, 41 % 490 - 5);
    EXPECT_EQ(fxrewind_Streaks()[0].size, 18467 % 20 + 4);

    // Every streak jumps on the first call.
    Frame(1000.0f);
    for (int i = 0; i < kRewindStreaks; ++i) EXPECT_EQ(fxrewind_Streaks()[i].time, 1000.0f);
    EXPECT_EQ(fxrewind_Streaks()[0].colour, 0x1F000000u);
    Skip(6 * kRewindBlotches + 2 * kRewindStreaks);
    ExpectInStep();

    const float y = fxrewind_Streaks()[7].y;
    Frame(1030.0f);
    Frame(1050.0f);
    for (int i = 0; i < kRewindStreaks; ++i) EXPECT_EQ(fxrewind_Streaks()[i].time, 1000.0f);
    EXPECT_EQ(fxrewind_Streaks()[7].y, y);
    Skip(2 * 6 * kRewindBlotches);
    ExpectInStep();

    Frame(1051.0f);
    for (int i = 0; i < kRewindStreaks; ++i) EXPECT_EQ(fxrewind_Streaks()[i].time, 1051.0f);
    Skip(6 * kRewindBlotches + 2 * kRewindStreaks);
    ExpectInStep();
}

TEST_F(RewindNoise, LeavesTheRenderStatesItTouchesAsItFoundThem)
{
    const std::pair<D3DRENDERSTATETYPE, DWORD> odd[] = {
        {D3DRS_ALPHABLENDENABLE, FALSE},         {D3DRS_ZENABLE, D3DZB_USEW},
        {D3DRS_ZWRITEENABLE, TRUE},              {D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR},
        {D3DRS_DESTBLEND, D3DBLEND_INVSRCCOLOR}, {D3DRS_CULLMODE, D3DCULL_CCW}};
    for (const auto& [state, value] : odd) g_device->SetRenderState(state, value);
    Frame(1000.0f);
    for (const auto& [state, value] : odd) {
        DWORD now = 0;
        g_device->GetRenderState(state, &now);
        EXPECT_EQ(now, value) << "state " << state;
    }
}

TEST_F(RewindNoise, DarkensTheFrameWithTranslucentBlotchesAndStreaks)
{
    TempDir dir;
    dir.Write("data/black.jpg", SolidJpeg(32, 32, {0, 0, 0}));
    dir.Write("data/dupa2.jpg", SolidJpeg(16, 16, {200, 200, 200}));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    render->LoadTexture("data\\black.jpg", "black");
    fxrewind_InitChess();
    std::filesystem::current_path(previous);
    EXPECT_NE(render->GetTextureManager()->FindSilent("chess2"), nullptr);

    Frame(1000.0f, 0xFFFFFFFF);
    int darkened = 0;
    std::uint32_t darkest = 255;
    for (int y = 0; y < 480; y += 2) {
        for (int x = 0; x < 640; x += 2) {
            darkened += (Pixel(x, y) & 0xFF) < 240;
            darkest = std::min(darkest, Pixel(x, y) & 0xFF);
        }
    }
    EXPECT_GT(darkened, 1000);
    EXPECT_GT(darkest, 64u);
}
