// Full-screen backgrounds, shaded in screen coordinates (640x480) and laid
// into the top rows of 512x512 textures as the effects show them.

#include <cmath>

#include "forge/common/noise.h"
#include "forge/common/random.h"
#include "forge/common/screen_picture.h"
#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kRows384 = 384;
constexpr int kRows359 = 359;

// Fractal noise over the screen, not tiled: `cells` lattice cells across 640.
float ScreenNoise(float sx, float sy, int cells, int octaves, std::uint32_t seed)
{
    const float scale = static_cast<float>(cells) / 640.0f;
    return TiledFractal(sx * scale, sy * scale, {1 << 20, 1 << 20}, octaves, seed);
}

float Vignette(float sx, float sy, float strength)
{
    const float dx = (sx - 320.0f) / 320.0f, dy = (sy - 240.0f) / 240.0f;
    return 1.0f - strength * Clamp01((dx * dx + dy * dy) * 0.5f);
}

// A scattering of small stars: about one per `spacing`-pixel cell.
float Stars(float sx, float sy, float spacing, std::uint32_t seed)
{
    const int cx = static_cast<int>(std::floor(sx / spacing)), cy = static_cast<int>(std::floor(sy / spacing));
    const std::uint32_t h = HashLattice(cx, cy, seed);
    const float px = (static_cast<float>(h & 0xFF) / 255.0f) * spacing + static_cast<float>(cx) * spacing;
    const float py = (static_cast<float>((h >> 8) & 0xFF) / 255.0f) * spacing + static_cast<float>(cy) * spacing;
    const float brightness = static_cast<float>((h >> 16) & 0xFF) / 255.0f;
    const float d = std::hypot(sx - px, sy - py);
    return std::exp(-d * d / 1.2f) * brightness * brightness;
}

} // namespace

Image MakeSwirlBackground()
{
    // Swirled by the wave mesh: a bright nebula with fine filaments, so the
    // swirl has detail to move.
    return ScreenPicture(kRows384, [](float sx, float sy) {
        const float warp = ScreenNoise(sx, sy, 3, 3, 201) * 120.0f;
        const float gas = ScreenNoise(sx + warp, sy - warp * 0.6f, 5, 6, 203);
        const float filaments = std::pow(TiledRidges((sx + warp) / 90.0f, (sy + warp) / 90.0f, {1 << 20, 1 << 20}, 4, 205), 6.0f);
        const Rgb base = CosinePalette(gas * 1.2f + sx / 2000.0f, {0.35f, 0.2f, 0.45f}, {0.35f, 0.2f, 0.4f},
                                       {1.0f, 1.0f, 1.0f}, {0.85f, 0.1f, 0.2f});
        const float stars = Stars(sx, sy, 22.0f, 207);
        return base * (0.35f + gas * 0.9f) * Vignette(sx, sy, 0.5f) + Hex(0xFFE8F8) * (filaments * 0.8f + stars);
    });
}

Image MakeFlashBackground()
{
    // Dark, because fx03 adds it onto itself four-fold on loud music: rays
    // from the centre and a violet haze, which flash into a burst of light.
    return ScreenPicture(kRows384, [](float sx, float sy) {
        const float dx = sx - 320.0f, dy = sy - 250.0f;
        const float angle = std::atan2(dy, dx), d = std::hypot(dx, dy);
        const float rays = std::pow(TiledNoise(angle / (2 * kPi) * 48.0f + 0.5f, 0.5f, {48, 1 << 20}, 211), 3.0f);
        const float haze = ScreenNoise(sx, sy, 4, 5, 213);
        const float falloff = std::exp(-d / 260.0f);
        const Rgb colour = Mix(Hex(0x120A2A), Hex(0x2A7A9A), rays * falloff);
        return colour * (0.55f + haze * 0.6f) + Hex(0x604080) * (std::exp(-d * d / 9000.0f) * 0.25f);
    });
}

