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

// Left-handed perspective with a 90 degree field of view, near 1, far 100.
void UseNinetyDegreePerspective(IDirect3DDevice8* device)
{
    D3DMATRIX projection{};
    projection.m[0][0] = projection.m[1][1] = 1.0f;
    projection.m[2][2] = 100.0f / 99.0f;
    projection.m[2][3] = 1.0f;
    projection.m[3][2] = -100.0f / 99.0f;
    device->SetTransform(D3DTS_PROJECTION, &projection);
}

void UseLinearTableFogToBlue(IDirect3DDevice8* device, float start, float end)
{
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGCOLOR, 0x000000FF);
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    device->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    device->SetRenderState(D3DRS_FOGEND, FloatBits(end));
}

struct ColorVertex {
    float x, y, z;
    D3DCOLOR color;
};

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
    UseNinetyDegreePerspective(device);
    UseLinearTableFogToBlue(device, 10.0f, 30.0f);
    // A wall at depth 15 covering the view: f = (30 - 15) / 20 = 0.75.
    const float d = 15.0f;
    const ColorVertex wall[6] = {{-d, d, d, 0xFFFF0000}, {d, d, d, 0xFFFF0000}, {-d, -d, d, 0xFFFF0000},
                                 {-d, -d, d, 0xFFFF0000}, {d, d, d, 0xFFFF0000}, {d, -d, d, 0xFFFF0000}};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, wall, sizeof(ColorVertex)), D3D_OK);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, D3DCOLOR_XRGB(191, 0, 64) & 0xFFFFFF, 2));
}

// Table fog is worked out for each pixel from its own eye depth, so it differs
// from a fog factor interpolated between the vertices wherever a triangle
// runs past the fog's end. A floor 6.25 below the eye from depth 10 to 50,
// under the 90 degree projection above (64 x 64 viewport): a point at depth z
// lands on row 32 + 32 x 6.25 / z, so row 44 sees depth 200 / 12 = 16.67.
// Linear fog 0..30 there: f = (30 - 16.67) / 30 = 0.444, red diffuse
// 0.444 x 255 = 113 and blue fog 0.556 x 255 = 142. (Interpolating the
// vertices' factors, 0.667 at depth 10 and 0 at 50, would give the reverse,
// red 142 and blue 113.)
TEST_F(DeviceTest, TableFogFollowsEachPixelsEyeDepth)
{
    SelectDiffuse(device);
    UseNinetyDegreePerspective(device);
    UseLinearTableFogToBlue(device, 0.0f, 30.0f);
    const float y = -6.25f;
    const ColorVertex floor[4] = {{-60, y, 10, 0xFFFF0000}, {60, y, 10, 0xFFFF0000}, {-60, y, 50, 0xFFFF0000},
                                  {60, y, 50, 0xFFFF0000}};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, floor, sizeof(ColorVertex)), D3D_OK);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 44) & 0xFFFFFF, D3DCOLOR_XRGB(113, 0, 142) & 0xFFFFFF, 2));
    // Row 37 sees depth 200 / 5 = 40, past the end: all fog.
    EXPECT_TRUE(ColorNear(Pixel(32, 37) & 0xFFFFFF, 0x0000FF, 2));

    // EXP: f = 1 / e^(d density); density 0.05 at depth 16.67 gives
    // e^-0.833 = 0.435: red 111, blue 144.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_EXP);
    device->SetRenderState(D3DRS_FOGDENSITY, FloatBits(0.05f));
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, floor, sizeof(ColorVertex)), D3D_OK);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 44) & 0xFFFFFF, D3DCOLOR_XRGB(111, 0, 144) & 0xFFFFFF, 2));
}

// Under an affine projection (fourth column 0, 0, 0, 1, here the default
// identity) Direct3D's table fog reads device depth z, 0 to 1, not w: a
// pre-transformed quad at z 0.25 with rhw 0.1 (w = 10) and linear fog 0..1
// keeps f = 0.75 of its colour: red 191, blue 64.
TEST_F(DeviceTest, TableFogReadsDeviceDepthUnderAnAffineProjection)
{
    SelectDiffuse(device);
    UseLinearTableFogToBlue(device, 0.0f, 1.0f);
    const D3DCOLOR red = 0xFFFF0000;
    const ScreenVertex quad[4] = {{0, 0, 0.25f, 0.1f, red, 0, 0},
                                  {64, 0, 0.25f, 0.1f, red, 0, 0},
                                  {0, 64, 0.25f, 0.1f, red, 0, 0},
                                  {64, 64, 0.25f, 0.1f, red, 0, 0}};
    device->SetVertexShader(screenVertexFvf);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)), D3D_OK);
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(20, 20) & 0xFFFFFF, D3DCOLOR_XRGB(191, 0, 64) & 0xFFFFFF, 2));
}

// The text atlas keeps glyph coverage in the four alpha bits of A4R4G4B4
// texels and draws with the alpha test at 8 or more. A nibble n reads as
// alpha n / 15 = 17 n / 255, so over black with source-alpha blending white
// texels give 17 n; the alpha test drops only nibble 0, since the faintest
// coverage, 17, passes. Without blending the passing texels show plain white.
TEST_F(DeviceTest, FourBitAlphaTexelsThroughTheTextAlphaTest)
{
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 1, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    auto* texels = static_cast<WORD*>(locked.pBits);
    for (WORD n = 0; n < 16; ++n) texels[n] = static_cast<WORD>((n << 12) | 0x0FFF);
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);

    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0x08);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);

    // Texel n spans pixels 4n .. 4n + 3: rows 0..31 blended, rows 32..63 not.
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    DrawQuad(0, 0, 64, 32, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    DrawQuad(0, 32, 64, 64, 0xFFFFFFFF);
    for (int n = 0; n < 16; ++n) {
        const int value = 17 * n;
        EXPECT_TRUE(ColorNear(Pixel(4 * n + 2, 10) & 0xFFFFFF, D3DCOLOR_XRGB(value, value, value) & 0xFFFFFF, 1))
            << "nibble " << n;
        EXPECT_EQ(Pixel(4 * n + 2, 40) & 0xFFFFFF, n == 0 ? 0x000000u : 0xFFFFFFu) << "nibble " << n;
    }
    device->SetTexture(0, nullptr);
    texture->Release();
}
