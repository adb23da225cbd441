#pragma once
// D3DXLoadSurfaceFromMemory: a picture in memory, in any of the formats
// pixel_format.h converts, scaled into a rectangle of a surface and converted
// to the surface's format.

#include "platform/d3d8/d3d8.h"

// Palettes are never read: no palettized format is converted here.
struct PALETTEENTRY;

// srcMemory holds the top-left pixel of a picture whose rows are srcPitch
// bytes apart; srcRect (required) picks the part to load, destRect (null: the
// whole surface) where it goes. filter is one of D3DX_FILTER_NONE ... BOX,
// optionally with D3DX_FILTER_DITHER, or D3DX_DEFAULT (triangle). Dithering
// is not done: the surfaces the system loads have 8 bits per channel.
// A non-zero colorKey (A8R8G8B8, alpha included) turns every source pixel of
// exactly that colour into transparent black before filtering.
HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destSurface, const PALETTEENTRY* destPalette,
                                  const RECT* destRect, const void* srcMemory, D3DFORMAT srcFormat,
                                  UINT srcPitch, const PALETTEENTRY* srcPalette, const RECT* srcRect,
                                  DWORD filter, D3DCOLOR colorKey);
