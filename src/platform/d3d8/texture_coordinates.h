#pragma once
// Per-stage texture coordinates: the set a stage reads or the vector it
// generates (camera-space normal, position or reflection vector), then the
// stage's texture transform with its D3DTTFF count and projection.

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/pipeline_math.h"
#include "platform/d3d8/vertex_layout.h"

enum class CoordinateSource { Set, Missing, CameraNormal, CameraPosition, CameraReflection };

struct StageCoordinates {
    CoordinateSource source = CoordinateSource::Set;
    DWORD set = 0;
    DWORD count = 0; // components kept by the transform; 0: no transform
    bool projected = false;
    D3DMATRIX transform;
};

struct TextureCoordinateSetup {
    StageCoordinates stages[D3D_STAGE_COUNT];
    DWORD setsRead = 0;   // bit n: some stage reads set n
    bool needsNormal = false;
    bool needsPosition = false;
    bool localViewer = true;
};

// Pre-transformed vertices take their sets as they are: no generation, no
// transform.
TextureCoordinateSetup PrepareTextureCoordinates(const DeviceState& state, const VertexLayout& layout);

// A set as the 4-vector Direct3D feeds the texture transform: the component
// after the last one given is 1, the others 0, so (u, v) reads as (u, v, 1, 0)
// and the matrix's third row translates 2D coordinates.
void ExpandSet(const float* components, DWORD size, float out[4]);

// sets[n] holds set n expanded (filled for the sets in setsRead).
void ComputeTextureCoordinates(const TextureCoordinateSetup& setup, const float (*sets)[4], Vec3 cameraPosition,
                               Vec3 cameraNormal, float out[D3D_STAGE_COUNT][4]);
