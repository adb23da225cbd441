// Point sprites, culling, cylindrical wrapping and vertex blending, seen in
// the pixels they cover.

#include <algorithm>
#include <cmath>

#include "device_fixture.h"

namespace {

D3DMATRIX Identity()
{
    D3DMATRIX m{};
    m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 1.0f;
    return m;
}

struct PointVertex {
    float x, y, z;
    D3DCOLOR color;
};

class GeometryTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        const D3DMATRIX identity = Identity();
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &identity);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    }

    // Width in pixels of the lit run through row 32.
    int LitWidth()
    {
        int lit = 0;
        for (int x = 0; x < static_cast<int>(size); ++x) {
            if ((Pixel(x, 32) & 0xFFFFFF) != 0) ++lit;
        }
        return lit;
    }

    void DrawPoint(float z)
    {
        const PointVertex point{0.0f, 0.0f, z, 0xFFFFFFFF};
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point), D3D_OK);
        Changed();
    }
};

} // namespace

// Size = viewport height x size x sqrt(1 / (A + B d + C d^2)), clamped.
TEST_F(GeometryTest, PointSpriteSizesFollowTheScaleFormulaAndClamps)
{
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(8.0f));
    DrawPoint(0.5f);
    EXPECT_EQ(LitWidth(), 8);

    device->SetRenderState(D3DRS_POINTSCALEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(0.25f));
    device->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(1.0f));
    DrawPoint(0.5f); // 64 x 0.25 x 1 = 16
    EXPECT_EQ(LitWidth(), 16);

    device->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(2.0f));
    DrawPoint(0.5f); // 64 x 0.25 x sqrt(1 / (2 x 0.5)) = 16
    EXPECT_EQ(LitWidth(), 16);

    device->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(16.0f));
    DrawPoint(0.5f); // 64 x 0.25 x sqrt(1 / (16 x 0.25)) = 8
    EXPECT_EQ(LitWidth(), 8);

    device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(12.0f));
    DrawPoint(0.5f);
    EXPECT_EQ(LitWidth(), 12);

    device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(0.0001f));
    device->SetRenderState(D3DRS_POINTSIZE_MAX, FloatBits(20.0f));
    DrawPoint(0.5f);
    EXPECT_EQ(LitWidth(), 20);
}

TEST_F(GeometryTest, CullingRemovesCounterClockwiseTrianglesByDefault)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    // Clockwise on screen (y grows downwards): top-left, top-right, bottom-left.
    DrawQuad(0, 0, 32, 32, 0xFFFFFFFF);
    const ScreenVertex counterClockwise[3] = {{32, 32, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                              {32, 64, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                              {64, 32, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counterClockwise, sizeof(ScreenVertex));
    Changed();
    EXPECT_NE(Pixel(8, 8) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(36, 36) & 0xFFFFFF, 0u);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counterClockwise, sizeof(ScreenVertex));
    Changed();
    EXPECT_NE(Pixel(36, 36) & 0xFFFFFF, 0u);
}

// With WRAP0 the quad from u = 0.75 to u = 0.25 goes the short way round,
// through the seam at 1.0, instead of back across the middle of the texture.
TEST_F(GeometryTest, WrapTakesTheShortWayAcrossTheSeam)
{
    IDirect3DTexture8* texture = MakeTexture(4, 1, {0xFF0000FF, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF});
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    DrawQuad(0, 0, 64, 64, 0xFFFFFFFF, 0.5f, 0.875f, 0.0f, 0.125f, 1.0f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0xFF0000, 0));
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U);
    DrawQuad(0, 0, 64, 64, 0xFFFFFFFF, 0.5f, 0.875f, 0.0f, 0.125f, 1.0f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0x0000FF, 0));
    device->SetTexture(0, nullptr);
    texture->Release();
}

