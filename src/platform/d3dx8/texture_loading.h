#pragma once
// D3DXCreateTextureFromFileA: a picture file (BMP, TGA, PNG or JPEG, told
// apart by content) to a managed texture with a full mip chain.

#include "platform/d3d8/d3d8.h"

// The defaults of D3DX: the file's size rounded up to powers of two (at most
// the device's maximum texture size), a complete mip chain, the managed pool.
// The format is A8R8G8B8 for a picture with alpha, else X8R8G8B8. Level 0 is
// scaled by the triangle filter, every further level box-filtered from the one
// above it. A missing, unreadable or unknown file gives D3DXERR_INVALIDDATA.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* fileName, IDirect3DTexture8** texture);
