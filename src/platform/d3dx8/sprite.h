#pragma once
// ID3DXSprite: textured screen-space rectangles, drawn one at a time.

#include "platform/d3d8/d3d8.h"
#include "platform/d3dx8/d3dx8_math.h"

class ID3DXSprite : public IUnknown {
public:
    virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;

    // Records the whole device state, then sets the sprite state: alpha
    // blending SRCALPHA/INVSRCALPHA, alpha test passing alpha above 0, no
    // culling, lighting, fog, specular, stencil, vertex blending or texture
    // wrapping, solid Gouraud fill; stage 0 texture times diffuse for colour and
    // alpha, from the vertex's own coordinates, clamped, linearly filtered
    // without mipmaps; stage 1 off. Depth states are left alone. A second
    // Begin before End fails.
    virtual HRESULT Begin() = 0;

    // Draws one quad at once (see BuildSpriteQuad) with the device state as it
    // is now, so states set between Begin and Draw apply to it. The texture is
    // bound to stage 0. Outside Begin/End, Draw brackets itself with them. A
    // null texture fails and draws nothing.
    virtual HRESULT Draw(IDirect3DTexture8* srcTexture, const RECT* srcRect, const D3DXVECTOR2* scaling,
                         const D3DXVECTOR2* rotationCenter, float rotation, const D3DXVECTOR2* translation,
                         D3DCOLOR color) = 0;

    // Puts back the state recorded by Begin; fails without a Begin.
    virtual HRESULT End() = 0;
};

HRESULT D3DXCreateSprite(IDirect3DDevice8* device, ID3DXSprite** sprite);
