#include "platform/d3dx8/pixel_format.h"

#include <cstddef>

#include "platform/d3dx8/channel_mask.h"

namespace d3dx {

namespace {

struct FormatLayout {
    D3DFORMAT format;
    UINT bytes;
    std::uint32_t alpha, red, green, blue, unused;
};

constexpr FormatLayout kLayouts[] = {
    {D3DFMT_A8R8G8B8, 4, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF, 0},
    {D3DFMT_X8R8G8B8, 4, 0, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
    {D3DFMT_R8G8B8, 3, 0, 0xFF0000, 0x00FF00, 0x0000FF, 0},
    {D3DFMT_R5G6B5, 2, 0, 0xF800, 0x07E0, 0x001F, 0},
    {D3DFMT_X1R5G5B5, 2, 0, 0x7C00, 0x03E0, 0x001F, 0x8000},
    {D3DFMT_A1R5G5B5, 2, 0x8000, 0x7C00, 0x03E0, 0x001F, 0},
    {D3DFMT_A4R4G4B4, 2, 0xF000, 0x0F00, 0x00F0, 0x000F, 0},
    {D3DFMT_X4R4G4B4, 2, 0, 0x0F00, 0x00F0, 0x000F, 0xF000},
    {D3DFMT_R3G3B2, 1, 0, 0xE0, 0x1C, 0x03, 0},
    {D3DFMT_A8R3G3B2, 2, 0xFF00, 0x00E0, 0x001C, 0x0003, 0},
};

const FormatLayout* Find(D3DFORMAT format)
{
    for (const FormatLayout& layout : kLayouts) {
        if (layout.format == format) {
            return &layout;
        }
    }
    return nullptr;
}

} // namespace

UINT BytesPerPixel(D3DFORMAT format)
{
    const FormatLayout* layout = Find(format);
    return layout != nullptr ? layout->bytes : 0;
}

std::uint32_t ReadPixel(D3DFORMAT format, const std::uint8_t* bytes)
{
    const FormatLayout* layout = Find(format);
    std::uint32_t word = 0;
    for (UINT i = 0; i < layout->bytes; i++) {
        word |= std::uint32_t{bytes[i]} << (8 * i);
    }
    return (ReadChannel(word, layout->alpha, 0xFF) << 24) | (ReadChannel(word, layout->red, 0) << 16) |
           (ReadChannel(word, layout->green, 0) << 8) | ReadChannel(word, layout->blue, 0);
}

void WritePixel(D3DFORMAT format, std::uint32_t argb, std::uint8_t* bytes)
{
    const FormatLayout* layout = Find(format);
    const std::uint32_t word = WriteChannel(argb >> 24, layout->alpha) |
                               WriteChannel((argb >> 16) & 0xFF, layout->red) |
                               WriteChannel((argb >> 8) & 0xFF, layout->green) |
                               WriteChannel(argb & 0xFF, layout->blue) | layout->unused;
    for (UINT i = 0; i < layout->bytes; i++) {
        bytes[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
}

void WriteImage(const Image& image, D3DFORMAT format, void* bits, INT pitch)
{
    const UINT bytesPerPixel = BytesPerPixel(format);
    for (UINT y = 0; y < image.height; y++) {
        std::uint8_t* row = static_cast<std::uint8_t*>(bits) + static_cast<std::ptrdiff_t>(pitch) * y;
        for (UINT x = 0; x < image.width; x++) {
            WritePixel(format, image.At(x, y), row + std::size_t{bytesPerPixel} * x);
        }
    }
}

} // namespace d3dx
