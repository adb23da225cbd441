#include <gtest/gtest.h>

#include <vector>

#include "common/log_capture.h"
#include "render/image_quad.h"
#include "render/image_quad_device.h"

namespace {

constexpr UINT kViewport = 0xFFFFFFFF;

// Flattened for comparison: x, y, z, rhw, diffuse, u, v.
std::vector<double> Fields(const ScreenVertex& v) { return {v.x, v.y, v.z, v.rhw, double(v.diffuse), v.u, v.v}; }

class ImageQuad : public HeadlessDeviceTest {
protected:
    // Draws the quad and reads its buffer back through stream 0, which Draw
    // leaves bound.
    std::vector<ScreenVertex> Drawn(CImageQuad& quad)
    {
        EXPECT_TRUE(quad.Draw(device));
        IDirect3DVertexBuffer8* buffer = nullptr;
        UINT stride = 0;
        device->GetStreamSource(0, &buffer, &stride);
        EXPECT_EQ(stride, 28u);
        buffer->GetDesc(&desc);
        BYTE* data = nullptr;
        buffer->Lock(0, 0, &data, D3DLOCK_READONLY);
        const auto* vertices = reinterpret_cast<const ScreenVertex*>(data);
        std::vector<ScreenVertex> result(vertices, vertices + 6);
        buffer->Unlock();
        buffer->Release();
        return result;
    }

    D3DVERTEXBUFFER_DESC desc{};
};

TEST_F(ImageQuad, NewQuadIsTransparentWhiteOverTheViewportEdgesGivenAsMinusOne)
{
    CImageQuad full(device, kViewport, kViewport, kViewport, kViewport);
    const std::vector<ScreenVertex> vertices = Drawn(full);
    const float corners[6][4] = {{0, 0, 0, 0},  {64, 0, 1, 0}, {0, 64, 0, 1},
                                 {0, 64, 0, 1}, {64, 0, 1, 0}, {64, 64, 1, 1}}; // x, y, u, v
    for (int i = 0; i < 6; i++) {
        const float* c = corners[i];
        EXPECT_EQ(Fields(vertices[i]), Fields({c[0], c[1], 0.0f, 0.5f, 0x00FFFFFF, c[2], c[3]})) << "vertex " << i;
    }
    EXPECT_EQ(desc.Size, 168u);
    EXPECT_EQ(desc.FVF, 0x144u);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);

    const D3DVIEWPORT8 viewport = {8, 4, 32, 16, 0.0f, 1.0f};
    device->SetViewport(&viewport);
    CImageQuad onlyRight(device, 1, 2, kViewport, 50);
    const std::vector<ScreenVertex> edges = Drawn(onlyRight);
    EXPECT_EQ(std::vector<float>({edges[0].x, edges[0].y, edges[5].x, edges[5].y}), std::vector<float>({1, 2, 40, 50}));
}

TEST_F(ImageQuad, FullViewportQuadCoversEveryPixelAndSetRectExactlyItsArea)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    CImageQuad quad(device, kViewport, kViewport, kViewport, kViewport);
    ASSERT_TRUE(quad.SetColor(0xFFFF0000));
    ASSERT_TRUE(quad.Draw(device));
    Present();
    for (int y = 0; y < 64; y++) {
        for (int x = 0; x < 64; x++) ASSERT_EQ(Pixel(x, y), 0xFFFF0000u) << x << ", " << y;
    }

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    ASSERT_TRUE(quad.SetRect(16, 16, 32, 32));
    ASSERT_TRUE(quad.Draw(device));
    Present();
    EXPECT_EQ(Pixel(16, 16), 0xFFFF0000u);
    EXPECT_EQ(Pixel(31, 31), 0xFFFF0000u);
    EXPECT_EQ(Pixel(15, 16) | Pixel(32, 31) | Pixel(31, 32), 0xFF000000u);
}

TEST_F(ImageQuad, SettersRewriteOnlyTheirFields)
{
    CImageQuad quad(device, 0, 0, 10, 10);
    ASSERT_TRUE(quad.SetColor(0x12345678));
    ASSERT_TRUE(quad.SetAlpha(511)); // shifted into the top byte: only 0xFF remains
    EXPECT_EQ(Drawn(quad)[3].diffuse, 0xFF345678u);
    ASSERT_TRUE(quad.SetAlpha(0x80));
    ASSERT_TRUE(quad.SetTexCoords(1.0f, 0.25f, 0.0f, 0.75f)); // mirrored
    ASSERT_TRUE(quad.SetDepth(4.0f));
    ASSERT_TRUE(quad.SetRect(1.5f, 2.5f, 3.5f, 4.5f));
    const std::vector<ScreenVertex> vertices = Drawn(quad);
    EXPECT_EQ(Fields(vertices[1]), Fields({3.5f, 2.5f, 4, 0.25f, 0x80345678, 0, 0.25f}));
    EXPECT_EQ(Fields(vertices[2]), Fields({1.5f, 4.5f, 4, 0.25f, 0x80345678, 1, 0.75f}));
}

TEST_F(ImageQuad, NewQuadIsInvisibleWhenBlendingAndWhiteWhenNot)
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    CImageQuad quad(device, kViewport, kViewport, kViewport, kViewport);
    // Without a texture, stage 0's default alpha argument (the texture) reads 1.0: take the
    // quad's own alpha from its vertices instead.
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    ASSERT_TRUE(quad.Draw(device));
    Present();
    EXPECT_EQ(Pixel(20, 20), 0xFF0000FFu);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    ASSERT_TRUE(quad.Draw(device));
    Present();
    EXPECT_EQ(Pixel(20, 20), 0xFFFFFFFFu);
}

TEST_F(ImageQuad, DrawLeavesCullingAndDepthTestAsTheyWere)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    CImageQuad quad(device, kViewport, kViewport, kViewport, kViewport);
    ASSERT_TRUE(quad.Draw(device));
    DWORD cull = 0;
    DWORD z = 0;
    device->GetRenderState(D3DRS_CULLMODE, &cull);
    device->GetRenderState(D3DRS_ZENABLE, &z);
    EXPECT_EQ(cull, DWORD(D3DCULL_CW));
    EXPECT_EQ(z, DWORD(D3DZB_TRUE));
}

TEST(ImageQuadWithoutDevice, LogsWithoutLineFeedAndRefusesEverySetter)
{
    LogCapture log;
    CImageQuad quad(nullptr, 0, 0, 10, 10);
    EXPECT_EQ(log.Text(), "CImageQuad : unable to create quad buffer");
    EXPECT_FALSE(quad.SetAlpha(255) || quad.SetColor(0) || quad.SetRect(0, 0, 1, 1) ||
                 quad.SetTexCoords(0, 0, 1, 1) || quad.SetDepth(1.0f));
}

} // namespace
