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
#include "render/renderer_fixture.h"
#include "effects/show_folder.h"

namespace {


// fxend on the shell's third grid, with fx05 ready to run before it.
class FxEndEffect : public RendererTest {
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(ShowFolder())) GTEST_SKIP() << "no generated show at " << ShowFolder();
        RendererTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(ShowFolder());
        g_device = render->GetDevice();
        g_camera = new cCamera(cVector(25.0f, -25.0f, -100.0f), cVector(0.0f, 0.0f, 0.0f));
        render->SetCamera(g_camera);
        for (fx** grid : {&g_grid2, &g_grid3}) {
            *grid = new fx();
            ASSERT_TRUE((*grid)->Init(render, 640, 480, 16));
        }
        g_renderTarget = new CTextureRenderer(g_device, 1, 256, 256, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
        const char* files[] = {"data\\tex0.jpg", "data\\tex1.jpg", "data\\tex2.jpg", "data\\tex3.jpg", "data\\tex4.jpg"};
        const char* names[] = {"1", "2", "3", "4", "5"};
        for (int i = 0; i < 5; ++i) render->LoadTexture(files[i], names[i]);
        render->LoadTexture("data\\black.jpg", "black");
        fxend_Init();
        fxrewind_Init();
    }

    void TearDown() override
    {
        if (previous.empty()) return;
        std::filesystem::current_path(previous);
        delete g_renderTarget;
        delete g_grid2;
        delete g_grid3;
        delete g_camera;
        g_renderTarget = nullptr;
        g_grid2 = g_grid3 = nullptr;
        g_camera = nullptr;
        g_device = nullptr;
        RendererTest::TearDown();
    }

    std::vector<std::uint8_t> Frame(void (*effect)(float), float t, const char* name)
    {
        g_device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
        g_camera->Set(cVector(0.0f, 1200.0f, 500.0f), cVector(0.0f, 0.0f, 0.0f));
        render->clearColor = 0;
        g_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        effect(t);
        render->EndFrame();
        std::vector<std::uint8_t> opaque = pixels;
        for (std::size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
        if (const char* folder = std::getenv("REWIND_EFFECT_PNG")) {
            const std::string path = std::string(folder) + "/" + name + "-" + std::to_string(int(t)) + ".png";
            WritePng(path.c_str(), PresentedFrame{640, 480, opaque.data()});
        }
        return opaque;
    }

    std::filesystem::path previous;
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