// Three weights, the last implied, with indexed world matrices: a vertex at
// the origin moved halfway, a quarter and a quarter by three translations.
TEST_F(GeometryTest, IndexedVertexBlendingMovesPositions)
{
    struct BlendVertex {
        float x, y, z, w0, w1, w2;
        BYTE indices[4];
        D3DCOLOR color;
    };
    D3DMATRIX moves[3] = {Identity(), Identity(), Identity()};
    moves[0].m[3][0] = 0.5f;                              // to x = 0.5
    moves[1].m[3][1] = 0.5f;                              // to y = 0.5
    moves[2].m[3][0] = -0.5f;                             // to x = -0.5
    device->SetTransform(D3DTS_WORLDMATRIX(7), &moves[0]);
    device->SetTransform(D3DTS_WORLDMATRIX(9), &moves[1]);
    device->SetTransform(D3DTS_WORLDMATRIX(11), &moves[2]);
    device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_3WEIGHTS);
    device->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(2.0f));
    // Weights 0.5, 0.25, 0.25: x = 0.25 - 0.125 = 0.125, y = 0.125.
    const BlendVertex vertex{0, 0, 0.5f, 0.5f, 0.25f, 0.25f, {7, 9, 11, 0}, 0xFFFFFFFF};
    device->SetVertexShader(D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_DIFFUSE);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &vertex, sizeof vertex), D3D_OK);
    Changed();
    // Clip (0.125, 0.125) is screen (36, 28); a 2-pixel point covers 35..36 x 27..28.
    EXPECT_NE(Pixel(36, 28) & 0xFFFFFF, 0u);
    EXPECT_NE(Pixel(35, 27) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(37, 28) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(32, 32) & 0xFFFFFF, 0u);
}

// Tweening through a declaration over two streams: p = p1 (1 - t) + p2 t.
TEST_F(GeometryTest, TweeningBlendsTwoStreams)
{
    const DWORD declaration[] = {D3DVSD_STREAM(0),
                                 D3DVSD_REG(D3DVSDE_POSITION, D3DVSDT_FLOAT3),
                                 D3DVSD_REG(D3DVSDE_NORMAL, D3DVSDT_FLOAT3),
                                 D3DVSD_REG(D3DVSDE_TEXCOORD0, D3DVSDT_FLOAT2),
                                 D3DVSD_STREAM(1),
                                 D3DVSD_REG(D3DVSDE_POSITION2, D3DVSDT_FLOAT3),
                                 D3DVSD_REG(D3DVSDE_NORMAL2, D3DVSDT_FLOAT3),
                                 D3DVSD_END()};
    DWORD handle = 0;
    ASSERT_EQ(device->CreateVertexShader(declaration, nullptr, &handle, D3DUSAGE_SOFTWAREPROCESSING), D3D_OK);
    EXPECT_EQ(handle & 1, 1u);
    const LitVertex from{-0.5f, 0.0f, 0.5f, 0, 0, -1, 0, 0};
    const LitVertex to{0.5f, 0.5f, 0.5f, 0, 0, -1, 0, 0};
    IDirect3DVertexBuffer8* buffers[2] = {};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(device->CreateVertexBuffer(sizeof(LitVertex), D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &buffers[i]),
                  D3D_OK);
        BYTE* data = nullptr;
        ASSERT_EQ(buffers[i]->Lock(0, 0, &data, 0), D3D_OK);
        std::memcpy(data, i == 0 ? &from : &to, sizeof(LitVertex));
        buffers[i]->Unlock();
        device->SetStreamSource(i, buffers[i], sizeof(LitVertex));
    }
    device->SetVertexShader(handle);
    device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_TWEENING);
    device->SetRenderState(D3DRS_TWEENFACTOR, FloatBits(0.25f));
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(2.0f));
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_POINTLIST, 0, 1), D3D_OK);
    Changed();
    // (-0.25, 0.125) in clip space is screen (24, 28).
    EXPECT_NE(Pixel(24, 28) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(16, 32) & 0xFFFFFF, 0u);
    for (int i = 0; i < 2; ++i) {
        device->SetStreamSource(i, nullptr, 0);
        buffers[i]->Release();
    }
}

