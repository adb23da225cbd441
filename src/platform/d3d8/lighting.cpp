#include "platform/d3d8/lighting.h"

#include <algorithm>

namespace {

// Direct3D only asks that the three attenuation factors are not all zero. A
// light that breaks that rule is treated as infinitely bright (what 1/0 gives)
// but kept finite so that a zero factor elsewhere still yields zero, not NaN.
constexpr float kUnboundedAttenuation = 1e30f;

Vec3 Rgb(const D3DCOLORVALUE& color) { return {color.r, color.g, color.b}; }

void CopyColor(const D3DCOLORVALUE& color, float out[4])
{
    out[0] = color.r;
    out[1] = color.g;
    out[2] = color.b;
    out[3] = color.a;
}

// A material source names a vertex colour; without COLORVERTEX, or when the
// vertex lacks that colour, the material's own colour stands in.
ColorSource ResolveSource(DWORD source, bool colorVertex, const VertexLayout& layout)
{
    if (!colorVertex) return ColorSource::Material;
    if (source == D3DMCS_COLOR1 && layout.diffuse.Present()) return ColorSource::VertexDiffuse;
    if (source == D3DMCS_COLOR2 && layout.specular.Present()) return ColorSource::VertexSpecular;
    return ColorSource::Material;
}

const float* Pick(ColorSource source, const float* material, const float* vertexDiffuse,
                  const float* vertexSpecular)
{
    switch (source) {
    case ColorSource::VertexDiffuse: return vertexDiffuse;
    case ColorSource::VertexSpecular: return vertexSpecular;
    default: return material;
    }
}

CameraLight ToCameraSpace(const D3DLIGHT8& light, const D3DMATRIX& view)
{
    CameraLight result;
    result.type = light.Type;
    result.diffuse = Rgb(light.Diffuse);
    result.specular = Rgb(light.Specular);
    result.ambient = Rgb(light.Ambient);
    const Vec3 position{light.Position.x, light.Position.y, light.Position.z};
    const Vec3 direction =
        Normalize(TransformDirection({light.Direction.x, light.Direction.y, light.Direction.z}, view));
    result.position = TransformPoint(position, view);
    result.toLight = direction * -1.0f;
    result.spotAxis = direction;
    result.range = light.Range;
    result.attenuation[0] = light.Attenuation0;
    result.attenuation[1] = light.Attenuation1;
    result.attenuation[2] = light.Attenuation2;
    result.cosHalfTheta = std::cos(light.Theta * 0.5f);
    result.cosHalfPhi = std::cos(light.Phi * 0.5f);
    result.falloff = light.Falloff;
    return result;
}

// Atten = 1 / (a0 + a1 d + a2 d^2), and no light at all beyond the range.
float Attenuation(const CameraLight& light, float distance)
{
    const float denominator =
        light.attenuation[0] + light.attenuation[1] * distance + light.attenuation[2] * distance * distance;
    return denominator > 0.0f ? 1.0f / denominator : kUnboundedAttenuation;
}

// Full inside the inner cone (theta), none outside the outer one (phi), and
// ((rho - cos(phi/2)) / (cos(theta/2) - cos(phi/2)))^falloff between them,
// rho being the cosine between the cone's axis and the way to the vertex.
float SpotFactor(const CameraLight& light, Vec3 toLight)
{
    const float rho = -Dot(light.spotAxis, toLight);
    if (rho > light.cosHalfTheta) return 1.0f;
    if (rho <= light.cosHalfPhi) return 0.0f;
    const float ratio = (rho - light.cosHalfPhi) / (light.cosHalfTheta - light.cosHalfPhi);
    return light.falloff == 1.0f ? ratio : std::pow(ratio, light.falloff);
}

} // namespace

