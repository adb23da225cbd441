#include "scene_paintings.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

float Hash(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Smooth value noise in 0..1, with a period of `period` cells so that it tiles.
float Noise(float x, float y, int period, int seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    auto corner = [&](int cx, int cy) { return Hash(((cx % period) + period) % period, ((cy % period) + period) % period, seed); };
    const float top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * sx;
    const float bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

float Fractal(float x, float y, int period, int seed)
{
    float sum = 0.0f;
    float weight = 0.5f;
    for (int octave = 0; octave < 4; ++octave) {
        sum += weight * Noise(x, y, period, seed + octave);
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / 0.9375f;
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float Mix(float a, float b, float t)
{
    return a + (b - a) * t;
}

} // namespace

TextureCanvas PaintFloor(int size)
{
    TextureCanvas image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Disc coordinates: the platform's edge is radius 1.
            const float dx = (static_cast<float>(x) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float dy = (static_cast<float>(y) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float angle = std::atan2(dy, dx) / (2 * pi) + 0.5f;
            const float band = r * 9.0f;
            const int ring = static_cast<int>(band);
            const int tiles = 6 + ring * 6;
            const float around = angle * static_cast<float>(tiles);
            const int tile = static_cast<int>(around);
            // Grout between the tiles, a little wider towards the edge.
            const float edgeR = std::min(band - std::floor(band), std::ceil(band) - band);
            const float edgeA = std::min(around - std::floor(around), std::ceil(around) - around) * r * 6.0f;
            const float grout = SmoothStep(0.03f, 0.07f, std::min(edgeR, edgeA));
            const float stone = 0.55f + 0.3f * Hash(ring, tile, 7) +
                                0.25f * (Fractal(dx * 8 + 8, dy * 8 + 8, 16, 11) - 0.5f);
            float red = stone * 0.42f;
            float green = stone * 0.46f;
            float blue = stone * 0.55f;
            red *= grout;
            green *= grout;
            blue *= grout;
            // Bronze inlays: round the pedestal and where the glow ring lies.
            for (float inlay : {0.2f, 0.44f, 0.97f}) {
                const float line = 1.0f - SmoothStep(0.006f, 0.014f, std::fabs(r - inlay));
                red = Mix(red, 0.85f, line);
                green = Mix(green, 0.6f, line);
                blue = Mix(blue, 0.3f, line);
            }
            image.At(x, y) = PackColour(red, green, blue);
        }
    }
    return image;
}

TextureCanvas PaintPanel(int size)
{
    TextureCanvas image(size, size);
    const int plate = size / 2;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float streak = Fractal(static_cast<float>(x) / 32.0f, static_cast<float>(y) / 2.0f,
                                         size / 32, 21);
            float metal = 0.55f + 0.25f * streak;
            const int px = x % plate;
            const int py = y % plate;
            // Grooves between plates: dark, with a lit lower lip.
            if (px < 2 || py < 2) metal *= 0.35f;
            if (py == 2) metal *= 1.3f;
            // A rivet near each corner of a plate.
            for (int cx : {7, plate - 8}) {
                for (int cy : {7, plate - 8}) {
                    const float d = std::hypot(static_cast<float>(px - cx), static_cast<float>(py - cy));
                    if (d < 3.0f) metal = 0.9f - 0.15f * d;
                    else if (d < 4.0f) metal *= 0.5f;
                }
            }
            image.At(x, y) = PackColour(metal * 0.92f, metal * 0.94f, metal);
        }
    }
    return image;
}

TextureCanvas PaintSheen(int size)
{
    TextureCanvas image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(size);
            float light = 0.08f + 0.1f * v;
            // Two soft windows.
            light += 0.55f * std::exp(-(std::pow((u - 0.3f) / 0.09f, 2.0f) + std::pow((v - 0.65f) / 0.14f, 2.0f)));
            light += 0.3f * std::exp(-(std::pow((u - 0.72f) / 0.06f, 2.0f) + std::pow((v - 0.7f) / 0.1f, 2.0f)));
            image.At(x, y) = PackColour(light * 0.85f, light * 0.9f, light);
        }
    }
    return image;
}

