#pragma once
// A texture being painted, rows from the top down, each pixel 0xAARRGGBB.

#include <cstdint>
#include <vector>

struct TextureCanvas {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    TextureCanvas(int width, int height) : width(width), height(height), pixels(static_cast<std::size_t>(width) * height) {}

    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Channels in 0..1, clamped, to an opaque-or-not 0xAARRGGBB pixel.
std::uint32_t PackColour(float red, float green, float blue, float alpha = 1.0f);
