#include <cstring>

#include "common/log_capture.h"
#include "renderer_fixture.h"

namespace {

DWORD State(IDirect3DDevice8* device, D3DRENDERSTATETYPE state)
{
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

} // namespace

TEST_F(RendererTest, FogOffTouchesNothingElseAndFogOnSetsItsRange)
{
    IDirect3DDevice8* device = render->GetDevice();
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    render->SetFog(0.0f, 0.0f, 0xFF00FF00);
    EXPECT_EQ(State(device, D3DRS_FOGENABLE), static_cast<DWORD>(FALSE));
    EXPECT_EQ(State(device, D3DRS_FOGCOLOR), 0x00FFFFFFu);
    render->SetFog(0.0f, 10.0f, 0xFF00FF00);
    EXPECT_EQ(State(device, D3DRS_FOGENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(State(device, D3DRS_FOGCOLOR), 0xFF00FF00u);
    EXPECT_EQ(State(device, D3DRS_FOGTABLEMODE), static_cast<DWORD>(D3DFOG_LINEAR));
    const DWORD end = State(device, D3DRS_FOGEND);
    float endValue;
    std::memcpy(&endValue, &end, sizeof endValue);
    EXPECT_EQ(endValue, 10.0f);
}

TEST_F(RendererTest, BeginFrameTwiceClearsTwiceAndBeginsTheSceneOnce)
{
    EXPECT_TRUE(render->BeginFrame(2));
    EXPECT_EQ(g_windowActive, 1);
    EXPECT_TRUE(render->BeginFrame(0)); // a second BeginScene would fail
    EXPECT_TRUE(render->EndFrame());
    EXPECT_EQ(g_windowActive, 0);
}

// A 64x32 texture at (100, 100), scale 1: 68..131 x 84..115 are covered.
TEST_F(RendererTest, DrawSpriteCentresTheTextureAndDrawsAlphaAs254)
{
    IDirect3DTexture8* texture = WhiteTexture(64, 32);
    render->SetTexture(texture, 0);
    render->currentTextureWidth = 64;
    render->currentTextureHeight = 32;
    render->BeginFrame(2);
    render->GetSprite()->Begin();
    render->DrawSprite(100.0f, 100.0f, 0.9f, 1.0f, 1.0f, 0.0f, nullptr);
    render->GetSprite()->End();
    render->EndFrame();
    EXPECT_EQ(Pixel(68, 84) & 0xFFFFFF, 0xFEFEFEu); // alpha 254 over black
    EXPECT_EQ(Pixel(131, 115) & 0xFFFFFF, 0xFEFEFEu);
    EXPECT_EQ(Pixel(67, 84) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(68, 83) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(132, 115) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(131, 116) & 0xFFFFFF, 0u);
    render->ClearTexture(0);
    texture->Release();
}

TEST_F(RendererTest, PixelToTexVDividesByTheBoundTexturesHeight)
{
    render->currentTextureHeight = 256;
    EXPECT_EQ(render->PixelToTexV(128), 0.5f);
    render->currentTextureHeight = 0;
    EXPECT_EQ(render->PixelToTexV(128), 0.0f);
}

TEST_F(RendererTest, SetupMatricesNeedsACameraAndBuildsScaleRotateTranslate)
{
    LogCapture log;
    IDirect3DDevice8* device = render->GetDevice();
    D3DMATRIX before{};
    device->GetTransform(D3DTS_WORLD, &before);
    EXPECT_FALSE(render->SetupMatrices(1, 2, 3, 0, 0, 0, 2));
    EXPECT_EQ(log.Text(), "cRender : no camera!!!\n");
    D3DMATRIX after{};
    device->GetTransform(D3DTS_WORLD, &after);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);

    EXPECT_FALSE(render->SetCamera(nullptr));
    cCamera camera(cVector(0, 0, -10), cVector(0, 0, 0));
    EXPECT_TRUE(render->SetCamera(&camera));
    EXPECT_TRUE(render->SetupMatrices(1, 2, 3, 0, 0, 0, 2));
    device->GetTransform(D3DTS_WORLD, &after);
    EXPECT_EQ(after.m[0][0], 2.0f);
    EXPECT_EQ(after.m[3][0], 1.0f);
    EXPECT_EQ(after.m[3][2], 3.0f);
    device->GetTransform(D3DTS_VIEW, &after);
    EXPECT_EQ(after.m[3][2], 10.0f); // the eye 10 units behind the origin
    EXPECT_EQ(g_currentView.m[14], 10.0f);
}