Image MakeGoldBackground()
{
    return ScreenPicture(kRows384, [](float sx, float sy) {
        const float dx = sx - 470.0f, dy = sy - 140.0f;
        const float d = std::hypot(dx, dy);
        const float grain = ScreenNoise(sx, sy, 8, 5, 221);
        const float arcs = std::sin(d / 9.0f + grain * 4.0f) * 0.5f + 0.5f;
        const float glow = std::exp(-d / 380.0f);
        const Rgb base = Mix(Hex(0x2A1404), Hex(0xC8841C), glow * (0.55f + 0.45f * arcs));
        return base * (0.7f + 0.4f * grain) + Hex(0xFFF0C0) * std::pow(glow, 4.0f) * 0.5f;
    });
}

Image MakeGoldEmblemAlpha()
{
    // fx06 lays its background again on the rippling mesh through this
    // alpha: a ring emblem with spokes, so the ripple bends a shape one can
    // follow. Rows 0..383 cover the mesh as they cover the screen.
    return ScreenMask(kRows384, [](float sx, float sy) {
        const float dx = sx - 320.0f, dy = sy - 240.0f;
        const float d = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        const float ring = Coverage(std::fabs(d - 150.0f) - 14.0f);
        const float inner = Coverage(std::fabs(d - 105.0f) - 3.0f) * 0.8f;
        const float spokes = Coverage((std::fabs(std::sin(angle * 6.0f)) * d) - 5.0f) *
                             Smoothstep(40.0f, 60.0f, d) * (1.0f - Smoothstep(100.0f, 106.0f, d)) * 0.7f;
        const float hub = Coverage(d - 34.0f) * 0.9f;
        const float halo = std::exp(-std::pow((d - 150.0f) / 40.0f, 2.0f)) * 0.25f;
        return Clamp01(ring + inner + spokes + hub + halo);
    });
}

Image MakeSunriseBackground()
{
    // Behind the animated scene: dawn over a calm sea.
    return ScreenPicture(kRows384, [](float sx, float sy) {
        const float horizon = 300.0f;
        const float sunX = 400.0f, sunY = 290.0f;
        const float d = std::hypot(sx - sunX, (sy - sunY) * 1.2f);
        if (sy < horizon) {
            const float h = sy / horizon;
            Rgb sky = Mix(Hex(0x0A1030), Hex(0x6A3A6A), Smoothstep(0.0f, 0.7f, h));
            sky = Mix(sky, Hex(0xFF9A4A), Smoothstep(0.55f, 1.0f, h));
            const float clouds = ScreenNoise(sx * 0.5f, sy * 2.5f, 6, 5, 231);
            const float streaks = Smoothstep(0.55f, 0.8f, clouds) * Smoothstep(40.0f, 260.0f, sy);
            sky = Mix(sky, Hex(0xFFC8A0) * (0.4f + 0.6f * std::exp(-d / 200.0f)), streaks * 0.6f);
            return sky + Hex(0xFFE0A0) * (std::exp(-d * d / 600.0f) + std::exp(-d / 90.0f) * 0.5f);
        }
        const float depth = (sy - horizon) / 180.0f;
        const float ripple = ScreenNoise(sx * 0.3f, sy * 4.0f, 12, 3, 233);
        const float path = std::exp(-std::pow((sx - sunX) / (30.0f + depth * 120.0f), 2.0f)) * (0.4f + ripple);
        const Rgb sea = Mix(Hex(0x6A3040), Hex(0x0A0A20), Clamp01(depth));
        return sea + Hex(0xFFB060) * (path * 0.7f);
    });
}

