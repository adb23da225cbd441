#include "platform/d3d8/texture.h"

#include <algorithm>

namespace {

UINT FullChainLength(UINT width, UINT height)
{
    UINT count = 1;
    for (UINT side = std::max(width, height); side > 1; side /= 2) {
        ++count;
    }
    return count;
}

} // namespace

Texture::Texture(const SharedDeviceLink& link, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : link(link), usage(usage), format(format), pool(pool), formatInfo(DescribeTextureFormat(format))
{
}

HRESULT Texture::Create(const SharedDeviceLink& link, UINT width, UINT height, UINT levelCount, DWORD usage,
                        D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** result)
{
    if (result == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *result = nullptr;
    const bool renderTarget = (usage & D3DUSAGE_RENDERTARGET) != 0;
    if (width == 0 || height == 0 || width > maxSize || height > maxSize ||
        DescribeTextureFormat(format).bytesPerPixel == 0 || (renderTarget && pool != D3DPOOL_DEFAULT) ||
        (usage & D3DUSAGE_DEPTHSTENCIL) != 0) {
        return D3DERR_INVALIDCALL;
    }
    const UINT fullChain = FullChainLength(width, height);
    if (levelCount == 0 || levelCount > fullChain) {
        levelCount = fullChain;
    }

    auto* texture = new Texture(link, usage, format, pool);
    const int scale = renderTarget ? link->gl->Scale() : 1;
    texture->glTexture = link->gl->CreateTexture(static_cast<int>(width) * scale, static_cast<int>(height) * scale,
                                                 static_cast<int>(levelCount), texture->formatInfo.opaque);
    UINT levelWidth = width;
    UINT levelHeight = height;
    texture->levels.resize(levelCount);
    for (UINT index = 0; index < levelCount; ++index) {
        Level& level = texture->levels[index];
        level.width = levelWidth;
        level.height = levelHeight;
        if (!renderTarget) {
            level.pixels.assign(static_cast<size_t>(levelWidth) * levelHeight * texture->formatInfo.bytesPerPixel, 0);
        }
        level.surface = std::make_unique<Surface>(texture, index);
        levelWidth = std::max(1u, levelWidth / 2);
        levelHeight = std::max(1u, levelHeight / 2);
    }
    *result = texture;
    return D3D_OK;
}

Texture::~Texture()
{
    link->gl->DeleteTexture(glTexture);
}

HRESULT Texture::GetDevice(IDirect3DDevice8** device)
{
    return LinkedDevice(link, device);
}

HRESULT Texture::GetLevelDesc(UINT index, D3DSURFACE_DESC* desc)
{
    if (desc == nullptr || index >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    const Level& level = levels[index];
    desc->Format = format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->Size = level.width * level.height * formatInfo.bytesPerPixel;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = level.width;
    desc->Height = level.height;
    return D3D_OK;
}

HRESULT Texture::GetSurfaceLevel(UINT index, IDirect3DSurface8** surface)
{
    if (surface == nullptr || index >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    *surface = levels[index].surface.get();
    (*surface)->AddRef();
    return D3D_OK;
}

// Render targets in the default pool cannot be locked, as in Direct3D 8.
HRESULT Texture::LockRect(UINT index, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    if (locked == nullptr || index >= levels.size() || IsRenderTarget() || levels[index].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& level = levels[index];
    LONG left = 0;
    LONG top = 0;
    if (rect != nullptr) {
        if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
            static_cast<UINT>(rect->right) > level.width || static_cast<UINT>(rect->bottom) > level.height) {
            return D3DERR_INVALIDCALL;
        }
        left = rect->left;
        top = rect->top;
    }
    const UINT pitch = level.width * formatInfo.bytesPerPixel;
    locked->Pitch = static_cast<INT>(pitch);
    locked->pBits = level.pixels.data() + static_cast<size_t>(top) * pitch + static_cast<size_t>(left) * formatInfo.bytesPerPixel;
    level.locked = true;
    level.readOnly = (flags & D3DLOCK_READONLY) != 0;
    return D3D_OK;
}

HRESULT Texture::UnlockRect(UINT index)
{
    if (index >= levels.size() || !levels[index].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& level = levels[index];
    level.locked = false;
    if (!level.readOnly) {
        link->gl->UploadTextureLevel(glTexture, static_cast<int>(index), static_cast<int>(level.width),
                                     static_cast<int>(level.height), format, level.pixels.data());
    }
    return D3D_OK;
}

GlColorTarget Texture::ColorTarget(UINT index) const
{
    const int scale = IsRenderTarget() ? link->gl->Scale() : 1;
    const Level& level = levels[index];
    return {glTexture, static_cast<GLint>(index), static_cast<int>(level.width) * scale,
            static_cast<int>(level.height) * scale};
}
