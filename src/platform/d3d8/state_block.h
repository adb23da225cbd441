#pragma once
// State blocks: a set of device states and their values. A block made by
// CreateStateBlock holds the states of its type; a recorded block holds the
// states set between BeginStateBlock and EndStateBlock. Capture refreshes
// only the states a block holds; Apply sets only those.

#include <bitset>
#include <set>

#include "platform/d3d8/device_state.h"

// Textures, streams and index buffers bound in a DeviceState hold a reference.
void HoldTexture(IDirect3DBaseTexture8*& slot, IDirect3DBaseTexture8* texture);
void HoldVertexBuffer(IDirect3DVertexBuffer8*& slot, IDirect3DVertexBuffer8* buffer);
void HoldIndexBuffer(IDirect3DIndexBuffer8*& slot, IDirect3DIndexBuffer8* buffer);
void ReleaseHeldResources(DeviceState& state);

// Transform states as dense indices 0 .. transformSlotCount - 1.
constexpr DWORD transformSlotCount = 2 + D3D_STAGE_COUNT + D3DTS_WORLD_COUNT;
DWORD TransformSlot(D3DTRANSFORMSTATETYPE state);
D3DTRANSFORMSTATETYPE TransformOfSlot(DWORD slot);

struct StateMask {
    std::bitset<D3DRS_COUNT> renderStates;
    std::bitset<D3DTSS_COUNT> stageStates[D3D_STAGE_COUNT];
    std::bitset<transformSlotCount> transforms;
    std::set<DWORD> lights;
    std::bitset<D3D_STAGE_COUNT> textures;
    std::bitset<D3D_STREAM_COUNT> streams;
    bool material = false;
    bool viewport = false;
    bool indices = false;
    bool vertexShader = false;
    bool pixelShader = false;
};

class StateBlock {
public:
    StateBlock() = default; // empty, for recording
    StateBlock(D3DSTATEBLOCKTYPE type, const DeviceState& device);
    ~StateBlock();
    StateBlock(const StateBlock&) = delete;
    StateBlock& operator=(const StateBlock&) = delete;

    void Capture(const DeviceState& device);
    // Sets every held state through the device's own setters.
    void ApplyTo(IDirect3DDevice8& device) const;

    DeviceState values;
    StateMask mask;
};
