#pragma once
// A headless 64x64 device for conformance tests, with helpers to draw
// pre-transformed quads and read back the presented picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/presentation.h"

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
constexpr DWORD screenVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
constexpr DWORD litVertexFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

class DeviceTest : public ::testing::Test {
protected:
    static constexpr UINT size = 64;

    void SetUp() override
    {
        device = CreateHeadlessDevice(size, size, &direct3d);
        ASSERT_NE(device, nullptr);
        SetPresentHandler([this](const PresentedFrame& frame) {
            width = frame.width;
            pixels.assign(frame.rgba, frame.rgba + static_cast<size_t>(frame.width) * frame.height * 4);
        });
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    }

    void TearDown() override
    {
        SetPresentHandler(nullptr);
        if (device != nullptr) device->Release();
        if (direct3d != nullptr) direct3d->Release();
    }

    // Presents and returns pixel (x, y) as 0xAARRGGBB.
    D3DCOLOR Pixel(int x, int y)
    {
        if (pixels.empty() || !fresh) {
            device->Present(nullptr, nullptr, nullptr, nullptr);
            fresh = true;
        }
        const std::uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        return D3DCOLOR_ARGB(p[3], p[0], p[1], p[2]);
    }

    // Marks the picture as changed, so the next Pixel presents again.
    void Changed() { fresh = false; }

    // A pre-transformed quad with the same colour at every corner.
    void DrawQuad(float left, float top, float right, float bottom, D3DCOLOR color, float z = 0.5f,
                  float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f)
    {
        const ScreenVertex quad[6] = {
            {left, top, z, 1.0f, color, u0, v0},     {right, top, z, 1.0f, color, u1, v0},
            {left, bottom, z, 1.0f, color, u0, v1},  {left, bottom, z, 1.0f, color, u0, v1},
            {right, top, z, 1.0f, color, u1, v0},    {right, bottom, z, 1.0f, color, u1, v1},
        };
        device->SetVertexShader(screenVertexFvf);
        EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(ScreenVertex)), D3D_OK);
        Changed();
    }

    void FullScreenQuad(D3DCOLOR color) { DrawQuad(0, 0, size, size, color); }

    // A texture of one colour (A8R8G8B8), or of the given texels row by row.
    IDirect3DTexture8* MakeTexture(UINT w, UINT h, const std::vector<D3DCOLOR>& texels,
                                   D3DFORMAT format = D3DFMT_A8R8G8B8)
    {
        IDirect3DTexture8* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(w, h, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
            for (UINT x = 0; x < w; ++x) row[x] = texels[texels.size() == 1 ? 0 : y * w + x];
        }
        EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
        return texture;
    }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    std::vector<std::uint8_t> pixels;
    int width = 0;
    bool fresh = false;
};

// Float render states travel as their bit patterns.
inline DWORD FloatBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Colour channels within one step of 8-bit rounding.
::testing::AssertionResult ColorNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance = 1);
