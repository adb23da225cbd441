// The texture-stage cascade: every operation and argument modifier, worked out
// by hand from Direct3D's formulas for one texel and one vertex colour.

#include "device_fixture.h"

namespace {

struct StageCase {
    const char* name;
    DWORD op;
    DWORD arg1;
    DWORD arg2;
    D3DCOLOR expected;
};

// texel 0x80402010 (alpha 0x80), diffuse 0x40808080 (alpha 0x40), factor 0xC0FF0000.
constexpr D3DCOLOR texel = 0x80402010;
constexpr D3DCOLOR diffuse = 0x40808080;
constexpr D3DCOLOR factor = 0xC0FF0000;

const StageCase colorCases[] = {
    {"SelectArg1", D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x402010},
    {"SelectArg2", D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x808080},
    {"Modulate", D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x201008},
    {"Modulate2x", D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x402010},
    {"Modulate4x", D3DTOP_MODULATE4X, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x804020},
    {"Add", D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xC0A090},
    {"AddSigned", D3DTOP_ADDSIGNED, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x40200F},
    {"Subtract", D3DTOP_SUBTRACT, D3DTA_DIFFUSE, D3DTA_TEXTURE, 0x406070},
    {"SubtractSaturates", D3DTOP_SUBTRACT, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x000000},
    {"BlendDiffuseAlpha", D3DTOP_BLENDDIFFUSEALPHA, D3DTA_TEXTURE, D3DTA_TFACTOR, 0xCF0804},
    {"BlendTextureAlpha", D3DTOP_BLENDTEXTUREALPHA, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x605048},
    {"BlendCurrentAlpha", D3DTOP_BLENDCURRENTALPHA, D3DTA_TEXTURE, D3DTA_TFACTOR, 0xCF0804},
    {"ModulateAlphaAddColor", D3DTOP_MODULATEALPHA_ADDCOLOR, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0x806050},
    {"Complement", D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, 0xBFDFEF},
    {"AlphaReplicate", D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_ALPHAREPLICATE, D3DTA_DIFFUSE, 0x808080},
    {"TextureFactor", D3DTOP_SELECTARG1, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0xFF0000},
    {"Current", D3DTOP_MODULATE, D3DTA_CURRENT, D3DTA_TEXTURE, 0x201008},
    {"SpecularIsBlackWithoutSpecular", D3DTOP_ADD, D3DTA_SPECULAR, D3DTA_TEXTURE, 0x402010},
};

class TextureStageTest : public DeviceTest,
                         public ::testing::WithParamInterface<StageCase> {};

} // namespace

TEST_P(TextureStageTest, ColorOperation)
{
    const StageCase& c = GetParam();
    IDirect3DTexture8* texture = MakeTexture(1, 1, {texel});
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, factor);
    device->SetTextureStageState(0, D3DTSS_COLOROP, c.op);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, c.arg1);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, c.arg2);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    FullScreenQuad(diffuse);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, c.expected, 2));
    device->SetTexture(0, nullptr);
    texture->Release();
}

INSTANTIATE_TEST_SUITE_P(Operations, TextureStageTest, ::testing::ValuesIn(colorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceTest, AlphaOperationsAndTwoStages)
{
    IDirect3DTexture8* texture = MakeTexture(1, 1, {texel});
    device->SetTexture(0, texture);
    device->SetTexture(1, texture);
    // Stage 0: colour = texture, alpha = texture x diffuse (0x80 x 0x40 -> 0x20).
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    // Stage 1: colour = current + texture, alpha passes.
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
    FullScreenQuad(diffuse);
    EXPECT_TRUE(ColorNear(Pixel(5, 5), 0x20804020, 2));
    device->SetTexture(0, nullptr);
    device->SetTexture(1, nullptr);
    texture->Release();
}

// Direct3D 8 documents D3DTA_TEXTURE on a stage with no texture set as the
// colour R 1.0, G 1.0, B 1.0, A 1.0, and only D3DTOP_DISABLE as ending the
// cascade: a stage without its texture runs on with opaque white, and the
// stages after it run too.
TEST_F(DeviceTest, AStageWithoutItsTextureReadsOpaqueWhite)
{
    // Colour and alpha selected from the missing texture: white, alpha 255
    // (not the diffuse 0x4000FF00).
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    FullScreenQuad(0x4000FF00);
    EXPECT_TRUE(ColorNear(Pixel(5, 5), 0xFFFFFFFF, 0));

    // Stage 0 without a texture: white x green diffuse = green; stage 1 adds
    // its blue texel: cyan.
    IDirect3DTexture8* texture = MakeTexture(1, 1, {0xFF0000FF});
    device->SetTexture(1, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    FullScreenQuad(0xFF00FF00);
    EXPECT_TRUE(ColorNear(Pixel(5, 5) & 0xFFFFFF, 0x00FFFF, 0));
    device->SetTexture(1, nullptr);
    texture->Release();
}
