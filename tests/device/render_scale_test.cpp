// Supersampling: everything renders `scale` times larger while the sizes the
// Direct3D interface reports stay the logical ones.

#include "device_fixture.h"

namespace {

class ScaledDeviceTest : public DeviceTest {
protected:
    void SetUp() override
    {
        SetRenderScale(2);
        DeviceTest::SetUp();
    }
    void TearDown() override
    {
        DeviceTest::TearDown();
        SetRenderScale(1);
    }
};

} // namespace

TEST_F(ScaledDeviceTest, PixelsBecomeTwoByTwoBlocksAndSizesStayLogical)
{
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    DrawQuad(10, 10, 11, 11, 0xFFFFFFFF);
    Pixel(0, 0);
    EXPECT_EQ(width, 128);
    for (auto [x, y] : {std::pair{20, 20}, {21, 20}, {20, 21}, {21, 21}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFFFFFFFF, 0)) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{19, 20}, {22, 20}, {20, 19}, {20, 22}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFF000000, 0)) << x << "," << y;
    }

    IDirect3DSurface8* backBuffer = nullptr;
    device->GetRenderTarget(&backBuffer);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    EXPECT_EQ(desc.Width, size);
    backBuffer->Release();
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, size);

    IDirect3DTexture8* target = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target),
              D3D_OK);
    target->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 16u);
    target->Release();
}

TEST_F(ScaledDeviceTest, PointSizesScaleWithThePicture)
{
    struct PointVertex {
        float x, y, z;
        D3DCOLOR color;
    };
    D3DMATRIX identity{};
    identity.m[0][0] = identity.m[1][1] = identity.m[2][2] = identity.m[3][3] = 1.0f;
    device->SetTransform(D3DTS_PROJECTION, &identity);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(4.0f));
    const PointVertex point{0, 0, 0.5f, 0xFFFFFFFF};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point);
    Changed();
    int lit = 0;
    for (int x = 0; x < 128; ++x) lit += (Pixel(x, 64) & 0xFFFFFF) != 0;
    EXPECT_EQ(lit, 8);
}

TEST(ScaleForWindowTest, RendersAtLeastTheWindowsPictureSizeUnlessToldOtherwise)
{
    // The show's own window is a few pixels larger than its picture.
    EXPECT_EQ(ScaleForWindow(645, 485, nullptr), 1);
    EXPECT_EQ(ScaleForWindow(1280, 960, nullptr), 2);
    EXPECT_EQ(ScaleForWindow(1366, 768, nullptr), 2);
    EXPECT_EQ(ScaleForWindow(1920, 1080, nullptr), 3);
    EXPECT_EQ(ScaleForWindow(2560, 1440, nullptr), 3);
    EXPECT_EQ(ScaleForWindow(7680, 4320, nullptr), 4);
    EXPECT_EQ(ScaleForWindow(320, 240, nullptr), 1);
    EXPECT_EQ(ScaleForWindow(0, 0, nullptr), 1);

    EXPECT_EQ(ScaleForWindow(1920, 1080, "1"), 1);
    EXPECT_EQ(ScaleForWindow(645, 485, "4"), 4);
    for (const char* ignored : {"", "0", "5", "2x", "-1", "two"}) {
        EXPECT_EQ(ScaleForWindow(1920, 1080, ignored), 3) << '"' << ignored << '"';
    }
}
