#include "render/image_quad.h"

#include "support/log.h"

namespace {

constexpr UINT kVertexCount = 6;
constexpr UINT kFromViewport = 0xFFFFFFFF;

// Two triangles: (L,T) (R,T) (L,B) and (L,B) (R,T) (R,B).
constexpr bool kRightEdge[kVertexCount] = {false, true, false, false, true, true};
constexpr bool kBottomEdge[kVertexCount] = {false, false, true, true, false, true};

} // namespace

// Locks the whole buffer, applies `change` to each vertex with its number,
// unlocks.
template <typename Change>
bool CImageQuad::Rewrite(Change change)
{
    BYTE* data = nullptr;
    if (buffer == nullptr || FAILED(buffer->Lock(0, 0, &data, 0))) {
        return false;
    }
    auto* vertices = reinterpret_cast<ScreenVertex*>(data);
    for (UINT i = 0; i < kVertexCount; ++i) {
        change(vertices[i], i);
    }
    buffer->Unlock();
    return true;
}

CImageQuad::CImageQuad(IDirect3DDevice8* device, UINT left, UINT top, UINT right, UINT bottom)
{
    bool ready = device != nullptr;
    if (ready && (left == kFromViewport || top == kFromViewport || right == kFromViewport || bottom == kFromViewport)) {
        D3DVIEWPORT8 viewport{};
        ready = SUCCEEDED(device->GetViewport(&viewport));
        if (left == kFromViewport) left = viewport.X;
        if (top == kFromViewport) top = viewport.Y;
        if (right == kFromViewport) right = viewport.X + viewport.Width;
        if (bottom == kFromViewport) bottom = viewport.Y + viewport.Height;
    }
    if (!ready || FAILED(device->CreateVertexBuffer(kVertexCount * sizeof(ScreenVertex), 0, kScreenVertexFvf,
                                                    D3DPOOL_DEFAULT, &buffer))) {
        buffer = nullptr;
        if (g_log) g_log->Print("CImageQuad : unable to create quad buffer");
        return;
    }

    const float l = static_cast<float>(left);
    const float t = static_cast<float>(top);
    const float r = static_cast<float>(right);
    const float b = static_cast<float>(bottom);
    Rewrite([&](ScreenVertex& vertex, UINT i) {
        vertex.x = kRightEdge[i] ? r : l;
        vertex.y = kBottomEdge[i] ? b : t;
        vertex.z = 0.0f;
        vertex.rhw = 0.5f;
        vertex.diffuse = 0x00FFFFFF;
        vertex.u = kRightEdge[i] ? 1.0f : 0.0f;
        vertex.v = kBottomEdge[i] ? 1.0f : 0.0f;
    });
}

CImageQuad::~CImageQuad()
{
    if (buffer != nullptr) {
        buffer->Release();
    }
}

bool CImageQuad::SetRect(float left, float top, float right, float bottom)
{
    return Rewrite([&](ScreenVertex& vertex, UINT i) {
        vertex.x = kRightEdge[i] ? right : left;
        vertex.y = kBottomEdge[i] ? bottom : top;
    });
}

bool CImageQuad::SetAlpha(UINT alpha)
{
    return Rewrite([&](ScreenVertex& vertex, UINT) { vertex.diffuse = (vertex.diffuse & 0x00FFFFFF) | (alpha << 24); });
}

bool CImageQuad::SetTexCoords(float uLeft, float vTop, float uRight, float vBottom)
{
    return Rewrite([&](ScreenVertex& vertex, UINT i) {
        vertex.u = kRightEdge[i] ? uRight : uLeft;
        vertex.v = kBottomEdge[i] ? vBottom : vTop;
    });
}

bool CImageQuad::SetColor(D3DCOLOR argb)
{
    return Rewrite([&](ScreenVertex& vertex, UINT) { vertex.diffuse = argb; });
}

bool CImageQuad::SetDepth(float z)
{
    return Rewrite([&](ScreenVertex& vertex, UINT) {
        vertex.z = z;
        vertex.rhw = 1.0f / z;
    });
}

bool CImageQuad::Draw(IDirect3DDevice8* device)
{
    if (buffer == nullptr) {
        return false;
    }
    DWORD cullMode = D3DCULL_CCW;
    DWORD zEnable = D3DZB_TRUE;
    device->GetRenderState(D3DRS_CULLMODE, &cullMode);
    device->GetRenderState(D3DRS_ZENABLE, &zEnable);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    const bool drawn = SUCCEEDED(device->SetStreamSource(0, buffer, sizeof(ScreenVertex))) &&
                       SUCCEEDED(device->SetVertexShader(kScreenVertexFvf)) &&
                       SUCCEEDED(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
    // The two states come back even when the draw failed: the caller's state
    // should not depend on whether the quad could be drawn.
    device->SetRenderState(D3DRS_CULLMODE, cullMode);
    device->SetRenderState(D3DRS_ZENABLE, zEnable);
    return drawn;
}
