#include <gtest/gtest.h>

#include "common/log_capture.h"
#include "render/image_quad.h"
#include "render/image_quad_device.h"
#include "render/texture_renderer.h"

namespace {

class TextureRenderer : public HeadlessDeviceTest {
protected:
    // The device's current render target and depth surface, and a texture's
    // level 0, without keeping references.
    IDirect3DSurface8* Target()
    {
        IDirect3DSurface8* surface = nullptr;
        device->GetRenderTarget(&surface);
        surface->Release();
        return surface;
    }
    IDirect3DSurface8* Depth()
    {
        IDirect3DSurface8* surface = nullptr;
        if (SUCCEEDED(device->GetDepthStencilSurface(&surface))) surface->Release();
        return surface;
    }
    static IDirect3DSurface8* LevelZero(IDirect3DTexture8* texture)
    {
        IDirect3DSurface8* surface = nullptr;
        texture->GetSurfaceLevel(0, &surface);
        surface->Release();
        return surface;
    }
};

TEST_F(TextureRenderer, DrawsIntoItsTextureWhichThenDrawsOnScreen)
{
    IDirect3DSurface8* backBuffer = Target();
    IDirect3DSurface8* depth = Depth();
    CTextureRenderer target(device, 1, 32, 32, D3DFMT_A8R8G8B8, D3DFMT_D24S8);

    EXPECT_TRUE(target.EndRender(device)); // nothing to end
    ASSERT_TRUE(target.BeginRender(device));
    EXPECT_EQ(Target(), LevelZero(target.GetTexture()));
    EXPECT_NE(Depth(), depth);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF00FF00, 1.0f, 0), D3D_OK);
    ASSERT_TRUE(target.BeginRender(device)); // a no-op: the back buffer stays the surface to go back to
    ASSERT_TRUE(target.EndRender(device));
    EXPECT_EQ(Target(), backBuffer);
    EXPECT_EQ(Depth(), depth);
    EXPECT_TRUE(target.EndRender(device));

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    device->SetTexture(0, target.GetTexture());
    CImageQuad leftHalf(device, 0, 0, 32, 64);
    leftHalf.SetColor(0xFFFFFFFF);
    ASSERT_TRUE(leftHalf.Draw(device));
    device->SetTexture(0, nullptr);
    Present();
    EXPECT_EQ(Pixel(10, 40), 0xFF00FF00u);
    EXPECT_EQ(Pixel(50, 40), 0xFF0000FFu);
    target.Release();
}

TEST_F(TextureRenderer, ReleaseIsRefusedWhileTheTextureIsTheTarget)
{
    LogCapture log;
    CTextureRenderer target(device, 1, 32, 32, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
    IDirect3DTexture8* texture = target.GetTexture();
    texture->AddRef();

    ASSERT_TRUE(target.BeginRender(device));
    target.Release();
    EXPECT_EQ(log.Text(), "CTextureRenderer : trying to free target texture when still assigned to device\n");
    EXPECT_EQ(target.GetTexture(), texture);
    EXPECT_EQ(Target(), LevelZero(texture));

    ASSERT_TRUE(target.EndRender(device));
    target.Release();
    EXPECT_EQ(target.GetTexture(), nullptr);
    EXPECT_EQ(texture->Release(), 0u); // the test held the last reference
}

TEST_F(TextureRenderer, LogsEachResourceItCannotMake)
{
    LogCapture log;
    CTextureRenderer noDevice(nullptr, 1, 32, 32, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
    EXPECT_EQ(log.Text(), "CTextureRenderer : null pointer device\n");
    EXPECT_FALSE(noDevice.BeginRender(device));

    log.Clear();
    CTextureRenderer tooLarge(device, 0, 8192, 8192, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
    EXPECT_EQ(log.Text(), "CTextureRenderer : unable to create texture target\n");
    EXPECT_FALSE(tooLarge.BeginRender(device));

    log.Clear();
    CTextureRenderer badDepth(device, 1, 32, 32, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8);
    EXPECT_EQ(log.Text(), "CTextureRenderer : unable to create zbuffer for target surface\n");
    EXPECT_TRUE(badDepth.BeginRender(device)); // renders without a depth buffer
    EXPECT_EQ(Depth(), nullptr);
    EXPECT_TRUE(badDepth.EndRender(device));
    badDepth.Release();
}

} // namespace
