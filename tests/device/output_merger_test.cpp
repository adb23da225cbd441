// Blending, alpha test, depth and fog: the steps after the texture stages.

#include <cmath>

#include "device_fixture.h"

namespace {

struct BlendCase {
    const char* name;
    DWORD source;
    DWORD destination;
    D3DCOLOR expected;
};

// Background 0xFF4080C0, drawn colour 0x80FF8000 (alpha 128/255).
const BlendCase blendCases[] = {
    {"OneOne", D3DBLEND_ONE, D3DBLEND_ONE, 0xFFFFC0},
    {"SrcAlphaInvSrcAlpha", D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0xA08060},
    {"SrcAlphaOne", D3DBLEND_SRCALPHA, D3DBLEND_ONE, 0xC0C0C0},
    {"DestColorZero", D3DBLEND_DESTCOLOR, D3DBLEND_ZERO, 0x404000},
};

class BlendTest : public DeviceTest, public ::testing::WithParamInterface<BlendCase> {};

void SelectDiffuse(IDirect3DDevice8* device)
{
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

} // namespace

TEST_P(BlendTest, FactorPair)
{
    const BlendCase& c = GetParam();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF4080C0, 1.0f, 0);
    SelectDiffuse(device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, c.source);
    device->SetRenderState(D3DRS_DESTBLEND, c.destination);
    FullScreenQuad(0x80FF8000);
    EXPECT_TRUE(ColorNear(Pixel(20, 20) & 0xFFFFFF, c.expected, 2));
}

INSTANTIATE_TEST_SUITE_P(Pairs, BlendTest, ::testing::ValuesIn(blendCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceTest, AlphaTestComparesEightBitAlpha)
{
    SelectDiffuse(device);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0x80);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    DrawQuad(0, 0, 32, 64, 0x80FFFFFF);
    DrawQuad(32, 0, 64, 64, 0x81FFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(10, 10) & 0xFFFFFF, 0x000000, 0));
    EXPECT_TRUE(ColorNear(Pixel(40, 10) & 0xFFFFFF, 0xFFFFFF, 0));
}

TEST_F(DeviceTest, DepthTestKeepsTheNearerQuad)
{
    SelectDiffuse(device);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    DrawQuad(0, 0, 64, 64, 0xFF0000FF, 0.3f);
    DrawQuad(0, 0, 64, 64, 0xFFFF0000, 0.6f);
    EXPECT_TRUE(ColorNear(Pixel(10, 10), 0xFF0000FF, 0));
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    DrawQuad(0, 0, 64, 64, 0xFF00FF00, 0.1f);
    DrawQuad(0, 0, 64, 64, 0xFFFFFFFF, 0.2f);
    EXPECT_TRUE(ColorNear(Pixel(10, 10), 0xFFFFFFFF, 0));
}

// Linear fog from eye depth: f = (end - d) / (end - start).
TEST_F(DeviceTest, LinearFogFollowsEyeDepth)
{
    SelectDiffuse(device);
    D3DMATRIX projection{};
    // Left-handed perspective with a 90 degree field of view, near 1, far 100.
    projection.m[0][0] = projection.m[1][1] = 1.0f;
    projection.m[2][2] = 100.0f / 99.0f;
    projection.m[2][3] = 1.0f;
    projection.m[3][2] = -100.0f / 99.0f;
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGCOLOR, 0x000000FF);
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    const float start = 10.0f;
    const float end = 30.0f;
    device->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    device->SetRenderState(D3DRS_FOGEND, FloatBits(end));

    struct ColorVertex {
        float x, y, z;
        D3DCOLOR color;
    };
    // A wall at depth 15 covering the view: f = (30 - 15) / 20 = 0.75.
    const float d = 15.0f;
    const ColorVertex wall[6] = {{-d, d, d, 0xFFFF0000}, {d, d, d, 0xFFFF0000}, {-d, -d, d, 0xFFFF0000},
                                 {-d, -d, d, 0xFFFF0000}, {d, d, d, 0xFFFF0000}, {d, -d, d, 0xFFFF0000}};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, wall, sizeof(ColorVertex)), D3D_OK);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, D3DCOLOR_XRGB(191, 0, 64) & 0xFFFFFF, 2));
}
