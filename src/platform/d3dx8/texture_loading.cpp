#include "platform/d3dx8/texture_loading.h"

#include <bit>
#include <utility>

#include "platform/d3dx8/d3dx8_constants.h"
#include "platform/d3dx8/image_decoding.h"
#include "platform/d3dx8/image_resampling.h"
#include "platform/d3dx8/pixel_format.h"

namespace {

using d3dx::Image;

UINT MaxTextureSide(DWORD reported)
{
    return reported == 0 ? static_cast<UINT>(d3dx::kMaxImageSide) : std::bit_floor(reported);
}

HRESULT FillLevel(IDirect3DTexture8* texture, UINT level, D3DFORMAT format, const Image& image)
{
    if (d3dx::BytesPerPixel(format) == 0) {
        return D3DERR_INVALIDCALL;
    }
    D3DLOCKED_RECT locked;
    const HRESULT result = texture->LockRect(level, &locked, nullptr, 0);
    if (FAILED(result)) {
        return result;
    }
    d3dx::WriteImage(image, format, locked.pBits, locked.Pitch);
    return texture->UnlockRect(level);
}

// Each level takes the size the texture gives it, filtered from the level above.
HRESULT FillMipChain(IDirect3DTexture8* texture, Image image)
{
    for (UINT level = 0; level < texture->GetLevelCount(); level++) {
        D3DSURFACE_DESC desc;
        HRESULT result = texture->GetLevelDesc(level, &desc);
        if (FAILED(result)) {
            return result;
        }
        if (desc.Width != image.width || desc.Height != image.height) {
            image = d3dx::Resample(image, desc.Width, desc.Height, d3dx::ResampleFilter::Box);
        }
        result = FillLevel(texture, level, desc.Format, image);
        if (FAILED(result)) {
            return result;
        }
        image = d3dx::NextMipLevel(image);
    }
    return D3D_OK;
}

} // namespace

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* device, const char* fileName, IDirect3DTexture8** texture)
{
    if (device == nullptr || fileName == nullptr || texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    const std::optional<Image> picture = d3dx::LoadImageFile(fileName);
    if (!picture) {
        return D3DXERR_INVALIDDATA;
    }
    D3DCAPS8 caps{};
    const HRESULT capsResult = device->GetDeviceCaps(&caps);
    const UINT maxWidth = MaxTextureSide(SUCCEEDED(capsResult) ? caps.MaxTextureWidth : 0);
    const UINT maxHeight = MaxTextureSide(SUCCEEDED(capsResult) ? caps.MaxTextureHeight : 0);
    Image top = d3dx::ResizeToPowersOfTwo(*picture, maxWidth, maxHeight);

    const D3DFORMAT format = picture->hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    IDirect3DTexture8* created = nullptr;
    HRESULT result = device->CreateTexture(top.width, top.height, 0, 0, format, D3DPOOL_MANAGED, &created);
    if (FAILED(result)) {
        return result;
    }
    result = FillMipChain(created, std::move(top));
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *texture = created;
    return D3D_OK;
}
