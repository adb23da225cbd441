#pragma once
// A decoded picture, the common currency of the file decoders, the resampler
// and the texture and surface loaders.

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8_types.h"

namespace d3dx {

// Rows from the top down without padding; each pixel an A8R8G8B8 word
// (0xAARRGGBB). Pictures without alpha have every alpha byte at 0xFF.
struct Image {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint32_t> pixels;
    bool hasAlpha = false; // the file carried an alpha channel

    Image() = default;
    Image(UINT width, UINT height, bool hasAlpha = false)
        : width(width), height(height), pixels(std::size_t{width} * height), hasAlpha(hasAlpha)
    {
    }

    std::uint32_t& At(UINT x, UINT y) { return pixels[std::size_t{y} * width + x]; }
    std::uint32_t At(UINT x, UINT y) const { return pixels[std::size_t{y} * width + x]; }
};

// Bounds on what a file may ask us to allocate: a side of at most 16384
// pixels and at most 64 Mi pixels (256 MiB decoded) in all.
constexpr std::uint64_t kMaxImageSide = 16384;
constexpr std::uint64_t kMaxImagePixels = std::uint64_t{1} << 26;

constexpr bool ImageSizeAllowed(std::uint64_t width, std::uint64_t height)
{
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

constexpr std::uint32_t PackArgb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace d3dx
