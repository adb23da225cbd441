#pragma once
// Direct3D's per-vertex lighting in camera space: global ambient, the enabled
// lights, the material and the material-source states. The state is digested
// once per draw; LightVertex then runs per vertex without looking at it again.

#include <vector>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/pipeline_math.h"
#include "platform/d3d8/vertex_layout.h"

struct CameraLight {
    D3DLIGHTTYPE type = D3DLIGHT_DIRECTIONAL;
    Vec3 diffuse, specular, ambient;
    Vec3 position;    // point and spot lights
    Vec3 toLight;     // directional lights: the unit vector towards the light
    Vec3 spotAxis;    // spot lights: the unit vector from the light along its cone
    float range = 0.0f;
    float attenuation[3] = {};
    float cosHalfTheta = 0.0f, cosHalfPhi = 0.0f, falloff = 1.0f;
};

// Where each material colour comes from for this draw.
enum class ColorSource { Material, VertexDiffuse, VertexSpecular };

struct LightingSetup {
    std::vector<CameraLight> lights;
    Vec3 globalAmbient;
    float diffuse[4], ambient[4], specular[4], emissive[4];
    ColorSource diffuseSource, ambientSource, specularSource, emissiveSource;
    float power = 0.0f;
    bool specularEnabled = false;
    bool localViewer = true;
};

LightingSetup PrepareLighting(const DeviceState& state, const VertexLayout& layout);

// cameraPosition and normal are in camera space; vertexDiffuse and
// vertexSpecular may be null when the vertex has no such colour.
void LightVertex(const LightingSetup& setup, Vec3 cameraPosition, Vec3 normal, const float* vertexDiffuse,
                 const float* vertexSpecular, float diffuseOut[4], float specularOut[4]);
