#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/image_quad.h"
#include "render/radial_blur.h"
#include "render/renderer_fixture.h"

namespace {

class RadialBlur : public RendererTest {
protected:
    std::vector<BlurVertex> Vertices(const CRadialBlur& blur)
    {
        std::vector<BlurVertex> vertices(blur.layers * 9);
        BYTE* data = nullptr;
        EXPECT_EQ(blur.vertexBuffer->Lock(0, 0, &data, 0), D3D_OK);
        std::memcpy(vertices.data(), data, vertices.size() * sizeof(BlurVertex));
        blur.vertexBuffer->Unlock();
        return vertices;
    }

    IDirect3DSurface8* Target()
    {
        IDirect3DSurface8* surface = nullptr;
        render->GetDevice()->GetRenderTarget(&surface);
        surface->Release();
        return surface;
    }

    static int Red(std::uint32_t pixel) { return int((pixel >> 16) & 0xFF); }
};

TEST_F(RadialBlur, LayersInsetTheSceneStepByStepAndSetCentreHalfRestoresThem)
{
    CRadialBlur blur(render->GetDevice(), 24, 128, 0.02f, 0.005f);
    ASSERT_NE(blur.vertexBuffer, nullptr);
    const std::vector<BlurVertex> built = Vertices(blur);

    // Layer 1, top-left: one texel left of and above the right half, inset by
    // 1 step (stage 0) and 2 steps (stage 1); alpha 0.02 x 255 = 5.
    const BlurVertex& topLeft = built[9];
    EXPECT_EQ(topLeft.x, 127.0f);
    EXPECT_EQ(topLeft.y, -1.0f);
    EXPECT_EQ(topLeft.diffuse, 0x05000000u);
    EXPECT_FLOAT_EQ(topLeft.tu0, 0.005f);
    EXPECT_FLOAT_EQ(topLeft.tv0, 0.01f);
    EXPECT_FLOAT_EQ(topLeft.tu1, 0.01f);
    EXPECT_FLOAT_EQ(topLeft.tv1, 0.02f);
    const BlurVertex& bottomRight = built[17];
    EXPECT_EQ(bottomRight.x, 256.0f);
    EXPECT_EQ(bottomRight.y, 128.0f);
    EXPECT_FLOAT_EQ(bottomRight.tu1, 0.49f);
    EXPECT_FLOAT_EQ(bottomRight.tv1, 0.98f);

    ASSERT_TRUE(blur.SetCentre(0.2f, 0.2f));
    const std::vector<BlurVertex> moved = Vertices(blur);
    const BlurVertex& centre = moved[9 + 4];
    EXPECT_FLOAT_EQ(centre.x, 153.6f);
    EXPECT_FLOAT_EQ(centre.y, 25.6f);
    EXPECT_FLOAT_EQ(centre.tu0, 0.1f);
    EXPECT_FLOAT_EQ(moved[9].tu0, 0.002f);
    EXPECT_FLOAT_EQ(moved[17].tv1, 1.0f - 4.0f * 0.8f * 0.01f);
    EXPECT_EQ(moved[17].x, 256.0f) << "the outer columns stay";

    ASSERT_TRUE(blur.SetCentre(0.5f, 0.5f));
    EXPECT_EQ(std::memcmp(Vertices(blur).data(), built.data(), built.size() * sizeof(BlurVertex)), 0);
}

TEST_F(RadialBlur, EndRenderRestoresTheTargetAndTheCallersPixelState)
{
    IDirect3DDevice8* device = render->GetDevice();
    CRadialBlur blur(device, 32, 128, 0.02f, 0.005f);
    IDirect3DSurface8* backBuffer = Target();
    EXPECT_TRUE(blur.EndRender());
    EXPECT_EQ(Target(), backBuffer) << "nothing to end";

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE2X);
    ASSERT_TRUE(blur.BeginRender(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0));
    EXPECT_NE(Target(), backBuffer);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 128u);
    EXPECT_EQ(viewport.Height, 128u);
    ASSERT_TRUE(blur.BeginRender(D3DCLEAR_TARGET, 0, 1.0f, 0)); // no-op
    ASSERT_TRUE(blur.EndRender());
    EXPECT_EQ(Target(), backBuffer);

    DWORD value = 0;
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, DWORD(D3DBLEND_DESTCOLOR));
    device->GetRenderState(D3DRS_DESTBLEND, &value);
    EXPECT_EQ(value, DWORD(D3DBLEND_ZERO));
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, DWORD(D3DCULL_CW));
    device->GetRenderState(D3DRS_LIGHTING, &value);
    EXPECT_EQ(value, DWORD(TRUE));
    device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_MODULATE2X));
    device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_DISABLE));
}

// A white 8x8 dot 32 texels right of the middle: every layer magnifies the
// scene about the middle, so the dot is smeared along the ray away from the
// middle, and nothing lands between it and the middle.
TEST_F(RadialBlur, ADotIsSmearedAlongItsRayFromTheCentre)
{
    IDirect3DDevice8* device = render->GetDevice();
    CRadialBlur blur(device, 24, 128, 0.02f, 0.005f);
    blur.SetCentre(0.5f, 0.5f);
    ASSERT_TRUE(blur.BeginRender(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0));
    render->ClearTexture(0);
    ASSERT_TRUE(render->DrawRect(92.0f, 60.0f, 100.0f, 68.0f, 0.5f, 0xFFFFFFFF));
    ASSERT_TRUE(blur.EndRender());

    // The right half, texel for texel, at the top-left of the screen.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    render->SetTexture(blur.GetTexture(), 0);
    CImageQuad quad(device, 0, 0, 128, 128);
    quad.SetRect(-0.5f, -0.5f, 127.5f, 127.5f);
    quad.SetTexCoords(0.5f, 0.0f, 1.0f, 1.0f);
    quad.SetColor(0xFFFFFFFF);
    ASSERT_TRUE(quad.Draw(device));
    render->ClearTexture(0);
    render->EndFrame();

    // Where the dot is, layers 0..6 see it: about 7 x 5.
    EXPECT_NEAR(Red(Pixel(96, 64)), 35, 8);
    // Further out along the ray it is still there, from the deeper layers.
    EXPECT_GT(Red(Pixel(110, 64)), 25);
    EXPECT_GT(Red(Pixel(124, 64)), 5);
    // Between the dot and the middle, and off the ray, nothing.
    EXPECT_LE(Red(Pixel(80, 64)), 2);
    EXPECT_LE(Red(Pixel(64, 64)), 2);
    EXPECT_LE(Red(Pixel(110, 90)), 2);
    EXPECT_LE(Red(Pixel(40, 64)), 2);
}

} // namespace
