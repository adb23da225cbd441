#include "platform/d3d8/surface.h"

#include "platform/d3d8/texture.h"

Surface::Surface(Texture* container, UINT level) : container(container), level(level) {}

Surface::Surface(SharedDeviceLink link, D3DSURFACE_DESC desc, GlColorTarget color, GlDepthTarget depth)
    : link(std::move(link)), desc(desc), color(color), depth(depth)
{
}

Surface::~Surface()
{
    if (container != nullptr) {
        return;
    }
    if (depth.renderbuffer != 0) {
        link->gl->DeleteRenderbuffer(depth.renderbuffer);
    }
    if (color.texture != 0) {
        link->gl->DeleteTexture(color.texture);
    }
}

ULONG Surface::AddRef()
{
    return container != nullptr ? container->AddRef() : ++references;
}

ULONG Surface::Release()
{
    if (container != nullptr) {
        return container->Release();
    }
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT Surface::GetDevice(IDirect3DDevice8** device)
{
    return container != nullptr ? container->GetDevice(device) : LinkedDevice(link, device);
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* out)
{
    if (out == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (container != nullptr) {
        return container->GetLevelDesc(level, out);
    }
    *out = desc;
    return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    return container != nullptr ? container->LockRect(level, locked, rect, flags) : D3DERR_INVALIDCALL;
}

HRESULT Surface::UnlockRect()
{
    return container != nullptr ? container->UnlockRect(level) : D3DERR_INVALIDCALL;
}

bool Surface::IsDepth() const
{
    return container == nullptr && depth.renderbuffer != 0;
}

GlColorTarget Surface::ColorTarget() const
{
    return container != nullptr ? container->ColorTarget(level) : color;
}

UINT Surface::Width() const
{
    D3DSURFACE_DESC out{};
    const_cast<Surface*>(this)->GetDesc(&out);
    return out.Width;
}

UINT Surface::Height() const
{
    D3DSURFACE_DESC out{};
    const_cast<Surface*>(this)->GetDesc(&out);
    return out.Height;
}
