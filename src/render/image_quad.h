#pragma once
// A flat picture on the screen: two triangles given in screen pixels, drawn
// with whatever texture, blending and stage states the caller has set, tinted
// by one colour whose alpha the caller chooses.

#include "platform/d3d8/d3d8.h"

// A pre-transformed vertex: screen position, depth, 1/w, colour, stage-0
// texture coordinates. Quads, the distortion grid and 2D text are made of it.
struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28);

constexpr DWORD kScreenVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1; // 0x144

class CImageQuad {
public:
    // Corners in pixels; -1 (all bits set) takes that edge from the device's
    // viewport. A new quad is white with alpha 0, at depth 0 with rhw 0.5, and
    // shows the whole texture. When the buffer cannot be made the failure is
    // logged and every operation fails.
    CImageQuad(IDirect3DDevice8* device, UINT left, UINT top, UINT right, UINT bottom);
    ~CImageQuad();
    CImageQuad(const CImageQuad&) = delete;
    CImageQuad& operator=(const CImageQuad&) = delete;

    // Each setter rewrites the vertices in place; false when the buffer cannot
    // be locked, and then nothing changes.
    bool SetRect(float left, float top, float right, float bottom);
    bool SetAlpha(UINT alpha); // only the low 8 bits count
    bool SetTexCoords(float uLeft, float vTop, float uRight, float vBottom);
    bool SetColor(D3DCOLOR argb);
    bool SetDepth(float z); // rhw becomes 1/z

    // Draws with culling and depth testing off for the call; both states are
    // as they were afterwards.
    bool Draw(IDirect3DDevice8* device);

private:
    template <typename Change>
    bool Rewrite(Change change);

    IDirect3DVertexBuffer8* buffer = nullptr;
};
