#include "render/radial_blur.h"

#include "support/log.h"

namespace {

constexpr UINT kVerticesPerLayer = 9;
constexpr UINT kTrianglesPerLayer = 8;
constexpr DWORD kNoStateBlock = 0xFFFFFFFF;

// A layer's eight triangles over its 3 x 3 grid, numbered in row order.
constexpr WORD kLayerIndices[kTrianglesPerLayer * 3] = {0, 4, 3, 4, 0, 1, 1, 5, 4, 5, 1, 2,
                                                        3, 7, 6, 7, 3, 4, 4, 8, 7, 8, 4, 5};

} // namespace

CRadialBlur::CRadialBlur(IDirect3DDevice8* newDevice, UINT newLayers, UINT newSize, float newAlpha, float newStep)
    : device(newDevice), layers(newLayers), size(newSize), alpha(newAlpha), step(newStep)
{
    if (device == nullptr || FAILED(device->CreateTexture(2 * size, size, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                                          D3DPOOL_DEFAULT, &texture))) {
        texture = nullptr;
        if (g_log) g_log->Print("CRadialBlur : unable to create render target for radial blur\n");
        return;
    }
    if (FAILED(device->CreateDepthStencilSurface(2 * size, size, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, &depthSurface))) {
        depthSurface = nullptr;
        if (g_log) g_log->Print("CRadialBlur : unable to create zbuffer surface for radial blur\n");
        return;
    }
    if (FAILED(device->CreateVertexBuffer(layers * kVerticesPerLayer * sizeof(BlurVertex), 0, kBlurVertexFvf,
                                          D3DPOOL_DEFAULT, &vertexBuffer))) {
        vertexBuffer = nullptr;
        if (g_log) g_log->Print("CRadialBlur : unable to create vertex buffer for radial blur\n");
        return;
    }
    if (FAILED(device->CreateIndexBuffer(layers * kTrianglesPerLayer * 3 * sizeof(WORD), 0, D3DFMT_INDEX16,
                                         D3DPOOL_DEFAULT, &indexBuffer))) {
        indexBuffer = nullptr;
        if (g_log) g_log->Print("CRadialBlur : unable to create index buffer for radial blur\n");
        return;
    }
    if (FAILED(device->CreateStateBlock(D3DSBT_PIXELSTATE, &stateBlock))) {
        stateBlock = kNoStateBlock;
        if (g_log) g_log->Print("CRadialBlur : unable to create state block\n");
        return;
    }

    const D3DCOLOR diffuse = static_cast<DWORD>(static_cast<int>(alpha * 255.0f)) << 24;
    const float s = static_cast<float>(size);
    const float columns[3] = {s - 1.0f, 1.5f * s, 2.0f * s};
    const float rowsY[3] = {-1.0f, 0.5f * s, s};
    BYTE* data = nullptr;
    if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0))) {
        auto* vertex = reinterpret_cast<BlurVertex*>(data);
        for (UINT i = 0; i < layers; ++i) {
            const float a = static_cast<float>(i) * step;
            const float b = static_cast<float>(i + 1) * step;
            const float u0[3] = {a, 0.25f, 0.5f - a};
            const float v0[3] = {2.0f * a, 0.5f, 1.0f - 2.0f * a};
            const float u1[3] = {b, 0.25f, 0.5f - b};
            const float v1[3] = {2.0f * b, 0.5f, 1.0f - 2.0f * b};
            for (int row = 0; row < 3; ++row) {
                for (int col = 0; col < 3; ++col) {
                    *vertex++ = {columns[col], rowsY[row], 0.0f, 0.5f, diffuse, u0[col], v0[row], u1[col], v1[row]};
                }
            }
        }
        vertexBuffer->Unlock();
    }
    if (SUCCEEDED(indexBuffer->Lock(0, 0, &data, 0))) {
        auto* index = reinterpret_cast<WORD*>(data);
        for (UINT i = 0; i < layers; ++i) {
            for (WORD corner : kLayerIndices) {
                *index++ = static_cast<WORD>(kVerticesPerLayer * i + corner);
            }
        }
        indexBuffer->Unlock();
    }
}

// The show keeps its blurs for the whole run; a blur destroyed earlier gives
// everything back.
CRadialBlur::~CRadialBlur()
{
    if (device == nullptr) return;
    if (stateBlock != kNoStateBlock) device->DeleteStateBlock(stateBlock);
    if (indexBuffer != nullptr) indexBuffer->Release();
    if (vertexBuffer != nullptr) vertexBuffer->Release();
    if (depthSurface != nullptr) depthSurface->Release();
    if (texture != nullptr) texture->Release();
}

