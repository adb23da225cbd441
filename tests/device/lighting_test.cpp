// Per-vertex lighting and generated texture coordinates, seen through the
// pixels of a small lit quad facing the camera.

#include <cmath>

#include "device_fixture.h"

namespace {

D3DMATRIX Identity()
{
    D3DMATRIX m{};
    m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 1.0f;
    return m;
}

// Orthographic camera: x and y in -1..1 fill the 64x64 target, z 0..10.
D3DMATRIX Orthographic()
{
    D3DMATRIX m = Identity();
    m.m[2][2] = 0.1f;
    return m;
}

class LightingTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        const D3DMATRIX identity = Identity();
        const D3DMATRIX projection = Orthographic();
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        D3DMATERIAL8 material{};
        material.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        device->SetMaterial(&material);
    }

    // A quad over the whole target at depth 5, every normal the same.
    void DrawLitQuad(float nx, float ny, float nz, float extent = 1.0f)
    {
        const float e = extent;
        const LitVertex quad[6] = {{-e, e, 5, nx, ny, nz, 0, 0},  {e, e, 5, nx, ny, nz, 1, 0},
                                   {-e, -e, 5, nx, ny, nz, 0, 1}, {-e, -e, 5, nx, ny, nz, 0, 1},
                                   {e, e, 5, nx, ny, nz, 1, 0},   {e, -e, 5, nx, ny, nz, 1, 1}};
        device->SetVertexShader(litVertexFvf);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(LitVertex)), D3D_OK);
        Changed();
    }

    void SetDirectionalLight(float x, float y, float z, float red = 1.0f)
    {
        D3DLIGHT8 light{};
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = {red, red, red, 1.0f};
        light.Direction = {x, y, z};
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
    }
};

D3DCOLOR Gray(float level)
{
    const unsigned byte = static_cast<unsigned>(std::lround(std::fmin(level, 1.0f) * 255.0f));
    return D3DCOLOR_XRGB(byte, byte, byte) & 0xFFFFFF;
}

} // namespace

TEST_F(LightingTest, DirectionalLightFollowsTheCosineAndTheAmbient)
{
    // Light along +z onto a normal facing -z: full. At 60 degrees: half.
    SetDirectionalLight(0, 0, 1);
    DrawLitQuad(0, 0, -1);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(1.0f)));
    SetDirectionalLight(0, std::sqrt(3.0f) / 2.0f, 0.5f);
    DrawLitQuad(0, 0, -1);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(0.5f)));
    // Facing away: only the ambient term, material ambient x global ambient.
    D3DMATERIAL8 material{};
    material.Diffuse = {1, 1, 1, 1};
    material.Ambient = {0.5f, 0.5f, 0.5f, 1};
    device->SetMaterial(&material);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF404040);
    DrawLitQuad(0, 0, 1);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(0.5f * 64.0f / 255.0f)));
}

TEST_F(LightingTest, PointLightAttenuatesAndStopsAtItsRange)
{
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {1, 1, 1, 1};
    light.Position = {0, 0, 1};
    light.Range = 10.0f;
    light.Attenuation0 = 1.0f;
    light.Attenuation1 = 0.25f; // d = 4 at the quad's centre: 1 / (1 + 1) = 0.5
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    DrawLitQuad(0, 0, -1, 0.01f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(0.5f), 2));
    light.Range = 3.9f;
    device->SetLight(0, &light);
    DrawLitQuad(0, 0, -1, 0.01f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0x000000, 0));
}

TEST_F(LightingTest, MaterialSourceTakesTheVertexColourOnlyWhenAsked)
{
    SetDirectionalLight(0, 0, 1);
    struct ColoredLit {
        float x, y, z, nx, ny, nz;
        D3DCOLOR color;
    };
    const ColoredLit quad[6] = {{-1, 1, 5, 0, 0, -1, 0xFF00FF00},  {1, 1, 5, 0, 0, -1, 0xFF00FF00},
                                {-1, -1, 5, 0, 0, -1, 0xFF00FF00}, {-1, -1, 5, 0, 0, -1, 0xFF00FF00},
                                {1, 1, 5, 0, 0, -1, 0xFF00FF00},   {1, -1, 5, 0, 0, -1, 0xFF00FF00}};
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(ColoredLit));
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0x00FF00));
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(ColoredLit));
    Changed();
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0xFFFFFF));
}

// Normals go through the inverse transpose of world x view and keep its
// scale unless NORMALIZENORMALS is set: a world scaled by 0.5 doubles N.L.
TEST_F(LightingTest, ScaledWorldScalesNormalsUnlessNormalized)
{
    SetDirectionalLight(0, 0, 1, 0.25f);
    D3DMATRIX world = Identity();
    world.m[0][0] = world.m[1][1] = world.m[2][2] = 0.5f;
    device->SetTransform(D3DTS_WORLD, &world);
    DrawLitQuad(0, 0, -1, 2.0f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(0.5f), 2));
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    DrawLitQuad(0, 0, -1, 2.0f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, Gray(0.25f), 2));
}

// Camera-space normals as texture coordinates through a texture transform
// that maps -1..1 to 0..1: a normal along +x samples the right texel.
TEST_F(LightingTest, SphereMapCoordinatesFromCameraSpaceNormals)
{
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    IDirect3DTexture8* texture = MakeTexture(2, 1, {0xFFFF0000, 0xFF00FF00});
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    D3DMATRIX transform = Identity();
    transform.m[0][0] = transform.m[1][1] = 0.5f;
    transform.m[3][0] = transform.m[3][1] = 0.5f;
    device->SetTransform(D3DTS_TEXTURE0, &transform);
    DrawLitQuad(0.9f, 0, -0.43f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0x00FF00));
    DrawLitQuad(-0.9f, 0, -0.43f);
    EXPECT_TRUE(ColorNear(Pixel(32, 32) & 0xFFFFFF, 0xFF0000));
    device->SetTexture(0, nullptr);
    texture->Release();
}
