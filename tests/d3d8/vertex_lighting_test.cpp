#include <cmath>

#include "vertex_testing.h"

namespace {

using namespace vertex_testing;

DeviceState LitState(D3DLIGHTTYPE type, D3DVECTOR direction, float intensity)
{
    D3DLIGHT8 light{};
    light.Type = type;
    light.Direction = direction;
    light.Diffuse = {intensity, intensity, intensity, 0};
    light.Attenuation0 = 1;
    light.Range = 100;
    DeviceState state = TestState();
    state.lights[0] = {light, true};
    state.material.Diffuse = {1, 1, 1, 1};
    return state;
}

TEST(VertexLighting, DirectionalLightWithAmbientAndMaterial)
{
    DeviceState state = LitState(D3DLIGHT_DIRECTIONAL, {0, -1, 1}, 1);
    state.lights[0].light.Diffuse = {1, 0.5f, 0.25f, 0};
    state.material.Diffuse = {0.8f, 0.8f, 0.8f, 0.5f};
    state.material.Ambient = {0.2f, 0.2f, 0.2f, 1};
    state.renderStates[D3DRS_AMBIENT] = 0x00404040;
    // No COLOR1 in the vertex: DIFFUSEMATERIALSOURCE falls back to the material.
    const auto out = ProcessFvf(state, 0x112, {Lit(0, 0, 0, 0, 0, -1)});
    const float nDotL = std::sqrt(0.5f), ambient = 0.2f * 64 / 255.0f;
    ExpectFour(out[0].diffuse, ambient + 0.8f * nDotL, ambient + 0.4f * nDotL, ambient + 0.2f * nDotL, 0.5f);
}

TEST(VertexLighting, PointLightAttenuatesAndStopsAtItsRange)
{
    DeviceState state = LitState(D3DLIGHT_POINT, {0, 0, 0}, 0.9f);
    D3DLIGHT8& light = state.lights[0].light;
    light.Position = {0, 0, -10};
    light.Ambient = {0.3f, 0.3f, 0.3f, 0};
    light.Attenuation1 = 0.1f;
    light.Attenuation2 = 0.01f;
    light.Range = 11;
    state.material.Ambient = {1, 1, 1, 1};
    // d = 10: 1 / (1 + 1 + 1) of the diffuse 0.9 and of the ambient 0.3.
    ExpectFour(ProcessFvf(state, 0x112, {Lit(0, 0, 0, 0, 0, -1)})[0].diffuse, 0.4f, 0.4f, 0.4f, 1);
    light.Range = 9;
    ExpectFour(ProcessFvf(state, 0x112, {Lit(0, 0, 0, 0, 0, -1)})[0].diffuse, 0, 0, 0, 1);
}

TEST(VertexLighting, SpotLightFadesBetweenItsCones)
{
    DeviceState state = LitState(D3DLIGHT_SPOT, {0, 0, 1}, 1);
    const float degree = 3.14159265f / 180;
    state.lights[0].light.Theta = 60 * degree;
    state.lights[0].light.Phi = 90 * degree;
    state.lights[0].light.Falloff = 1;
    // Head-on, 40 degrees off the axis: (cos 40 - cos 45) / (cos 30 - cos 45).
    const float s = std::sin(40 * degree), c = std::cos(40 * degree);
    const auto out = ProcessFvf(state, 0x112, {Lit(0, 0, 10, 0, 0, -1), Lit(10 * s, 0, 10 * c, -s, 0, -c)});
    EXPECT_NEAR(out[0].diffuse[0], 1.0f, 1e-5f);
    EXPECT_NEAR(out[1].diffuse[0], (c - std::sqrt(0.5f)) / (std::sqrt(0.75f) - std::sqrt(0.5f)), 1e-4f);
}

TEST(VertexLighting, MaterialSourcesPickVertexColourOnlyWithColorVertex)
{
    DeviceState state = LitState(D3DLIGHT_DIRECTIONAL, {0, 0, 1}, 1);
    state.material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    const VertexBytes red = VertexBytes().Floats({0, 0, 0, 0, 0, -1}).Dword(0x80FF0000); // 0x052
    ExpectFour(ProcessFvf(state, 0x052, {red})[0].diffuse, 1, 0, 0, 128 / 255.0f);
    state.renderStates[D3DRS_COLORVERTEX] = FALSE;
    ExpectFour(ProcessFvf(state, 0x052, {red})[0].diffuse, 0.5f, 0.5f, 0.5f, 1);
    state.renderStates[D3DRS_COLORVERTEX] = TRUE;
    state.renderStates[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_MATERIAL;
    state.renderStates[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_COLOR1;
    ExpectFour(ProcessFvf(state, 0x052, {red})[0].diffuse, 1, 0.5f, 0.5f, 1);
    state.renderStates[D3DRS_LIGHTING] = FALSE;
    ExpectFour(ProcessFvf(state, 0x052, {red})[0].diffuse, 1, 0, 0, 128 / 255.0f);
}

TEST(VertexLighting, ScaledWorldScalesNormalsUnlessNormalized)
{
    DeviceState state = LitState(D3DLIGHT_DIRECTIONAL, {0, 0, 1}, 0.25f);
    const auto lit = [&](float scale) {
        state.world[0] = Transform(scale, 0, 0, 0);
        return ProcessFvf(state, 0x112, {Lit(0, 0, 0, 0, 0, -1)})[0].diffuse[0];
    };
    EXPECT_NEAR(lit(2), 0.125f, 1e-6f);
    EXPECT_NEAR(lit(0.5f), 0.5f, 1e-6f);
    state.renderStates[D3DRS_NORMALIZENORMALS] = TRUE;
    EXPECT_NEAR(lit(0.5f), 0.25f, 1e-6f);
}

TEST(VertexLighting, SpecularUsesTheHalfwayVectorWhenEnabled)
{
    DeviceState state = LitState(D3DLIGHT_DIRECTIONAL, {0, -0.6f, 0.8f}, 0);
    state.lights[0].light.Specular = {1, 1, 1, 0};
    state.material.Specular = {1, 0.5f, 1, 1};
    state.material.Power = 4;
    state.renderStates[D3DRS_SPECULARENABLE] = TRUE;
    // To the eye (0, 0, -1), to the light (0, 0.6, -0.8): N.H = 1.8 / sqrt(3.6), to the 4th 0.81.
    ExpectFour(ProcessFvf(state, 0x112, {Lit(0, 0, 10, 0, 0, -1)})[0].specular, 0.81f, 0.405f, 0.81f, 1, 1e-4f);
    state.renderStates[D3DRS_SPECULARENABLE] = FALSE;
    ExpectFour(ProcessFvf(state, 0x112, {Lit(0, 0, 10, 0, 0, -1)})[0].specular, 0, 0, 0, 0);
}

} // namespace
