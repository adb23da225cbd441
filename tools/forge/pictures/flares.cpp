// Glows for the additive point sprites and sprites: bright centres falling
// smoothly to pure black before the edge, so no square ever shows. The
// inverse glow is white with a dark centre, for sprites that multiply.

#include <cmath>

#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kFlareSize = 64;

// A round glow tinted from `centre` (white-hot) to `rim`.
Image RoundFlare(int size, Rgb centre, Rgb rim, float core, float halo, float gain)
{
    const float middle = static_cast<float>(size) * 0.5f;
    return Image::Colour(size, size, [=](float x, float y) {
        const float d = std::hypot(x - middle, y - middle);
        const float g = Glow(d, core, halo) * EdgeFade(d, middle) * gain;
        const float hot = std::exp(-(d * d) / (core * core * 0.25f));
        return Mix(rim, centre, hot) * g;
    });
}

// Thin rays: a sharp angular cosine lobe `count` times round the circle.
float Rays(float angle, int count, float sharpness)
{
    return std::pow(std::fabs(std::cos(angle * static_cast<float>(count) * 0.5f)), sharpness);
}

} // namespace

Image MakeFlareWarm()
{
    return RoundFlare(kFlareSize, Hex(0xFFFFFF), Hex(0xFFB060), 7.0f, 9.0f, 1.0f);
}

Image MakeFlareCool()
{
    const float middle = kFlareSize * 0.5f;
    return Image::Colour(kFlareSize, kFlareSize, [=](float x, float y) {
        const float d = std::hypot(x - middle, y - middle);
        const float angle = std::atan2(y - middle, x - middle);
        const float star = Rays(angle, 4, 60.0f) * std::exp(-d / 10.0f) * 0.8f;
        const float g = (Glow(d, 5.0f, 8.0f) + star) * EdgeFade(d, middle);
        const float hot = std::exp(-(d * d) / 16.0f);
        return Mix(Hex(0x70A8FF), Hex(0xFFFFFF), hot) * g;
    });
}

Image MakeFlareSoft()
{
    return RoundFlare(kFlareSize, Hex(0xFFFFFF), Hex(0xC8D8FF), 11.0f, 12.0f, 0.9f);
}

Image MakeFlareRinged()
{
    const float middle = kFlareSize * 0.5f;
    return Image::Colour(kFlareSize, kFlareSize, [=](float x, float y) {
        const float d = std::hypot(x - middle, y - middle);
        const float ring = std::exp(-std::pow((d - 19.0f) / 2.5f, 2.0f)) * 0.45f;
        const float g = (Glow(d, 6.0f, 7.0f) + ring) * EdgeFade(d, middle);
        return Mix(Hex(0x9CFFB8), Hex(0xFFFFFF), std::exp(-(d * d) / 20.0f)) * g;
    });
}

Image MakeFlareOrbit()
{
    return RoundFlare(kFlareSize, Hex(0xFFF4E8), Hex(0xFF4FA0), 6.0f, 8.0f, 1.0f);
}

Image MakeFlareInverse()
{
    // Multiplied over the picture: white leaves it as it is; the centre
    // darkens it to a deep blue shadow.
    constexpr int kSize = 128;
    const float middle = kSize * 0.5f;
    return Image::Colour(kSize, kSize, [=](float x, float y) {
        const float d = std::hypot(x - middle, y - middle);
        const float g = Glow(d, 16.0f, 18.0f) * EdgeFade(d, middle);
        return Mix(Hex(0xFFFFFF), Hex(0x060818), Clamp01(g * 1.1f));
    });
}

Image MakeFocusGlow()
{
    // Drawn at 0.4 scale, turning slowly: the rays make the turn visible.
    constexpr int kSize = 512;
    const float middle = kSize * 0.5f;
    return Image::Colour(kSize, kSize, [=](float x, float y) {
        const float d = std::hypot(x - middle, y - middle);
        const float angle = std::atan2(y - middle, x - middle);
        const float rays = (Rays(angle, 6, 40.0f) * 0.9f + Rays(angle + 0.26f, 6, 90.0f) * 0.5f) *
                           std::exp(-d / 90.0f);
        const float ring = std::exp(-std::pow((d - 150.0f) / 6.0f, 2.0f)) * 0.18f;
        const float g = (Glow(d, 26.0f, 40.0f) * 0.9f + rays * 0.6f + ring) * EdgeFade(d, middle);
        const float hot = std::exp(-(d * d) / 900.0f);
        return Mix(Hex(0x6080FF), Hex(0xFFF8F0), hot * 0.8f + 0.2f) * g;
    });
}
