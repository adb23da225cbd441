#include "device_fixture.h"

TEST_F(DeviceTest, ClearFillsTheViewport)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(0, 0), 0xFF336699, 0));
    EXPECT_TRUE(ColorNear(Pixel(63, 63), 0xFF336699, 0));

    D3DVIEWPORT8 viewport{8, 8, 16, 16, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&viewport), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(8, 8), 0xFFFF0000, 0));
    EXPECT_TRUE(ColorNear(Pixel(23, 23), 0xFFFF0000, 0));
    EXPECT_TRUE(ColorNear(Pixel(7, 8), 0xFF336699, 0));
    EXPECT_TRUE(ColorNear(Pixel(24, 23), 0xFF336699, 0));
}

TEST_F(DeviceTest, AOnePixelQuadLightsExactlyOnePixel)
{
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    DrawQuad(10, 10, 11, 11, 0xFFFFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(10, 10), 0xFFFFFFFF, 0));
    for (auto [x, y] : {std::pair{9, 10}, {11, 10}, {10, 9}, {10, 11}, {11, 11}, {9, 9}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFF000000, 0)) << x << "," << y;
    }
}
