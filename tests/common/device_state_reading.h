#pragma once
// Reading a device's render and texture-stage states back in one call, for
// tests that check what the system left behind.

#include "platform/d3d8/d3d8.h"

inline DWORD RenderState(IDirect3DDevice8* device, D3DRENDERSTATETYPE state)
{
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

inline DWORD StageState(IDirect3DDevice8* device, DWORD stage, D3DTEXTURESTAGESTATETYPE type)
{
    DWORD value = 0;
    device->GetTextureStageState(stage, type, &value);
    return value;
}
