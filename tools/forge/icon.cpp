#include "forge/icon.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "forge/common/shading.h"
#include "platform/d3d8/png_file.h"

namespace {

// Shapes in unit coordinates (0..1 across the icon, y down).
constexpr float kMargin = 0.04f;       // transparent border, as desktop icons leave
constexpr float kCornerRadius = 0.2f;  // of the rounded square
constexpr float kSignTop = 0.29f, kSignBottom = 0.71f;

// Signed distance to the rounded square (negative inside).
float RoundedSquareDistance(float x, float y)
{
    const float half = 0.5f - kMargin - kCornerRadius;
    const float dx = std::max(std::fabs(x - 0.5f) - half, 0.0f);
    const float dy = std::max(std::fabs(y - 0.5f) - half, 0.0f);
    const float outside = std::sqrt(dx * dx + dy * dy);
    const float inside = std::min(std::max(std::fabs(x - 0.5f), std::fabs(y - 0.5f)) - half, 0.0f);
    return outside + inside - kCornerRadius;
}

// A triangle pointing left, its tip at (tipX, 0.5) and its upright side at baseX.
bool InLeftTriangle(float x, float y, float tipX, float baseX)
{
    if (x < tipX || x > baseX) return false;
    const float reach = (x - tipX) / (baseX - tipX) * (kSignBottom - kSignTop) * 0.5f;
    return std::fabs(y - 0.5f) <= reach;
}

// The rewind sign: two triangles, the second overlapping the first's base.
bool InSign(float x, float y) { return InLeftTriangle(x, y, 0.17f, 0.5f) || InLeftTriangle(x, y, 0.45f, 0.78f); }

// The title's chrome: white through ice blue to magenta, a bright horizon line.
Rgb SignColour(float y)
{
    const float t = Clamp01((y - kSignTop) / (kSignBottom - kSignTop));
    Rgb colour = Mix(Hex(0xFFFFFF), Hex(0x8FD8FF), Smoothstep(0.0f, 0.5f, t));
    colour = Mix(colour, Hex(0xE040A0), Smoothstep(0.5f, 1.0f, t));
    return Mix(colour, Hex(0xFFFFFF), 0.8f * std::exp(-std::pow((t - 0.52f) / 0.03f, 2.0f)));
}

// Night blue into violet, with a soft glow behind the sign.
Rgb BackgroundColour(float x, float y)
{
    const Rgb base = Mix(Hex(0x0B0B2A), Hex(0x3A0E4E), Smoothstep(0.1f, 0.95f, y));
    const float glow = Glow(std::hypot(x - 0.48f, y - 0.5f) * 8.0f, 1.2f, 1.6f);
    return base + Hex(0x3050A0) * (0.5f * glow);
}

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// One pixel from samples x samples points: coverage of the square gives the
// alpha, the sign is laid over the background inside it.
Rgba ShadePixel(int px, int py, int size, int samples)
{
    Rgba sum;
    for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
            const float x = (static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / samples) / size;
            const float y = (static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / samples) / size;
            if (RoundedSquareDistance(x, y) > 0.0f) continue;
            const Rgb colour = InSign(x, y) ? SignColour(y) : BackgroundColour(x, y);
            sum.r += colour.r;
            sum.g += colour.g;
            sum.b += colour.b;
            sum.a += 1.0f;
        }
    }
    if (sum.a == 0.0f) return {};
    // Colours are averaged over the covered samples only (straight alpha).
    return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / static_cast<float>(samples * samples)};
}

std::uint8_t Byte(float value) { return static_cast<std::uint8_t>(std::lround(Clamp01(value) * 255.0f)); }

} // namespace

bool WriteIcon(const std::string& pngPath, int size, std::string& error)
{
    if (size < kSmallestIcon || size > kLargestIcon) {
        error = "the icon's size must be 16 to 1024";
        return false;
    }
    // Small icons get more samples per pixel so that their edges stay smooth.
    const int samples = size < 128 ? 8 : 4;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgba pixel = ShadePixel(x, y, size, samples);
            std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + x) * 4];
            out[0] = Byte(pixel.r);
            out[1] = Byte(pixel.g);
            out[2] = Byte(pixel.b);
            out[3] = Byte(pixel.a);
        }
    }
    if (!WritePngWithAlpha(pngPath.c_str(), PresentedFrame{size, size, rgba.data()})) {
        error = "cannot write " + pngPath;
        return false;
    }
    return true;
}
