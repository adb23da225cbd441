#include "render/texture_renderer.h"

#include "support/log.h"

CTextureRenderer::CTextureRenderer(IDirect3DDevice8* device, BOOL withDepth, UINT width, UINT height,
                                   D3DFORMAT format, D3DFORMAT depthFormat)
{
    if (device == nullptr) {
        if (g_log) g_log->Print("CTextureRenderer : null pointer device\n");
        return;
    }
    if (FAILED(device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, format, D3DPOOL_DEFAULT, &texture))) {
        texture = nullptr;
        if (g_log) g_log->Print("CTextureRenderer : unable to create texture target\n");
    }
    if (withDepth != 0 &&
        FAILED(device->CreateDepthStencilSurface(width, height, depthFormat, D3DMULTISAMPLE_NONE, &depthSurface))) {
        depthSurface = nullptr;
        if (g_log) g_log->Print("CTextureRenderer : unable to create zbuffer for target surface\n");
    }
}

CTextureRenderer::~CTextureRenderer()
{
    if (!assigned) {
        ReleaseResources();
    }
}

bool CTextureRenderer::BeginRender(IDirect3DDevice8* device)
{
    if (assigned) {
        return true;
    }
    // A target whose texture could not be made is never used.
    if (texture == nullptr) {
        return false;
    }
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(texture->GetSurfaceLevel(0, &surface))) {
        return false;
    }
    if (FAILED(device->GetRenderTarget(&savedTarget))) {
        surface->Release();
        return false;
    }
    if (FAILED(device->GetDepthStencilSurface(&savedDepth))) {
        savedTarget->Release();
        surface->Release();
        return false;
    }
    const bool switched = SUCCEEDED(device->SetRenderTarget(surface, depthSurface));
    surface->Release();
    savedTarget->Release();
    savedDepth->Release();
    if (!switched) {
        return false;
    }
    assigned = TRUE;
    return true;
}

bool CTextureRenderer::EndRender(IDirect3DDevice8* device)
{
    if (!assigned) {
        return true;
    }
    if (FAILED(device->SetRenderTarget(savedTarget, savedDepth))) {
        return false;
    }
    assigned = FALSE;
    return true;
}

void CTextureRenderer::Release()
{
    if (assigned) {
        if (g_log) g_log->Print("CTextureRenderer : trying to free target texture when still assigned to device\n");
        return;
    }
    ReleaseResources();
}

void CTextureRenderer::ReleaseResources()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
    if (depthSurface != nullptr) {
        depthSurface->Release();
        depthSurface = nullptr;
    }
}
