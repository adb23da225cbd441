#include <gtest/gtest.h>

#include <cstring>

#include "d3dx8/headless_device.h"
#include "platform/d3dx8/sprite.h"

namespace {

class SpriteTest : public HeadlessDevice {
protected:
    void SetUp() override
    {
        HeadlessDevice::SetUp();
        ASSERT_EQ(D3DXCreateSprite(device, &sprite), D3D_OK);
        texture = MakeTexture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    }

    void TearDown() override
    {
        texture->Release();
        sprite->Release();
        HeadlessDevice::TearDown();
    }

    IDirect3DTexture8* MakeTexture(UINT width, UINT height, const std::vector<std::uint32_t>& texels)
    {
        IDirect3DTexture8* made = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &made), D3D_OK);
        D3DLOCKED_RECT locked;
        made->LockRect(0, &locked, nullptr, 0);
        for (UINT y = 0; y < height; y++) {
            std::memcpy(static_cast<BYTE*>(locked.pBits) + locked.Pitch * y, &texels[y * width], 4 * width);
        }
        made->UnlockRect(0);
        return made;
    }

    // Draws `drawn` at (x, y) within Begin and End, `between` running after
    // Begin, on a background of `clear`; then presents.
    template <typename Between>
    void DrawOne(IDirect3DTexture8* drawn, float x, float y, D3DCOLOR clear, Between between)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clear, 1.0f, 0);
        device->BeginScene();
        const D3DXVECTOR2 position(x, y);
        ASSERT_EQ(sprite->Begin(), D3D_OK);
        between();
        ASSERT_EQ(sprite->Draw(drawn, nullptr, nullptr, nullptr, 0.0f, &position, 0xFFFFFFFF), D3D_OK);
        ASSERT_EQ(sprite->End(), D3D_OK);
        device->EndScene();
        SetPresentHandler([this](const PresentedFrame& frame) {
            width = frame.width;
            rgba.assign(frame.rgba, frame.rgba + std::size_t{4} * frame.width * frame.height);
        });
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }

    // The device nudges geometry by a 256th of a pixel for its fill rule, so
    // texel centres land within a hair of pixel centres: allow a few steps.
    void ExpectColour(int x, int y, std::uint32_t expected)
    {
        const std::uint8_t* pixel = &rgba[4 * (std::size_t{static_cast<std::size_t>(y)} * width + x)];
        for (int c = 0; c < 3; c++) {
            EXPECT_NEAR(pixel[c], (expected >> (16 - 8 * c)) & 0xFF, 3) << "pixel (" << x << ", " << y << ")";
        }
    }

    DWORD RenderState(D3DRENDERSTATETYPE state)
    {
        DWORD value = 0;
        device->GetRenderState(state, &value);
        return value;
    }

    DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type)
    {
        DWORD value = 0;
        device->GetTextureStageState(stage, type, &value);
        return value;
    }

    ID3DXSprite* sprite = nullptr;
    IDirect3DTexture8* texture = nullptr;
    int width = 0;
    std::vector<std::uint8_t> rgba;
};

} // namespace

TEST_F(SpriteTest, ATwoByTwoTextureAtTenTenLightsExactlyItsFourPixels)
{
    DrawOne(texture, 10, 10, 0, [] {});
    ExpectColour(10, 10, 0xFF0000);
    ExpectColour(11, 10, 0x00FF00);
    ExpectColour(10, 11, 0x0000FF);
    ExpectColour(11, 11, 0xFFFFFF);
    for (auto [x, y] : {std::pair{9, 10}, {12, 10}, {10, 9}, {10, 12}, {12, 12}}) {
        ExpectColour(x, y, 0);
    }
}

TEST_F(SpriteTest, StatesSetBetweenBeginAndDrawApplyToTheDraw)
{
    IDirect3DTexture8* green = MakeTexture(1, 1, {0xFF00FF00});
    DrawOne(green, 100, 100, 0xFFFF0000, [&] { device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE); });
    ExpectColour(100, 100, 0xFFFF00); // added to the red background
    green->Release();
}

TEST_F(SpriteTest, BeginSetsTheSpriteStateAndEndPutsBackWhatWasThere)
{
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);

    EXPECT_EQ(sprite->End(), D3DERR_INVALIDCALL);
    ASSERT_EQ(sprite->Begin(), D3D_OK);
    EXPECT_EQ(sprite->Begin(), D3DERR_INVALIDCALL);
    EXPECT_EQ(RenderState(D3DRS_SRCBLEND), DWORD{D3DBLEND_SRCALPHA});
    EXPECT_EQ(RenderState(D3DRS_ALPHAFUNC), DWORD{D3DCMP_GREATER});
    EXPECT_EQ(RenderState(D3DRS_ZENABLE), DWORD{D3DZB_TRUE}); // depth left alone
    EXPECT_EQ(RenderState(D3DRS_WRAP0), 0u); // a wrapped 0..1 quad would show one texel column
    EXPECT_EQ(StageState(1, D3DTSS_COLOROP), DWORD{D3DTOP_DISABLE});
    IDirect3DTexture8* other = MakeTexture(1, 1, {0xFF123456});
    EXPECT_EQ(sprite->Draw(other, nullptr, nullptr, nullptr, 0.0f, nullptr, 0xFFFFFFFF), D3D_OK);
    EXPECT_EQ(sprite->Draw(nullptr, nullptr, nullptr, nullptr, 0.0f, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
    ASSERT_EQ(sprite->End(), D3D_OK);

    EXPECT_EQ(RenderState(D3DRS_SRCBLEND), DWORD{D3DBLEND_ONE});
    EXPECT_EQ(RenderState(D3DRS_WRAP0), DWORD{D3DWRAP_U});
    EXPECT_EQ(StageState(1, D3DTSS_COLOROP), DWORD{D3DTOP_MODULATE});
    IDirect3DBaseTexture8* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture); // Draw bound `other`; End put `texture` back
    bound->Release();
    device->SetTexture(0, nullptr);
    other->Release();
}