TEST_F(GeometryTest, StripsAndFansCoverTheirQuads)
{
    const ScreenVertex strip[4] = {{0, 0, 0.5f, 1, 0xFFFF0000, 0, 0},
                                   {32, 0, 0.5f, 1, 0xFFFF0000, 0, 0},
                                   {0, 32, 0.5f, 1, 0xFFFF0000, 0, 0},
                                   {32, 32, 0.5f, 1, 0xFFFF0000, 0, 0}};
    const ScreenVertex fan[4] = {{32, 32, 0.5f, 1, 0xFF00FF00, 0, 0},
                                 {64, 32, 0.5f, 1, 0xFF00FF00, 0, 0},
                                 {64, 64, 0.5f, 1, 0xFF00FF00, 0, 0},
                                 {32, 64, 0.5f, 1, 0xFF00FF00, 0, 0}};
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetVertexShader(screenVertexFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(ScreenVertex)), D3D_OK);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, fan, sizeof(ScreenVertex)), D3D_OK);
    Changed();
    for (auto [x, y] : {std::pair{4, 4}, {28, 4}, {4, 28}, {28, 28}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFFFF0000, 0)) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{36, 36}, {60, 36}, {36, 60}, {60, 60}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFF00FF00, 0)) << x << "," << y;
    }
}

// Direct3D clips a point by its square, size included: only a point wholly
// outside the viewport is dropped, so a sprite whose centre has left the
// screen still shows its visible part. A 16-pixel sprite centred 2 pixels
// outside an edge covers -10 .. 6 across it: pixels 0 .. 5, 6 of them, by 16.
TEST_F(GeometryTest, ASpriteCentredJustOutsideAnEdgeShowsItsVisiblePart)
{
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(16.0f));
    struct Case {
        float centreX, centreY; // in pixels
        int left, top, right, bottom; // the lit pixels, inclusive
    };
    const Case cases[] = {{-2, 32, 0, 24, 5, 39}, {66, 32, 58, 24, 63, 39}, {32, -2, 24, 0, 39, 5},
                          {32, 66, 24, 58, 39, 63}};
    for (const Case& c : cases) {
        // Identity transforms: pixel centre p lies at p / 32 - 1 across and
        // 1 - p / 32 down.
        const PointVertex point{c.centreX / 32.0f - 1.0f, 1.0f - c.centreY / 32.0f, 0.5f, 0xFFFFFFFF};
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point), D3D_OK);
        Changed();
        int lit = 0, left = size, top = size, right = -1, bottom = -1;
        for (int y = 0; y < static_cast<int>(size); ++y) {
            for (int x = 0; x < static_cast<int>(size); ++x) {
                if ((Pixel(x, y) & 0xFFFFFF) == 0) continue;
                ++lit;
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
        EXPECT_EQ(lit, 6 * 16) << "centre " << c.centreX << "," << c.centreY;
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(top, c.top);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(bottom, c.bottom);
    }
}

// D3DSHADE_FLAT colours a triangle from its first vertex: vertex k for
// triangle k of a strip, so the strip's second triangle takes vertex 1.
TEST_F(GeometryTest, FlatShadingTakesEachTrianglesFirstVertex)
{
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    device->SetVertexShader(screenVertexFvf);
    const ScreenVertex strip[4] = {{0, 0, 0.5f, 1, 0xFFFF0000, 0, 0},
                                   {64, 0, 0.5f, 1, 0xFF00FF00, 0, 0},
                                   {0, 64, 0.5f, 1, 0xFF0000FF, 0, 0},
                                   {64, 64, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(ScreenVertex)), D3D_OK);
    Changed();
    for (auto [x, y] : {std::pair{2, 2}, {56, 4}, {4, 56}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFFFF0000, 0)) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{60, 8}, {8, 60}, {60, 60}}) {
        EXPECT_TRUE(ColorNear(Pixel(x, y), 0xFF00FF00, 0)) << x << "," << y;
    }
}
