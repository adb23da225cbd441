#pragma once
// Surfaces: a level of a texture (its lifetime is the texture's), a depth
// buffer, or the back buffer.

#include "platform/d3d8/device_link.h"
#include "platform/d3d8/ref_counted.h"

class Texture;

class Surface final : public IDirect3DSurface8 {
public:
    // A level of a texture: references count on the texture.
    Surface(Texture* container, UINT level);
    // A depth buffer or the back buffer, with a reference count of its own.
    Surface(SharedDeviceLink link, D3DSURFACE_DESC desc, GlColorTarget color, GlDepthTarget depth);
    ~Surface() override;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDevice(IDirect3DDevice8** device) override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    bool IsDepth() const;
    GlColorTarget ColorTarget() const;
    GlDepthTarget DepthTarget() const { return depth; }
    UINT Width() const;
    UINT Height() const;

private:
    Texture* container = nullptr;
    UINT level = 0;
    ULONG references = 1;
    SharedDeviceLink link;
    D3DSURFACE_DESC desc{};
    GlColorTarget color;
    GlDepthTarget depth;
};
