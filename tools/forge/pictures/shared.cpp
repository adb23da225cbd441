// The pictures start-up loads for everybody: the pulsing sign of the rewind
// passage and the plain black and white of the fades and streaks.

#include <cmath>

#include "forge/common/blur.h"
#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

namespace {

// Signed distance to the triangle pointing left with its tip at (tipX, cy).
float LeftTriangleDistance(float x, float y, float tipX, float backX, float cy, float halfHeight)
{
    // Inside when right of both slanted edges and left of the back edge.
    const float slope = halfHeight / (backX - tipX);
    const float norm = std::sqrt(1 + slope * slope);
    const float dx = x - tipX;
    const float edgeTop = (-(y - cy) - slope * dx) / norm;   // > 0 above the upper edge
    const float edgeBottom = ((y - cy) - slope * dx) / norm; // > 0 below the lower edge
    const float edgeBack = x - backX;
    return std::fmax(std::fmax(edgeTop, edgeBottom), edgeBack);
}

} // namespace

Image MakeRewindSign()
{
    // The overlay draws this twice, 70 pixels apart at 0.8 scale: a triangle
    // 88 texels wide (70 on screen) makes the two touch as the familiar
    // double arrow of a tape deck. Drawn additively, so the ground is black.
    constexpr int kSize = 128;
    Image shape = Image::Grey(kSize, kSize, [](float x, float y) {
        return Coverage(LeftTriangleDistance(x, y, 20.0f, 108.0f, 64.0f, 46.0f));
    });
    Image halo = Blur(shape, 14, Edges::Clamp);
    return Image::Colour(kSize, kSize, [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const float core = shape.At(px, py);
        // A faint horizontal sheen across the triangle, like a backlit button.
        const float sheen = 0.82f + 0.18f * std::cos((y - 40.0f) / 60.0f * kPi);
        const float glow = halo.At(px, py) * 0.55f * EdgeFade(std::fabs(x - 64) + std::fabs(y - 64) * 0.6f, 90);
        const Rgb body = Hex(0xF4F8FF) * (core * sheen);
        const Rgb aura = Hex(0x7FB8FF) * (glow * (1 - core));
        return body + aura;
    });
}

Image MakeBlack()
{
    return Image::Colour(32, 32, [](float, float) { return Rgb{0, 0, 0}; });
}

Image MakeWhite()
{
    return Image::Colour(32, 32, [](float, float) { return Rgb{1, 1, 1}; });
}