LightingSetup PrepareLighting(const DeviceState& state, const VertexLayout& layout)
{
    LightingSetup setup;
    for (const auto& [index, slot] : state.lights) {
        if (slot.enabled) setup.lights.push_back(ToCameraSpace(slot.light, state.view));
    }
    float ambient[4];
    const DWORD globalAmbient = state.RenderState(D3DRS_AMBIENT);
    ambient[0] = static_cast<float>((globalAmbient >> 16) & 0xFF) / 255.0f;
    ambient[1] = static_cast<float>((globalAmbient >> 8) & 0xFF) / 255.0f;
    ambient[2] = static_cast<float>(globalAmbient & 0xFF) / 255.0f;
    setup.globalAmbient = {ambient[0], ambient[1], ambient[2]};

    const D3DMATERIAL8& material = state.material;
    CopyColor(material.Diffuse, setup.diffuse);
    CopyColor(material.Ambient, setup.ambient);
    CopyColor(material.Specular, setup.specular);
    CopyColor(material.Emissive, setup.emissive);
    setup.power = material.Power;

    const bool colorVertex = state.RenderState(D3DRS_COLORVERTEX) != FALSE;
    setup.diffuseSource = ResolveSource(state.RenderState(D3DRS_DIFFUSEMATERIALSOURCE), colorVertex, layout);
    setup.ambientSource = ResolveSource(state.RenderState(D3DRS_AMBIENTMATERIALSOURCE), colorVertex, layout);
    setup.specularSource = ResolveSource(state.RenderState(D3DRS_SPECULARMATERIALSOURCE), colorVertex, layout);
    setup.emissiveSource = ResolveSource(state.RenderState(D3DRS_EMISSIVEMATERIALSOURCE), colorVertex, layout);
    setup.specularEnabled = state.RenderState(D3DRS_SPECULARENABLE) != FALSE;
    setup.localViewer = state.RenderState(D3DRS_LOCALVIEWER) != FALSE;
    return setup;
}

void LightVertex(const LightingSetup& setup, Vec3 cameraPosition, Vec3 normal, const float* vertexDiffuse,
                 const float* vertexSpecular, float diffuseOut[4], float specularOut[4])
{
    // Toward the eye for the halfway vector. Direct3D's camera looks down +z,
    // so a viewer at infinity lies along -z; a local one at the origin.
    const Vec3 toEye = setup.localViewer ? Normalize(cameraPosition * -1.0f) : Vec3{0.0f, 0.0f, -1.0f};

    Vec3 ambientSum = setup.globalAmbient;
    Vec3 diffuseSum, specularSum;
    for (const CameraLight& light : setup.lights) {
        Vec3 toLight = light.toLight;
        float factor = 1.0f;
        if (light.type != D3DLIGHT_DIRECTIONAL) {
            const Vec3 offset = light.position - cameraPosition;
            const float distance = Length(offset);
            if (distance > light.range) continue;
            toLight = distance > 0.0f ? offset * (1.0f / distance) : Vec3{};
            factor = Attenuation(light, distance);
            if (light.type == D3DLIGHT_SPOT) factor *= SpotFactor(light, toLight);
            if (factor == 0.0f) continue;
        }
        ambientSum = ambientSum + light.ambient * factor;
        const float normalDotLight = Dot(normal, toLight);
        if (normalDotLight <= 0.0f) continue;
        diffuseSum = diffuseSum + light.diffuse * (normalDotLight * factor);
        if (setup.specularEnabled) {
            // Specular = Cs * Ls * (N.H)^P with H = norm(toEye + toLight).
            const float normalDotHalf = Dot(normal, Normalize(toEye + toLight));
            if (normalDotHalf > 0.0f) {
                specularSum = specularSum + light.specular * (std::pow(normalDotHalf, setup.power) * factor);
            }
        }
    }

    const float* diffuse = Pick(setup.diffuseSource, setup.diffuse, vertexDiffuse, vertexSpecular);
    const float* ambient = Pick(setup.ambientSource, setup.ambient, vertexDiffuse, vertexSpecular);
    const float* emissive = Pick(setup.emissiveSource, setup.emissive, vertexDiffuse, vertexSpecular);
    // Colour = emissive + ambient material * (global ambient + light ambients) + diffuse material * diffuse light.
    diffuseOut[0] = Clamp01(emissive[0] + ambient[0] * ambientSum.x + diffuse[0] * diffuseSum.x);
    diffuseOut[1] = Clamp01(emissive[1] + ambient[1] * ambientSum.y + diffuse[1] * diffuseSum.y);
    diffuseOut[2] = Clamp01(emissive[2] + ambient[2] * ambientSum.z + diffuse[2] * diffuseSum.z);
    diffuseOut[3] = Clamp01(diffuse[3]);

    if (!setup.specularEnabled) {
        specularOut[0] = specularOut[1] = specularOut[2] = specularOut[3] = 0.0f;
        return;
    }
    const float* specular = Pick(setup.specularSource, setup.specular, vertexDiffuse, vertexSpecular);
    specularOut[0] = Clamp01(specular[0] * specularSum.x);
    specularOut[1] = Clamp01(specular[1] * specularSum.y);
    specularOut[2] = Clamp01(specular[2] * specularSum.z);
    specularOut[3] = Clamp01(specular[3]);
}