bool CRadialBlur::BeginRender(DWORD clearFlags, D3DCOLOR color, float z, DWORD stencil)
{
    if (rendering) {
        return true;
    }
    IDirect3DSurface8* surface = nullptr;
    if (texture == nullptr || FAILED(texture->GetSurfaceLevel(0, &surface))) {
        return false;
    }
    device->GetRenderTarget(&savedTarget);
    if (FAILED(device->GetDepthStencilSurface(&savedDepth))) {
        savedDepth = nullptr;
    }
    const HRESULT switched = device->SetRenderTarget(surface, depthSurface);
    surface->Release();
    if (savedTarget != nullptr) savedTarget->Release();
    if (savedDepth != nullptr) savedDepth->Release();
    if (FAILED(switched)) {
        return false;
    }

    // The viewport still spans the whole target: both halves are cleared.
    if (clearFlags != 0) {
        device->Clear(0, nullptr, clearFlags, color, z, stencil);
    }
    const D3DVIEWPORT8 scene = {0, 0, size, size, 0.0f, 1.0f};
    device->SetViewport(&scene);
    device->BeginScene();
    rendering = TRUE;
    return true;
}

bool CRadialBlur::EndRender()
{
    if (!rendering) {
        return true;
    }
    BlurPass();
    device->EndScene();
    rendering = FALSE;
    device->SetRenderTarget(savedTarget, savedDepth);
    return true;
}

void CRadialBlur::BlurPass()
{
    device->CaptureStateBlock(stateBlock);
    DWORD lighting = TRUE;
    DWORD cullMode = D3DCULL_CCW;
    device->GetRenderState(D3DRS_LIGHTING, &lighting);
    device->GetRenderState(D3DRS_CULLMODE, &cullMode);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    // The texture is also the render target: the layers read the left half
    // and write the right half, which never overlap.
    device->SetTexture(0, texture);
    device->SetTexture(1, texture);
    // colour = copy at stage-0 coordinates + copy at stage-1 coordinates,
    // alpha = the layer's weight.
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);

    const D3DVIEWPORT8 blurred = {size, 0, size, size, 0.0f, 1.0f};
    device->SetViewport(&blurred);
    device->SetVertexShader(kBlurVertexFvf);
    device->SetIndices(indexBuffer, 0);
    device->SetStreamSource(0, vertexBuffer, sizeof(BlurVertex));
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, layers * kVerticesPerLayer, 0, layers * kTrianglesPerLayer);

    device->SetRenderState(D3DRS_LIGHTING, lighting);
    device->SetRenderState(D3DRS_CULLMODE, cullMode);
    device->ApplyStateBlock(stateBlock);
}

bool CRadialBlur::SetCentre(float cx, float cy)
{
    BYTE* data = nullptr;
    if (vertexBuffer == nullptr || FAILED(vertexBuffer->Lock(0, 0, &data, 0))) {
        return true;
    }
    auto* vertex = reinterpret_cast<BlurVertex*>(data);
    const float s = static_cast<float>(size);
    const float middleX = s + s * cx;
    const float middleY = s * cy;
    // Layer k samples the scene scaled by 1 - 4 step k about (cx, cy); u runs
    // only 0..0.5 over the scene, hence the halved factors in u.
    auto left = [&](float k) { return 2.0f * cx * step * k; };
    auto right = [&](float k) { return 0.5f - 2.0f * (1.0f - cx) * step * k; };
    auto top = [&](float k) { return 4.0f * cy * step * k; };
    auto bottom = [&](float k) { return 1.0f - 4.0f * (1.0f - cy) * step * k; };
    for (UINT i = 0; i < layers; ++i, vertex += kVerticesPerLayer) {
        const float k0 = static_cast<float>(i);
        const float k1 = static_cast<float>(i + 1);
        const float u0[3] = {left(k0), 0.5f * cx, right(k0)};
        const float v0[3] = {top(k0), cy, bottom(k0)};
        const float u1[3] = {left(k1), 0.5f * cx, right(k1)};
        const float v1[3] = {top(k1), cy, bottom(k1)};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                BlurVertex& v = vertex[row * 3 + col];
                if (col == 1) v.x = middleX;
                if (row == 1) v.y = middleY;
                v.tu0 = u0[col];
                v.tv0 = v0[row];
                v.tu1 = u1[col];
                v.tv1 = v1[row];
            }
        }
    }
    vertexBuffer->Unlock();
    return true;
}
