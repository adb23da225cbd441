#pragma once
// Everything a draw depends on, as the application set it. One value type so
// that state blocks can copy it and the vertex pipeline can read it.

#include <cstring>
#include <map>

#include "platform/d3d8/d3d8.h"

// Float-valued render and stage states travel as their bit patterns.
inline float AsFloat(DWORD bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline DWORD AsBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct LightSlot {
    D3DLIGHT8 light{};
    bool enabled = false;
};

struct StreamBinding {
    IDirect3DVertexBuffer8* buffer = nullptr;
    UINT stride = 0;
};

constexpr DWORD D3D_STREAM_COUNT = 16;

struct DeviceState {
    DeviceState(); // Direct3D 8's documented defaults

    DWORD renderStates[D3DRS_COUNT];
    DWORD stageStates[D3D_STAGE_COUNT][D3DTSS_COUNT];

    D3DMATRIX view;
    D3DMATRIX projection;
    D3DMATRIX texture[D3D_STAGE_COUNT];
    D3DMATRIX world[D3DTS_WORLD_COUNT];

    D3DMATERIAL8 material{};
    std::map<DWORD, LightSlot> lights; // by the application's light index
    D3DVIEWPORT8 viewport{};

    IDirect3DBaseTexture8* textures[D3D_STAGE_COUNT] = {};
    StreamBinding streams[D3D_STREAM_COUNT];
    IDirect3DIndexBuffer8* indices = nullptr;
    UINT baseVertexIndex = 0;
    DWORD vertexShader = 0; // an FVF code, or a declaration handle
    DWORD pixelShader = 0;

    DWORD RenderState(D3DRENDERSTATETYPE state) const { return renderStates[state]; }
    float RenderFloat(D3DRENDERSTATETYPE state) const { return AsFloat(renderStates[state]); }
    DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const { return stageStates[stage][type]; }
    const D3DMATRIX& Transform(D3DTRANSFORMSTATETYPE state) const;
    D3DMATRIX& Transform(D3DTRANSFORMSTATETYPE state);
};

// Whether a transform state names a matrix the device keeps.
bool IsTransformState(D3DTRANSFORMSTATETYPE state);

D3DMATRIX IdentityMatrix();
