#pragma once
// Colour channels addressed by bit masks, as both bit-field bitmaps and the
// Direct3D pixel formats lay them out.

#include <bit>
#include <cstdint>

namespace d3dx {

// The channel `mask` selects in `pixel`, scaled to 0..255 with rounding; a
// zero mask (the format has no such channel) reads `absent`.
constexpr std::uint32_t ReadChannel(std::uint32_t pixel, std::uint32_t mask, std::uint32_t absent)
{
    if (mask == 0) {
        return absent;
    }
    const int shift = std::countr_zero(mask);
    const std::uint64_t maximum = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint32_t>((value * 255 + maximum / 2) / maximum);
}

// A 0..255 value scaled to the channel `mask` selects and moved into place.
constexpr std::uint32_t WriteChannel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint64_t maximum = mask >> shift;
    return (static_cast<std::uint32_t>((value * maximum + 127) / 255) << shift) & mask;
}

} // namespace d3dx
