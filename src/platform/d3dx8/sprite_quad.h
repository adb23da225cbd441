#pragma once
// The screen-space quad ID3DXSprite::Draw sends to the device, worked out
// without a device.

#include <array>

#include "platform/d3dx8/d3dx8_math.h"

struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};
constexpr DWORD SPRITE_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Corners in triangle-strip order: top left, top right, bottom left, bottom
// right of the source rectangle (null: the whole texture). Each corner p, taken
// relative to the rectangle's top left, goes to
//     ((p * scaling) - centre) rotated by `rotation` + centre + translation,
// D3DXMatrixTransformation2D's order (scale, rotate about the centre,
// translate), which D3DX documents for Draw: the centre is in scaled sprite
// coordinates. Positive angles turn +x towards -y, counter-clockwise on a
// screen whose y runs down, as the version-8 sprite does: the show lays its
// long stripes at atan2(640, drop) so that they cross the screen falling by
// `drop` pixels, and turns text cells by (angle - 90) to run along them, and
// both only work this way round. Null scaling is (1, 1), a null centre or translation
// (0, 0). Texture coordinates are the rectangle over the texture's size, past
// 1 where the rectangle runs past the edge.
//
// Positions move by half a pixel up and left so that texel centres land on
// Direct3D's pixel centres: an unscaled sprite at (10, 10) copies texel (0, 0)
// to pixel (10, 10) exactly, with no blur from linear filtering.
std::array<SpriteVertex, 4> BuildSpriteQuad(UINT textureWidth, UINT textureHeight, const RECT* sourceRect,
                                            const D3DXVECTOR2* scaling, const D3DXVECTOR2* rotationCenter,
                                            float rotation, const D3DXVECTOR2* translation, D3DCOLOR color);
