#include "platform/d3dx8/surface_loading.h"

#include <optional>

#include "platform/d3dx8/d3dx8_constants.h"
#include "platform/d3dx8/image_resampling.h"
#include "platform/d3dx8/pixel_format.h"

namespace {

using d3dx::Image;
using d3dx::ResampleFilter;

std::optional<ResampleFilter> FilterFromFlags(DWORD filter)
{
    if (filter == D3DX_DEFAULT) {
        return ResampleFilter::Triangle;
    }
    switch (filter & 0xFFFF) {
    case D3DX_FILTER_NONE:
        return ResampleFilter::None;
    case D3DX_FILTER_POINT:
        return ResampleFilter::Point;
    case D3DX_FILTER_LINEAR:
        return ResampleFilter::Linear;
    case D3DX_FILTER_TRIANGLE:
        return ResampleFilter::Triangle;
    case D3DX_FILTER_BOX:
        return ResampleFilter::Box;
    default:
        return std::nullopt;
    }
}

bool ValidRect(const RECT& rect)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           d3dx::ImageSizeAllowed(rect.right - rect.left, rect.bottom - rect.top);
}

Image ReadSource(const BYTE* memory, D3DFORMAT format, UINT pitch, const RECT& rect, D3DCOLOR colorKey)
{
    const UINT bytesPerPixel = d3dx::BytesPerPixel(format);
    Image image(rect.right - rect.left, rect.bottom - rect.top, true);
    for (UINT y = 0; y < image.height; y++) {
        const BYTE* row = memory + std::size_t{pitch} * (rect.top + y) + std::size_t{bytesPerPixel} * rect.left;
        for (UINT x = 0; x < image.width; x++) {
            const std::uint32_t pixel = d3dx::ReadPixel(format, row + std::size_t{bytesPerPixel} * x);
            image.At(x, y) = colorKey != 0 && pixel == colorKey ? 0 : pixel;
        }
    }
    return image;
}

} // namespace

HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destSurface, const PALETTEENTRY*, const RECT* destRect,
                                  const void* srcMemory, D3DFORMAT srcFormat, UINT srcPitch,
                                  const PALETTEENTRY*, const RECT* srcRect, DWORD filter, D3DCOLOR colorKey)
{
    const std::optional<ResampleFilter> resampleFilter = FilterFromFlags(filter);
    const UINT srcBytesPerPixel = d3dx::BytesPerPixel(srcFormat);
    if (destSurface == nullptr || srcMemory == nullptr || srcRect == nullptr || !ValidRect(*srcRect) ||
        !resampleFilter || srcBytesPerPixel == 0 ||
        std::size_t{srcPitch} < std::size_t{srcBytesPerPixel} * srcRect->right) {
        return D3DERR_INVALIDCALL;
    }
    D3DSURFACE_DESC desc;
    HRESULT result = destSurface->GetDesc(&desc);
    if (FAILED(result)) {
        return result;
    }
    const RECT whole = {0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    const RECT& target = destRect != nullptr ? *destRect : whole;
    if (d3dx::BytesPerPixel(desc.Format) == 0 || !ValidRect(target) || target.right > whole.right ||
        target.bottom > whole.bottom) {
        return D3DERR_INVALIDCALL;
    }

    const Image source = ReadSource(static_cast<const BYTE*>(srcMemory), srcFormat, srcPitch, *srcRect, colorKey);
    const Image scaled =
        d3dx::Resample(source, target.right - target.left, target.bottom - target.top, *resampleFilter);

    D3DLOCKED_RECT locked;
    result = destSurface->LockRect(&locked, destRect, 0);
    if (FAILED(result)) {
        return result;
    }
    d3dx::WriteImage(scaled, desc.Format, locked.pBits, locked.Pitch);
    return destSurface->UnlockRect();
}
