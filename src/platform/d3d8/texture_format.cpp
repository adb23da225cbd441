#include "platform/d3d8/texture_format.h"

namespace {

// A channel of `bits` bits at `shift`, scaled to 0..255 with rounding.
std::uint8_t Channel(unsigned texel, int shift, int bits)
{
    const unsigned max = (1u << bits) - 1;
    const unsigned value = (texel >> shift) & max;
    return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

unsigned Read16(const std::uint8_t* texel)
{
    return texel[0] | (texel[1] << 8);
}

// Direct3D names channels from the most significant bit of a little-endian
// texel: A8R8G8B8 lies in memory as blue, green, red, alpha.
void Convert32(const std::uint8_t* texels, std::size_t count, bool opaque, std::uint8_t* rgba)
{
    for (std::size_t i = 0; i < count; ++i, texels += 4, rgba += 4) {
        rgba[0] = texels[2];
        rgba[1] = texels[1];
        rgba[2] = texels[0];
        rgba[3] = opaque ? 255 : texels[3];
    }
}

struct Layout16 {
    int redShift, redBits, greenShift, greenBits, blueShift, blueBits, alphaShift, alphaBits;
};

void Convert16(const std::uint8_t* texels, std::size_t count, const Layout16& layout, std::uint8_t* rgba)
{
    for (std::size_t i = 0; i < count; ++i, texels += 2, rgba += 4) {
        const unsigned texel = Read16(texels);
        rgba[0] = Channel(texel, layout.redShift, layout.redBits);
        rgba[1] = Channel(texel, layout.greenShift, layout.greenBits);
        rgba[2] = Channel(texel, layout.blueShift, layout.blueBits);
        rgba[3] = layout.alphaBits == 0 ? 255 : Channel(texel, layout.alphaShift, layout.alphaBits);
    }
}

} // namespace

TextureFormatInfo DescribeTextureFormat(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8: return {4, false};
    case D3DFMT_X8R8G8B8: return {4, true};
    case D3DFMT_R5G6B5: return {2, true};
    case D3DFMT_A1R5G5B5: return {2, false};
    case D3DFMT_X1R5G5B5: return {2, true};
    case D3DFMT_A4R4G4B4: return {2, false};
    case D3DFMT_X4R4G4B4: return {2, true};
    default: return {};
    }
}

void ConvertTexelsToRgba8(D3DFORMAT format, const std::uint8_t* texels, std::size_t count, std::uint8_t* rgba)
{
    switch (format) {
    case D3DFMT_A8R8G8B8: Convert32(texels, count, false, rgba); break;
    case D3DFMT_X8R8G8B8: Convert32(texels, count, true, rgba); break;
    case D3DFMT_R5G6B5: Convert16(texels, count, {11, 5, 5, 6, 0, 5, 0, 0}, rgba); break;
    case D3DFMT_A1R5G5B5: Convert16(texels, count, {10, 5, 5, 5, 0, 5, 15, 1}, rgba); break;
    case D3DFMT_X1R5G5B5: Convert16(texels, count, {10, 5, 5, 5, 0, 5, 0, 0}, rgba); break;
    case D3DFMT_A4R4G4B4: Convert16(texels, count, {8, 4, 4, 4, 0, 4, 12, 4}, rgba); break;
    case D3DFMT_X4R4G4B4: Convert16(texels, count, {8, 4, 4, 4, 0, 4, 0, 0}, rgba); break;
    default: break;
    }
}
