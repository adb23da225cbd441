// Border and mirror-once addressing, which OpenGL ES samplers lack and the
// device's programs then do themselves. A quad over the 64-pixel target maps
// u (and v) from -1 to 2: pixel x samples u = -1 + 3x / 64.

#include "device_fixture.h"

namespace {

class TextureAddressingTest : public DeviceTest {
protected:
    void DrawStretchedQuad() { DrawQuad(0, 0, size, size, 0xFFFFFFFF, 0.5f, -1.0f, -1.0f, 2.0f, 2.0f); }

    void PointSampled(DWORD addressU, DWORD addressV)
    {
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(0, D3DTSS_ADDRESSU, addressU);
        device->SetTextureStageState(0, D3DTSS_ADDRESSV, addressV);
    }
};

} // namespace

TEST_F(TextureAddressingTest, BorderGivesTheBorderColourOutsideZeroToOne)
{
    IDirect3DTexture8* texture = MakeTexture(2, 2, {0xFFFF0000});
    device->SetTexture(0, texture);
    PointSampled(D3DTADDRESS_BORDER, D3DTADDRESS_BORDER);
    device->SetTextureStageState(0, D3DTSS_BORDERCOLOR, 0xFF00FF00);
    DrawStretchedQuad();
    // u or v at x = 8: -0.625, at 32: 0.5, at 56: 1.625.
    EXPECT_TRUE(ColorNear(Pixel(32, 32), 0xFFFF0000, 1));
    EXPECT_TRUE(ColorNear(Pixel(8, 32), 0xFF00FF00, 1));
    EXPECT_TRUE(ColorNear(Pixel(56, 32), 0xFF00FF00, 1));
    EXPECT_TRUE(ColorNear(Pixel(32, 8), 0xFF00FF00, 1));
    EXPECT_TRUE(ColorNear(Pixel(32, 56), 0xFF00FF00, 1));
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(TextureAddressingTest, MirrorOnceMirrorsBelowZeroAndClampsAboveOne)
{
    // Red left texel, blue right texel; v stays clamped to the one row.
    IDirect3DTexture8* texture = MakeTexture(2, 1, {0xFFFF0000, 0xFF0000FF});
    device->SetTexture(0, texture);
    PointSampled(D3DTADDRESS_MIRRORONCE, D3DTADDRESS_CLAMP);
    DrawStretchedQuad();
    // x = 5: u = -0.766 mirrors to 0.766, the right texel (clamping would
    // give the left one). x = 24: u = 0.125, left. x = 56: u = 1.625 clamps
    // to the right texel (repeated mirroring would give 0.375, the left one).
    EXPECT_TRUE(ColorNear(Pixel(5, 32), 0xFF0000FF, 1));
    EXPECT_TRUE(ColorNear(Pixel(24, 32), 0xFFFF0000, 1));
    EXPECT_TRUE(ColorNear(Pixel(56, 32), 0xFF0000FF, 1));
    device->SetTexture(0, nullptr);
    texture->Release();
}
