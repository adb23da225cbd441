// Pictures the show loads without drawing, kept small and in the show's
// palette, and the five 64x64 pictures of the volume effect.

#include <cmath>

#include "forge/common/noise.h"
#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

Image MakeCherry()
{
    constexpr int kSize = 256;
    struct Fruit {
        float x, y, r;
    };
    const Fruit fruits[2] = {{96, 170, 46}, {168, 182, 42}};
    return Image::Colour(kSize, kSize, [&](float x, float y) {
        Rgb colour = Mix(Hex(0x1A0610), Hex(0x040104), y / kSize);
        // Stems: two arcs from a joint at the top.
        for (const Fruit& fruit : fruits) {
            const float t = Clamp01((y - 50.0f) / (fruit.y - fruit.r - 50.0f));
            const float stemX = 136.0f + (fruit.x - 136.0f) * t + std::sin(t * kPi) * 10.0f;
            if (y > 50.0f && y < fruit.y - fruit.r + 4.0f) {
                colour = Mix(colour, Hex(0x4A6A20), Coverage(std::fabs(x - stemX) - 2.0f));
            }
        }
        for (const Fruit& fruit : fruits) {
            const float dx = (x - fruit.x) / fruit.r, dy = (y - fruit.y) / fruit.r;
            const float d = std::hypot(dx, dy);
            const float body = Coverage((d - 1.0f) * fruit.r);
            const float light = Clamp01(0.3f + 0.7f * (-dx * 0.4f - dy * 0.6f + std::sqrt(Clamp01(1.0f - d * d))));
            const float highlight = std::exp(-(std::pow(dx + 0.35f, 2.0f) + std::pow(dy + 0.4f, 2.0f)) / 0.02f);
            const Rgb fruitColour = Mix(Hex(0x300008), Hex(0xE01830), light) + Rgb{1, 1, 1} * highlight * 0.9f;
            colour = Mix(colour, fruitColour, body);
        }
        return colour;
    });
}

Image MakeRed()
{
    constexpr int kSize = 128;
    return Image::Colour(kSize, kSize, [](float x, float y) {
        const float d = std::hypot(x - 64.0f, y - 64.0f) / 90.0f;
        const float grain = PictureFractal(x, y, kSize, 8, 3, 501);
        return Mix(Hex(0xE02010), Hex(0x400404), Clamp01(d)) * (0.85f + 0.3f * grain);
    });
}

Image MakeStrata()
{
    constexpr int kSize = 256;
    return Image::Colour(kSize, kSize, [](float x, float y) {
        const float warp = PictureFractal(x, y, kSize, 4, 3, 511) * 30.0f;
        const float layer = std::sin((y + warp) / 256.0f * 2 * kPi * 9.0f) * 0.5f + 0.5f;
        const float grain = PictureFractal(x, y, kSize, 32, 2, 513);
        return CosinePalette(layer * 0.35f + y / 700.0f, {0.5f, 0.35f, 0.25f}, {0.4f, 0.3f, 0.2f},
                             {1.0f, 1.0f, 1.0f}, {0.0f, 0.1f, 0.2f}) *
               (0.8f + 0.3f * grain);
    });
}

Image MakeVolumePicture(int index)
{
    // fxvolu cross-fades these into a 64x64 target that becomes both the
    // texture of its tiny point sprites and, through its right half, a
    // full-screen additive light from the left. Dim colour glows on black:
    // each a different hue and shape, all black at the border.
    constexpr int kSize = 64;
    const Rgb hues[5] = {Hex(0x40D8FF), Hex(0xFF50C0), Hex(0xFFA030), Hex(0x60FF80), Hex(0x7070FF)};
    return Image::Colour(kSize, kSize, [&](float x, float y) {
        const float dx = x - 32.0f, dy = y - 32.0f;
        const float d = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        float shape = 0;
        switch (index) {
        case 0: shape = std::exp(-d * d / 160.0f); break;
        case 1: shape = std::exp(-std::pow((d - 16.0f) / 4.5f, 2.0f)) + std::exp(-d * d / 20.0f) * 0.6f; break;
        case 2: shape = std::exp(-d * d / 240.0f) * (0.7f + 0.3f * std::cos(angle * 5.0f)); break;
        case 3: shape = std::exp(-d * d / 90.0f) + std::pow(std::fabs(std::cos(angle * 2.0f)), 30.0f) * std::exp(-d / 9.0f); break;
        default:
            shape = std::exp(-(std::pow(dx - 9.0f, 2.0f) + dy * dy) / 70.0f) +
                    std::exp(-(std::pow(dx + 9.0f, 2.0f) + dy * dy) / 70.0f);
            break;
        }
        return Mix(hues[index], Hex(0xFFFFFF), std::exp(-d * d / 18.0f) * 0.5f) * (Clamp01(shape) * 0.62f * EdgeFade(d, 32.0f));
    });
}
