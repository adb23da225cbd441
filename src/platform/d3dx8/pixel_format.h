#pragma once
// Pixels of the Direct3D formats the loaders read and write, converted to and
// from A8R8G8B8 words.

#include <cstdint>

#include "platform/d3d8/d3d8_types.h"
#include "platform/d3dx8/image.h"

namespace d3dx {

// 0 for formats this layer cannot convert (depth, palettes, ...).
UINT BytesPerPixel(D3DFORMAT format);

// A format without alpha reads alpha 0xFF; narrower channels widen with
// rounding (a 5-bit 31 reads 255).
std::uint32_t ReadPixel(D3DFORMAT format, const std::uint8_t* bytes);

// Channels narrow with rounding; unused (X) bits are written as ones.
void WritePixel(D3DFORMAT format, std::uint32_t argb, std::uint8_t* bytes);

// Writes a whole picture into locked memory whose rows lie `pitch` bytes apart.
void WriteImage(const Image& image, D3DFORMAT format, void* bits, INT pitch);

} // namespace d3dx
