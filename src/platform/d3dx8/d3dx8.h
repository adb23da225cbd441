#pragma once
// The D3DX 8 utility library as the system uses it:
//
//   d3dx8_constants.h   D3DX_DEFAULT, the D3DX_FILTER_ flags, D3DXERR_INVALIDDATA
//   d3dx8_math.h        D3DXVECTOR2/3, D3DXMATRIX and their helpers
//   sprite.h            ID3DXSprite, D3DXCreateSprite
//   texture_loading.h   D3DXCreateTextureFromFileA
//   surface_loading.h   D3DXLoadSurfaceFromMemory
//
// Behind them, in namespace d3dx: picture decoding (image_decoding.h),
// resampling (image_resampling.h) and pixel formats (pixel_format.h).

#include "platform/d3dx8/d3dx8_constants.h"
#include "platform/d3dx8/d3dx8_math.h"
#include "platform/d3dx8/sprite.h"
#include "platform/d3dx8/surface_loading.h"
#include "platform/d3dx8/texture_loading.h"
