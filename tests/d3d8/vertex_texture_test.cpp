#include <cmath>

#include "vertex_testing.h"

namespace {

using namespace vertex_testing;

TEST(VertexTexture, SphereMapFromCameraSpaceNormalsThroughCount2)
{
    DeviceState state = TestState();
    state.stageStates[0][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACENORMAL;
    state.stageStates[0][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
    state.texture[0] = Transform(0.5f, 0.5f, 0.5f, 0);
    state.texture[0].m[1][1] = -0.5f;
    // The view turns x into y: the normal (0.6, 0, -0.8) reaches the texture
    // transform as (0, 0.6, -0.8, 1), giving u = 0.5, v = -0.3 + 0.5.
    state.view.m[0][0] = state.view.m[1][1] = 0;
    state.view.m[0][1] = 1;
    state.view.m[1][0] = -1;
    ExpectFour(ProcessFvf(state, 0x112, {Lit(0, 0, 0, 0.6f, 0, -0.8f)})[0].texCoords[0], 0.5f, 0.2f, 0, 0);
}

TEST(VertexTexture, SetsExpandWithOneAfterTheirLastComponent)
{
    DeviceState state = TestState();
    state.stageStates[3][D3DTSS_TEXCOORDINDEX] = 1;
    state.stageStates[3][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
    state.texture[3].m[2][0] = 0.25f; // the row that translates 2D sets
    state.stageStates[4][D3DTSS_TEXCOORDINDEX] = 2;
    state.stageStates[4][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT3 | D3DTTFF_PROJECTED;
    const DWORD fvf = D3DFVF_XYZ | D3DFVF_SPECULAR | D3DFVF_TEX3 | D3DFVF_TEXCOORDSIZE1(0) | D3DFVF_TEXCOORDSIZE3(2);
    const auto out =
        ProcessFvf(state, fvf, {VertexBytes().Floats({0, 0, 0}).Dword(0).Floats({0.5f, 0.25f, 0.75f, 2, 4, 2})});
    ExpectFour(out[0].texCoords[0], 0.5f, 1, 0, 0);
    ExpectFour(out[0].texCoords[1], 0.25f, 0.75f, 1, 0);
    ExpectFour(out[0].texCoords[2], 2, 4, 2, 1);
    ExpectFour(out[0].texCoords[3], 0.5f, 0.75f, 0, 0);
    ExpectFour(out[0].texCoords[4], 1, 2, 1, 0);
    ExpectFour(out[0].texCoords[5], 0, 0, 0, 0); // a set the vertex lacks
}

TEST(VertexTexture, CameraSpacePositionAndReflection)
{
    DeviceState state = TestState();
    state.view = Transform(1, 0, 0, 4);
    state.stageStates[0][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEPOSITION;
    state.stageStates[1][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR;
    // Seen along (0.6, 0, 0.8), a surface facing the eye mirrors the view to (0.6, 0, -0.8).
    auto out = ProcessFvf(state, 0x112, {Lit(3, 0, 0, 0, 0, -1)});
    ExpectFour(out[0].texCoords[0], 3, 0, 4, 1);
    ExpectFour(out[0].texCoords[1], 0.6f, 0, -0.8f, 1);
    state.renderStates[D3DRS_LOCALVIEWER] = FALSE; // viewed straight along +z
    ExpectFour(ProcessFvf(state, 0x112, {Lit(3, 0, 0, 0, 0, -1)})[0].texCoords[1], 0, 0, -1, 1);
}

TEST(VertexFog, LinearFromDepthOrRangeAndNoneUnderTableFog)
{
    DeviceState state = TestState();
    state.renderStates[D3DRS_LIGHTING] = FALSE;
    state.renderStates[D3DRS_FOGENABLE] = TRUE;
    state.renderStates[D3DRS_FOGVERTEXMODE] = D3DFOG_LINEAR;
    state.renderStates[D3DRS_FOGSTART] = AsBits(10.0f);
    state.renderStates[D3DRS_FOGEND] = AsBits(30.0f);
    const auto fog = [&](VertexBytes vertex, DWORD fvf = 0x002) { return ProcessFvf(state, fvf, {vertex})[0].fog; };
    EXPECT_NEAR(fog(VertexBytes().Floats({0, 15, 20})), 0.5f, 1e-6f); // depth 20
    EXPECT_EQ(fog(VertexBytes().Floats({0, 0, 40})), 0.0f);
    EXPECT_NEAR(fog(VertexBytes().Floats({0, 0, 0.5f, 0.05f}).Dword(0), 0x044), 0.5f, 1e-5f); // w = 1 / rhw
    state.renderStates[D3DRS_RANGEFOGENABLE] = TRUE;
    EXPECT_NEAR(fog(VertexBytes().Floats({0, 15, 20})), 0.25f, 1e-6f); // distance 25
    // Table fog is the pixels' business: the vertices stay clear.
    state.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_LINEAR;
    EXPECT_EQ(fog(VertexBytes().Floats({0, 0, 40})), 1.0f);
    state.renderStates[D3DRS_FOGENABLE] = FALSE;
    state.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_NONE;
    EXPECT_EQ(fog(VertexBytes().Floats({0, 15, 20})), 1.0f);
}

TEST(VertexPointSize, ScaleFactorsAndClamps)
{
    DeviceState state = TestState();
    state.renderStates[D3DRS_LIGHTING] = FALSE;
    state.renderStates[D3DRS_POINTSCALEENABLE] = TRUE;
    state.renderStates[D3DRS_POINTSIZE] = AsBits(0.01f);
    const auto size = [&](float a, float b, float c, DWORD fvf = 0x002,
                          VertexBytes vertex = VertexBytes().Floats({0, 6, 8})) {
        state.renderStates[D3DRS_POINTSCALE_A] = AsBits(a);
        state.renderStates[D3DRS_POINTSCALE_B] = AsBits(b);
        state.renderStates[D3DRS_POINTSCALE_C] = AsBits(c);
        return ProcessFvf(state, fvf, {vertex})[0].pointSize;
    };
    // Ss = 480 * 0.01 * sqrt(1 / (A + B De + C De^2)) with De = 10.
    EXPECT_NEAR(size(4, 0, 0), 2.4f, 1e-5f);
    EXPECT_NEAR(size(0, 1, 0), 4.8f / std::sqrt(10.0f), 1e-5f);
    EXPECT_NEAR(size(0, 0, 1), 0.48f, 1e-5f);
    EXPECT_NEAR(size(1, 0, 0, 0x062, VertexBytes().Floats({0, 6, 8, 0.02f}).Dword(0)), 9.6f, 1e-4f); // own PSIZE
    state.renderStates[D3DRS_POINTSIZE_MIN] = AsBits(1.0f);
    EXPECT_EQ(size(0, 0, 1), 1.0f);
    state.renderStates[D3DRS_POINTSIZE_MAX] = AsBits(2.0f);
    EXPECT_EQ(size(4, 0, 0), 2.0f);
    state.renderStates[D3DRS_POINTSIZE_MAX] = AsBits(100.0f);
    EXPECT_EQ(size(0.0001f, 0, 0), 64.0f); // the device's own maximum
    state.renderStates[D3DRS_POINTSIZE] = AsBits(5.0f);
    // Screen vertices are not scaled.
    EXPECT_EQ(size(0.0001f, 0, 0, 0x044, VertexBytes().Floats({0, 0, 0, 1}).Dword(0)), 5.0f);
}

} // namespace
