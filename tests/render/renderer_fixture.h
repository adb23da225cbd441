#pragma once
// A renderer on a headless 640x480 device, made the way start-up makes it,
// with the presented picture kept for reading back.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/presentation.h"
#include "render/render.h"

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        render = new cRender();
        ASSERT_TRUE(render->Init(nullptr, 640, 480, true));
        g_render = render;
        g_windowActive = 0;
        SetPresentHandler([this](const PresentedFrame& frame) {
            width = frame.width;
            pixels.assign(frame.rgba, frame.rgba + static_cast<size_t>(frame.width) * frame.height * 4);
        });
    }

    void TearDown() override
    {
        SetPresentHandler(nullptr);
        render->Shutdown();
        delete render;
        g_render = nullptr;
    }

    // The pixel as 0xAARRGGBB, from the last presented frame.
    std::uint32_t Pixel(int x, int y) const
    {
        const std::uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        return (static_cast<std::uint32_t>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
    }

    IDirect3DTexture8* WhiteTexture(unsigned w, unsigned h)
    {
        IDirect3DTexture8* texture = nullptr;
        EXPECT_EQ(render->GetDevice()->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
        D3DLOCKED_RECT locked{};
        texture->LockRect(0, &locked, nullptr, 0);
        for (unsigned y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
            for (unsigned x = 0; x < w; ++x) row[x] = 0xFFFFFFFF;
        }
        texture->UnlockRect(0);
        return texture;
    }

    cRender* render = nullptr;
    std::vector<std::uint8_t> pixels;
    int width = 0;
};
