#include "effects/fxend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "effects/fx05.h"
#include "effects/fxrewind.h"
#include "effects/glow.h"
#include "platform/d3d8/png_file.h"
#include "effects/show_effect_test.h"

namespace {


// fxend on the shell's third grid, with fx05 ready to run before it.
class FxEndEffect : public ShowEffectTest {
protected:
    void SetUp() override
    {
        ShowEffectTest::SetUp();
        if (IsSkipped()) return;
        fxend_Init();
        fxrewind_Init();
    }

    // The frame's pixels, to compare frames with each other.
    std::vector<std::uint8_t> Frame(void (*effect)(float), float t, const char* name)
    {
        ShowEffectTest::Frame(effect, t, name);
        return pixels;
    }
};

} // namespace

TEST_F(FxEndEffect, TheGridScrollsItsStaticTableAtATranslucentSixtyFour)
{
    fx* grid = g_grid3;
    grid->Update(9, 0.0f);
    grid->staticVertices[5].diffuse = 0x12345678;
    fxend_PrepareGrid(grid, 10000.0f);
    for (unsigned i : {0u, 5u, 300u}) {
        EXPECT_FLOAT_EQ(grid->displayVertices[i].u, grid->staticVertices[i].u + 3.0f);
        EXPECT_FLOAT_EQ(grid->displayVertices[i].v, grid->staticVertices[i].v + 1.0f);
    }
    EXPECT_EQ(grid->displayVertices[0].diffuse, 0x40FFFFFFu);
    EXPECT_EQ(grid->displayVertices[5].diffuse, 0x40345678u);
}

TEST_F(FxEndEffect, ShowsFx04sSpiralUntilFx05HasLeftItsInversionMapOnTheGrid)
{
    // fx04's initialisation computes the spiral; fx01 and fx06 run per-frame
    // modes on the grid, which leave the table alone.
    g_grid3->Update(0, 0.0f);
    g_grid3->Update(7, 50000.0f);
    g_grid3->Update(3, 115000.0f);
    const std::vector<std::uint8_t> spiral = Frame(fxend_Render, 266000.0f, "fxend-after-fx04");
    const float spiralU = g_grid3->displayVertices[100].u;

    fx05_Init();
    glow_Init();
    Frame(fx05_Render, 210000.0f, "fxend-fx05");
    const std::vector<std::uint8_t> inversion = Frame(fxend_Render, 266000.0f, "fxend-after-fx05");

    fx reference;
    ASSERT_TRUE(reference.Init(render, 640, 480, 16));
    reference.Update(9, 0.0f);
    // The map covers the screen; the overhanging cells keep what they had.
    for (unsigned i = 0; i < reference.cols * reference.rows; ++i) {
        if (i % reference.cols * 16 > 640 || i / reference.cols * 16 > 480) continue;
        ASSERT_EQ(g_grid3->staticVertices[i].u, reference.staticVertices[i].u) << i;
        ASSERT_EQ(g_grid3->staticVertices[i].v, reference.staticVertices[i].v) << i;
    }
    EXPECT_NE(g_grid3->displayVertices[100].u, spiralU);
    EXPECT_NE(spiral, inversion);
}
