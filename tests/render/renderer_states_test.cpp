// The device state the renderer leaves behind: after Init, after each blend
// preset, and the transforms SetupMatrices builds from turned objects.

#include <cmath>

#include "common/device_state_reading.h"
#include "renderer_fixture.h"

namespace {

D3DMATRIX Transform(IDirect3DDevice8* device, D3DTRANSFORMSTATETYPE type)
{
    D3DMATRIX matrix{};
    device->GetTransform(type, &matrix);
    return matrix;
}

void ExpectRow(const D3DMATRIX& m, int row, float x, float y, float z, float w)
{
    EXPECT_NEAR(m.m[row][0], x, 1e-6f) << "row " << row;
    EXPECT_NEAR(m.m[row][1], y, 1e-6f) << "row " << row;
    EXPECT_NEAR(m.m[row][2], z, 1e-6f) << "row " << row;
    EXPECT_NEAR(m.m[row][3], w, 1e-6f) << "row " << row;
}

constexpr float quarterTurn = 1.5707963f;

} // namespace

TEST_F(RendererTest, InitLeavesTheShowsDefaultStatesAndOneWhiteLightFromBelow)
{
    IDirect3DDevice8* device = render->GetDevice();
    EXPECT_EQ(RenderState(device, D3DRS_FILLMODE), static_cast<DWORD>(D3DFILL_SOLID));
    EXPECT_EQ(RenderState(device, D3DRS_SHADEMODE), static_cast<DWORD>(D3DSHADE_GOURAUD));
    EXPECT_EQ(RenderState(device, D3DRS_ZENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(RenderState(device, D3DRS_ZWRITEENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(RenderState(device, D3DRS_ZFUNC), static_cast<DWORD>(D3DCMP_LESSEQUAL));
    EXPECT_EQ(RenderState(device, D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_NONE));
    EXPECT_EQ(RenderState(device, D3DRS_CLIPPING), static_cast<DWORD>(TRUE));
    EXPECT_EQ(RenderState(device, D3DRS_ALPHATESTENABLE), static_cast<DWORD>(FALSE));
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(RenderState(device, D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_ZERO));
    EXPECT_EQ(RenderState(device, D3DRS_BLENDOP), static_cast<DWORD>(D3DBLENDOP_ADD));
    EXPECT_EQ(RenderState(device, D3DRS_FOGENABLE), static_cast<DWORD>(FALSE));
    EXPECT_EQ(RenderState(device, D3DRS_FOGCOLOR), 0x00FFFFFFu);
    EXPECT_EQ(RenderState(device, D3DRS_WRAP0), 0u);
    EXPECT_EQ(RenderState(device, D3DRS_LIGHTING), static_cast<DWORD>(TRUE));
    EXPECT_EQ(StageState(device, 0, D3DTSS_MAGFILTER), static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ(StageState(device, 0, D3DTSS_MINFILTER), static_cast<DWORD>(D3DTEXF_LINEAR));

    D3DLIGHT8 light{};
    ASSERT_EQ(device->GetLight(0, &light), D3D_OK);
    BOOL enabled = FALSE;
    device->GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.g, 1.0f);
    EXPECT_EQ(light.Diffuse.b, 1.0f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_EQ(light.Specular.r + light.Specular.g + light.Specular.b + light.Ambient.r + light.Ambient.g +
                  light.Ambient.b, 0.0f);
    EXPECT_EQ(light.Direction.x, 0.0f);
    EXPECT_EQ(light.Direction.y, 1.0f);
    EXPECT_EQ(light.Direction.z, 0.0f);
    EXPECT_EQ(light.Range, 1000.0f);
}

// Each preset on stage 1 or 2, whose device defaults differ from the preset
// (a later stage is DISABLEd and reads texture coordinate set = its number).
TEST_F(RendererTest, BlendPresetsSetTheirStatesOnTheGivenStageOnly)
{
    IDirect3DDevice8* device = render->GetDevice();
    render->SetBlendMode(0, 2);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));
    EXPECT_EQ(RenderState(device, D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(StageState(device, 2, D3DTSS_COLORARG1), static_cast<DWORD>(D3DTA_TEXTURE));
    EXPECT_EQ(StageState(device, 2, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(StageState(device, 2, D3DTSS_COLORARG2), static_cast<DWORD>(D3DTA_CURRENT));
    EXPECT_EQ(StageState(device, 1, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_DISABLE));

    render->SetBlendMode(1, 1);
    EXPECT_EQ(StageState(device, 1, D3DTSS_TEXCOORDINDEX), 0x10000u); // D3DTSS_TCI_CAMERASPACENORMAL
    EXPECT_EQ(StageState(device, 1, D3DTSS_TEXTURETRANSFORMFLAGS), static_cast<DWORD>(D3DTTFF_COUNT2));
    EXPECT_EQ(StageState(device, 0, D3DTSS_TEXCOORDINDEX), 0u);

    // Back to the vertex's first coordinate set, not to the stage's own.
    render->SetBlendMode(2, 1);
    EXPECT_EQ(StageState(device, 1, D3DTSS_TEXCOORDINDEX), 0u);
    EXPECT_EQ(StageState(device, 1, D3DTSS_TEXTURETRANSFORMFLAGS), static_cast<DWORD>(D3DTTFF_DISABLE));

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    render->SetBlendMode(3, 1);
    EXPECT_EQ(StageState(device, 1, D3DTSS_COLORARG1), static_cast<DWORD>(D3DTA_TEXTURE));
    EXPECT_EQ(StageState(device, 1, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_SELECTARG1));
    EXPECT_EQ(StageState(device, 1, D3DTSS_ALPHAARG1), static_cast<DWORD>(D3DTA_TEXTURE));
    EXPECT_EQ(StageState(device, 1, D3DTSS_ALPHAOP), static_cast<DWORD>(D3DTOP_SELECTARG1));
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_ZERO));
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(FALSE));

    render->SetBlendMode(4, 2);
    EXPECT_EQ(StageState(device, 2, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(FALSE));
}

// World = scale x RotationX x RotationY x RotationZ x translation, with row
// vectors. For quarter turns about all three axes:
//   x axis: (1,0,0) -X-> (1,0,0) -Y-> (0,0,-1) -Z-> (0,0,-1)
//   y axis: (0,1,0) -X-> (0,0,1) -Y-> (1,0,0)  -Z-> (0,1,0)
//   z axis: (0,0,1) -X-> (0,-1,0) -Y-> (0,-1,0) -Z-> (1,0,0)
// (RotationX maps y to (0, cos, sin), RotationY maps z to (sin, 0, cos),
// RotationZ maps x to (cos, sin, 0)); every other order turns x elsewhere.
TEST_F(RendererTest, SetupMatricesTurnsAboutXThenYThenZ)
{
    cCamera camera(cVector(0, 0, -10), cVector(0, 0, 0));
    render->SetCamera(&camera);
    ASSERT_TRUE(render->SetupMatrices(5, 6, 7, quarterTurn, quarterTurn, quarterTurn, 2));
    const D3DMATRIX world = Transform(render->GetDevice(), D3DTS_WORLD);
    ExpectRow(world, 0, 0, 0, -2, 0);
    ExpectRow(world, 1, 0, 2, 0, 0);
    ExpectRow(world, 2, 2, 0, 0, 0);
    ExpectRow(world, 3, 5, 6, 7, 1);

    // Only X and Y: y goes to (1, 0, 0); Y before X would give (0, 0, 1).
    ASSERT_TRUE(render->SetupMatrices(0, 0, 0, quarterTurn, quarterTurn, 0, 1));
    ExpectRow(Transform(render->GetDevice(), D3DTS_WORLD), 1, 1, 0, 0, 0);
}

// Projection = PerspectiveFovLH(1.75, 1.3333334, 0.1, 10000) x Translation(shift).
// With h = cot(1.75 / 2) = 0.8351277: m00 = h / 1.3333334 = 0.6263458,
// m11 = h, m22 = 10000 / 9999.9 = 1.0000100, m23 = 1, m32 = -0.1 x m22.
// The lens's row 2 carries w = z, so the shift lands in row 2 (x += sx z):
// a shift applied before the projection would land in row 3 instead.
TEST_F(RendererTest, TheProjectionShiftMovesThePictureAfterTheProjection)
{
    cCamera camera(cVector(0, 0, -10), cVector(0, 0, 0));
    render->SetCamera(&camera);
    render->SetProjectionShift(cVector(0.25f, -0.5f, 0.125f));
    ASSERT_TRUE(render->SetupMatrices(0, 0, 0, 0, 0, 0, 1));
    const D3DMATRIX projection = Transform(render->GetDevice(), D3DTS_PROJECTION);
    ExpectRow(projection, 0, 0.6263458f, 0, 0, 0);
    ExpectRow(projection, 1, 0, 0.8351277f, 0, 0);
    ExpectRow(projection, 2, 0.25f, -0.5f, 1.0000100f + 0.125f, 1);
    ExpectRow(projection, 3, 0, 0, -0.1000010f, 0);
}
