#pragma once
// A texture to draw into: between BeginRender and EndRender the device renders
// into the texture (and its own depth buffer), afterwards the texture can be
// bound like any other. Clearing, viewports and scenes stay the caller's.

#include "platform/d3d8/d3d8.h"

class CTextureRenderer {
public:
    // One level, usage RENDERTARGET, default pool; a depth-stencil surface of
    // the same size when withDepth is non-zero. Failures are logged and leave
    // the object without the resource.
    CTextureRenderer(IDirect3DDevice8* device, BOOL withDepth, UINT width, UINT height, D3DFORMAT format,
                     D3DFORMAT depthFormat);
    // Gives back what Release has not, unless the texture is still the
    // device's render target.
    ~CTextureRenderer();
    CTextureRenderer(const CTextureRenderer&) = delete;
    CTextureRenderer& operator=(const CTextureRenderer&) = delete;

    // Makes the texture the render target, keeping the device's current
    // target and depth surface to go back to. True at once when already
    // rendering into the texture.
    bool BeginRender(IDirect3DDevice8* device);
    // Puts the kept target and depth surface back. True at once when not
    // rendering into the texture.
    bool EndRender(IDirect3DDevice8* device);

    IDirect3DTexture8* GetTexture() const { return texture; }

    // Releases the texture and the depth surface; refused (and logged) while
    // the texture is still the device's render target.
    void Release();

private:
    void ReleaseResources();

    IDirect3DTexture8* texture = nullptr;
    IDirect3DSurface8* depthSurface = nullptr;
    // Kept without references while rendering into the texture: the device
    // and its swap chain keep them alive.
    IDirect3DSurface8* savedTarget = nullptr;
    IDirect3DSurface8* savedDepth = nullptr;
    BOOL assigned = FALSE;
};