Image MakeNightGlass()
{
    // fxquill's background: a night skyline seen through ribbed glass, the
    // ribs bending it slightly, with out-of-focus lights in front.
    return ScreenPicture(kRows384, [](float sx, float sy) {
        const float rib = std::fmod(sx, 40.0f);
        const float x = sx + std::sin(rib / 40.0f * 2 * kPi) * 4.0f;
        const float sky = Smoothstep(0.0f, 480.0f, sy);
        Rgb colour = Mix(Hex(0x02040E), Hex(0x1A2A5A), sky);
        colour = colour + Rgb{1, 1, 1} * (Stars(x, sy, 26.0f, 243) * (1.0f - sky));
        // Buildings: a height per 24-pixel column, windows lit by a hash.
        const int building = static_cast<int>(std::floor(x / 24.0f));
        const float roof = 250.0f + static_cast<float>(HashLattice(building, 0, 245) % 150);
        if (sy > roof) {
            const int wx = static_cast<int>(std::floor(x / 5.0f)), wy = static_cast<int>(std::floor(sy / 7.0f));
            const bool window = std::fmod(x, 5.0f) < 2.5f && std::fmod(sy, 7.0f) < 3.5f &&
                                std::fmod(x, 24.0f) > 3.0f && HashLattice(wx, wy, 247) % 5 == 0;
            colour = Hex(0x03040A) + (window ? Hex(0xFFC060) * 0.7f : Rgb{});
        }
        float bokeh = 0;
        Random random(241);
        Rgb lights{};
        for (int i = 0; i < 40; ++i) {
            const float bx = random.Range(0, 640), by = random.Range(230, 470), r = random.Range(8, 22);
            const float tint = random.Uniform();
            const float d = std::hypot(x - bx, sy - by);
            bokeh = Smoothstep(r, r * 0.7f, d) * random.Range(0.08f, 0.22f);
            lights = lights + Mix(Hex(0xFF9040), Hex(0x70A8FF), tint) * bokeh;
        }
        const float sheen = std::pow(std::fabs(std::cos(rib / 40.0f * kPi)), 24.0f) * 0.08f;
        return colour + lights + Rgb{sheen, sheen, sheen * 1.2f};
    });
}

Image MakeSkyFromAbove()
{
    // The greetings look straight down on the planes: clouds over a deep
    // blue sea, in the top 359 rows.
    return ScreenPicture(kRows359, [](float sx, float sy) {
        const float warp = ScreenNoise(sx, sy, 3, 2, 251) * 80.0f;
        const float cloud = ScreenNoise(sx + warp, sy + warp, 4, 6, 253);
        const float cover = Smoothstep(0.42f, 0.72f, cloud);
        const float shade = ScreenNoise(sx + 12.0f, sy + 18.0f, 4, 6, 253);
        const float waves = ScreenNoise(sx, sy, 40, 2, 255);
        const Rgb sea = Mix(Hex(0x06284A), Hex(0x0E4A78), waves * 0.6f + sy / 960.0f);
        const Rgb cloudColour = Mix(Hex(0xFFFFFF), Hex(0x9AB0C8), Smoothstep(0.4f, 0.8f, shade) * 0.6f);
        return Mix(sea, cloudColour, cover * 0.92f);
    });
}

Image MakeVolumeBackground()
{
    // fxvolu: the blob on the left, two glows on the right; a violet depth
    // with light falling from the upper right.
    return ScreenPicture(kRows359, [](float sx, float sy) {
        const float d = std::hypot(sx - 520.0f, sy - 200.0f);
        const float beam = std::exp(-std::pow(((sx - 520.0f) * 0.6f + (sy - 200.0f) * 0.8f) / 60.0f, 2.0f)) *
                           std::exp(-d / 500.0f);
        const float haze = ScreenNoise(sx, sy, 5, 5, 261);
        const Rgb base = Mix(Hex(0x06020E), Hex(0x2A1448), std::exp(-d / 420.0f));
        return base * (0.6f + haze * 0.7f) + Hex(0x8060C0) * (beam * 0.35f) + Rgb{1, 1, 1} * Stars(sx, sy, 30.0f, 263) * 0.6f;
    });
}
