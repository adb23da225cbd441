#pragma once
// A renderer in the generated show directory with the shell's shared objects
// made as start-up makes them (the camera, the three grids, the render target
// and the shared pictures), and frames drawn as the timeline draws them. The
// frames can be kept as pictures; fixtures that draw outside the show keep
// theirs with KeepFrame too.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "effects/show_folder.h"
#include "platform/d3d8/png_file.h"
#include "render/renderer_fixture.h"

// Keeps a presented 640x480 frame as "<name>-<t>.png" when REWIND_EFFECT_PNG
// names a folder, to look at what was drawn; without a name nothing is kept.
inline void KeepFrame(const std::vector<std::uint8_t>& pixels, const char* name, float t)
{
    const char* folder = std::getenv("REWIND_EFFECT_PNG");
    if (folder == nullptr || name == nullptr) return;
    const std::string path = std::string(folder) + "/" + name + "-" + std::to_string(int(t)) + ".png";
    WritePng(path.c_str(), PresentedFrame{640, 480, pixels.data()});
}

class ShowEffectTest : public RendererTest {
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
        for (fx** grid : {&g_grid1, &g_grid2, &g_grid3}) {
            *grid = new fx();
            ASSERT_TRUE((*grid)->Init(render, 640, 480, 16));
        }
        g_renderTarget = new CTextureRenderer(g_device, 1, 256, 256, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
        const char* shared[][2] = {{"data\\rewind.jpg", "rewind"}, {"data\\black.jpg", "black"},
                                   {"data\\white.jpg", "white"},   {"data\\flara3.jpg", "flara3"},
                                   {"data\\tex0.jpg", "1"},        {"data\\tex1.jpg", "2"},
                                   {"data\\tex2.jpg", "3"},        {"data\\tex3.jpg", "4"},
                                   {"data\\tex4.jpg", "5"}};
        for (const auto& texture : shared) render->LoadTexture(texture[0], texture[1]);
    }

    void TearDown() override
    {
        if (previous.empty()) return;
        std::filesystem::current_path(previous);
        delete g_renderTarget;
        for (fx** grid : {&g_grid1, &g_grid2, &g_grid3}) {
            delete *grid;
            *grid = nullptr;
        }
        delete g_camera;
        g_renderTarget = nullptr;
        g_camera = nullptr;
        g_device = nullptr;
        RendererTest::TearDown();
    }

    // One frame of `effect` at show time t with the timeline's per-frame
    // states, kept as KeepFrame keeps it.
    void Frame(void (*effect)(float), float t, const char* name)
    {
        g_device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
        g_camera->Set(cVector(0.0f, 1200.0f, 500.0f), cVector(0.0f, 0.0f, 0.0f));
        render->clearColor = 0;
        g_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        effect(t);
        render->EndFrame();
        KeepFrame(pixels, name, t);
    }

    std::filesystem::path previous;
};