TextureCanvas PaintChrome(int size)
{
    TextureCanvas image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float nx = (static_cast<float>(x) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float ny = (static_cast<float>(y) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float rim = std::min(1.0f, std::sqrt(nx * nx + ny * ny));
            float red, green, blue;
            if (ny > 0) {
                // Sky: deep blue high up, pale at the horizon.
                const float h = std::pow(ny, 0.6f);
                red = Mix(0.95f, 0.45f, h);
                green = Mix(0.97f, 0.65f, h);
                blue = Mix(1.0f, 0.85f, h);
            } else {
                // Ground: warm brown darkening away from the horizon.
                const float h = std::pow(-ny, 0.5f);
                red = Mix(0.7f, 0.3f, h);
                green = Mix(0.58f, 0.22f, h);
                blue = Mix(0.45f, 0.16f, h);
            }
            // The horizon line and a bright window high on the left.
            const float horizon = std::exp(-std::pow(ny / 0.03f, 2.0f));
            const float window = std::exp(-(std::pow((nx + 0.35f) / 0.12f, 2.0f) + std::pow((ny - 0.45f) / 0.16f, 2.0f)));
            const float shine = std::max(horizon * 0.8f, window);
            const float fade = 1.0f - 0.35f * std::pow(rim, 4.0f);
            image.At(x, y) = PackColour(Mix(red, 1.0f, shine) * fade, Mix(green, 1.0f, shine) * fade,
                                        Mix(blue, 1.0f, shine) * fade);
        }
    }
    return image;
}

TextureCanvas PaintSkin(int size)
{
    TextureCanvas image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = static_cast<float>(x) / static_cast<float>(size);
            const float v = static_cast<float>(y) / static_cast<float>(size);
            const float bands = 0.5f + 0.5f * std::sin(v * 2 * pi * 8.0f + 2.0f * std::sin(u * 2 * pi));
            const float speckle = Fractal(u * 16.0f, v * 16.0f, 16, 31);
            const float spots = SmoothStep(0.62f, 0.7f, speckle);
            float red = Mix(0.1f, 0.2f, bands);
            float green = Mix(0.35f, 0.75f, bands);
            float blue = Mix(0.4f, 0.6f, bands);
            red = Mix(red, 0.95f, spots * 0.8f);
            green = Mix(green, 0.85f, spots * 0.8f);
            blue = Mix(blue, 0.4f, spots * 0.8f);
            image.At(x, y) = PackColour(red, green, blue);
        }
    }
    return image;
}

TextureCanvas PaintHaloColour(int size)
{
    TextureCanvas image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float dy = (static_cast<float>(y) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            // White-hot on the ring, orange further out.
            const float heat = std::exp(-std::pow((r - 0.72f) / 0.12f, 2.0f));
            image.At(x, y) = PackColour(1.0f, Mix(0.45f, 0.95f, heat), Mix(0.1f, 0.75f, heat), 0.0f);
        }
    }
    return image;
}

std::vector<std::uint8_t> PaintHaloAlpha(int size)
{
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float dy = (static_cast<float>(y) + 0.5f) / static_cast<float>(size) * 2 - 1;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float ring = std::exp(-std::pow((r - 0.72f) / 0.1f, 2.0f));
            const float rays = std::pow(0.5f + 0.5f * std::cos(std::atan2(dy, dx) * 12.0f), 4.0f) *
                               std::exp(-std::pow((r - 0.72f) / 0.25f, 2.0f)) * 0.45f;
            const float outside = 1.0f - SmoothStep(0.96f, 1.0f, r);
            alpha[static_cast<std::size_t>(y) * size + x] =
                static_cast<std::uint8_t>(std::lround(std::clamp(ring + rays, 0.0f, 1.0f) * outside * 255.0f));
        }
    }
    return alpha;
}
