#pragma once
// A zoom ("radial") blur in one extra pass. The caller draws its scene into
// the left half of a private 2S x S texture; EndRender then draws a stack of
// layers into the right half, each adding two copies of the left half zoomed
// a little further towards the centre, with a small weight. The right half
// holds the blurred picture:
//
//   blur->BeginRender(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
//   ...draw the scene...
//   blur->EndRender();
//   render->SetTexture(blur->GetTexture(), 0);
//   quad->SetTexCoords(0.5f, 0.0f, 1.0f, 1.0f);
//   quad->Draw(device);

#include "platform/d3d8/d3d8.h"

// Pre-transformed, with a colour and two sets of texture coordinates.
struct BlurVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float tu0, tv0;
    float tu1, tv1;
};
static_assert(sizeof(BlurVertex) == 36);

constexpr DWORD kBlurVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX2; // 0x244

class CRadialBlur {
public:
    // `layers` layers over an S x S scene; each layer weighs `alpha` and zooms
    // `step` further (layers x step below 0.25). Failures are logged and
    // leave the object without the remaining resources.
    CRadialBlur(IDirect3DDevice8* device, UINT layers, UINT size, float alpha, float step);
    ~CRadialBlur();
    CRadialBlur(const CRadialBlur&) = delete;
    CRadialBlur& operator=(const CRadialBlur&) = delete;

    // Renders into the left half from here on: keeps the device's target,
    // clears the whole texture when clearFlags is non-zero, begins a scene.
    // True at once when already rendering.
    bool BeginRender(DWORD clearFlags, D3DCOLOR color, float z, DWORD stencil);
    // Blurs the left half into the right half, ends the scene and puts the
    // kept target back. Nothing happens without a BeginRender. Always true.
    bool EndRender();

    IDirect3DTexture8* GetTexture() const { return texture; }

    // The point the layers zoom towards, in 0..1 of the scene (0.5, 0.5 is
    // the middle). Always true.
    bool SetCentre(float cx, float cy);

    IDirect3DVertexBuffer8* vertexBuffer = nullptr; // layers x 9 vertices, a 3 x 3 grid each
    IDirect3DIndexBuffer8* indexBuffer = nullptr;   // layers x 8 triangles
    IDirect3DSurface8* depthSurface = nullptr;
    IDirect3DTexture8* texture = nullptr;
    // The target and depth surface current at BeginRender, kept without
    // references: the device keeps them alive.
    IDirect3DSurface8* savedTarget = nullptr;
    IDirect3DSurface8* savedDepth = nullptr;
    IDirect3DDevice8* device = nullptr;
    UINT layers = 0;
    UINT size = 0;
    float alpha = 0.0f;
    float step = 0.0f;
    BOOL rendering = FALSE;
    DWORD stateBlock = 0xFFFFFFFF;

private:
    void BlurPass();
};
