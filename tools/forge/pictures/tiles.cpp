// Seamless 256x256 tiles. The distortion grids scroll these far past their
// edges, the environment mappings wrap them round the objects, and the orbit
// effect shows the five shared ones whole, so each must tile without a seam
// and still read as a picture on its own. Every pattern is periodic by
// construction: sines of whole turns, wrapped lattices, toroidal distances.

#include <cmath>
#include <vector>

#include "forge/common/noise.h"
#include "forge/common/random.h"
#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kTile = 256;
constexpr float kTileF = 256.0f;

// Shortest distance between two points on the tile's torus.
float TorusDistance(float ax, float ay, float bx, float by)
{
    float dx = std::fabs(ax - bx), dy = std::fabs(ay - by);
    dx = std::fmin(dx, kTileF - dx);
    dy = std::fmin(dy, kTileF - dy);
    return std::sqrt(dx * dx + dy * dy);
}

struct Point {
    float x, y;
};

std::vector<Point> ScatterPoints(int count, std::uint64_t seed)
{
    Random random(seed);
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        points.push_back({random.Range(0, kTileF), random.Range(0, kTileF)});
    }
    return points;
}

// sin of `turns` whole turns across the tile.
float Wave(float v, float turns) { return std::sin(2 * kPi * turns * v / kTileF); }

} // namespace

Image MakePlasmaTile()
{
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const float warp = PictureFractal(x, y, kTileF, 4, 3, 11) * 2 - 1;
        const float v = Wave(x + 18 * warp, 2) + Wave(y - 14 * warp, 3) + Wave(x + y, 2) * 0.8f +
                        Wave(2 * x - y + 30 * warp, 1) * 0.7f;
        const float t = v * 0.16f + 0.5f;
        const Rgb colour = CosinePalette(t, {0.5f, 0.45f, 0.55f}, {0.5f, 0.45f, 0.45f}, {1.0f, 1.0f, 1.0f},
                                         {0.0f, 0.15f, 0.3f});
        const float sparkle = std::pow(Clamp01(std::sin(v * 3.0f) * 0.5f + 0.5f), 12.0f) * 0.35f;
        return colour + Rgb{sparkle, sparkle, sparkle};
    });
}

Image MakeChromeTile()
{
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const float ridges = TiledRidges(x * 6 / kTileF, y * 6 / kTileF, {6, 6}, 5, 23);
        const float swell = PictureFractal(x, y, kTileF, 3, 2, 29);
        const float metal = Clamp01(std::pow(ridges, 3.0f) * 1.3f + swell * 0.25f);
        const Rgb steel = Mix(Hex(0x0B1530), Hex(0x6E8CC8), metal);
        const float glint = std::pow(metal, 8.0f);
        return Mix(steel, Hex(0xFFFFFF), glint);
    });
}

Image MakeTechTile()
{
    // 4 x 4 panels of 64 texels: bevelled plates with lit seams, each plate
    // with one of four inlays chosen by a hash.
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const int column = static_cast<int>(x) / 64, row = static_cast<int>(y) / 64;
        const float lx = std::fmod(x, 64.0f) - 32.0f, ly = std::fmod(y, 64.0f) - 32.0f;
        const float edge = 32.0f - std::fmax(std::fabs(lx), std::fabs(ly));
        const std::uint32_t kind = HashLattice(column, row, 7) % 4;
        float inlay = 0;
        switch (kind) {
        case 0: inlay = Coverage(std::fabs(std::hypot(lx, ly) - 14.0f) - 2.0f); break;
        case 1: inlay = Coverage(std::fabs(lx) - 2.5f) * Coverage(std::fabs(ly) - 18.0f); break;
        case 2: inlay = Coverage(std::fmax(std::fabs(lx), std::fabs(ly)) - 9.0f); break;
        default: inlay = Coverage(std::fabs(lx + ly) * 0.7071f - 2.0f) * Coverage(std::fabs(lx) - 20.0f); break;
        }
        const float grain = PictureFractal(x, y, kTileF, 16, 3, 41);
        const float bevel = Smoothstep(0.0f, 5.0f, edge) * (0.85f + 0.15f * Clamp01((lx - ly) / 40.0f + 0.5f));
        const Rgb plate = Mix(Hex(0x10243A), Hex(0x2C5478), grain) * bevel;
        const float seam = std::exp(-edge * edge / 3.0f);
        const Rgb light = Hex(0x4FE0FF);
        return plate + light * (seam * 0.9f + inlay * 0.75f);
    });
}

Image MakeCellTile()
{
    const std::vector<Point> seeds = ScatterPoints(22, 0xCE11);
    return Image::Colour(kTile, kTile, [&](float x, float y) {
        float nearest = 1e9f, second = 1e9f;
        int owner = 0;
        for (size_t i = 0; i < seeds.size(); ++i) {
            const float d = TorusDistance(x, y, seeds[i].x, seeds[i].y);
            if (d < nearest) {
                second = nearest;
                nearest = d;
                owner = static_cast<int>(i);
            } else if (d < second) {
                second = d;
            }
        }
        const float border = Smoothstep(0.0f, 6.0f, second - nearest);
        const float tint = static_cast<float>(HashLattice(owner, 3, 5) % 1000) / 1000.0f;
        const Rgb cell = Mix(Hex(0xB8341C), Hex(0xFFB040), tint * 0.7f + Clamp01(1 - nearest / 40.0f) * 0.3f);
        const float vein = PictureFractal(x, y, kTileF, 8, 3, 53);
        return Mix(Hex(0x1A0604), cell * (0.75f + 0.35f * vein), border);
    });
}

Image MakeInterferenceTile()
{
    const std::vector<Point> sources = ScatterPoints(3, 0x5EED5);
    return Image::Colour(kTile, kTile, [&](float x, float y) {
        float v = 0;
        for (const Point& source : sources) {
            v += std::cos(TorusDistance(x, y, source.x, source.y) * 2 * kPi / 18.0f);
        }
        const float t = v / 6.0f + 0.5f;
        const Rgb deep = Hex(0x032A2E), light = Hex(0x7DFFD2);
        const float crest = std::pow(t, 4.0f);
        return Mix(deep, light, t * 0.8f) + Rgb{crest, crest, crest} * 0.25f;
    });
}

Image MakeFloorTile()
{
    // The ray-cast floor and ceiling of fx04: a dark glass floor with a lit
    // grid, fine lines every 16 texels and bright ones every 64.
    return Image::Colour(kTile, kTile, [](float x, float y) {
        auto lineDistance = [](float v, float spacing) {
            const float m = std::fmod(v, spacing);
            return std::fmin(m, spacing - m);
        };
        const float major = std::fmin(lineDistance(x, 64), lineDistance(y, 64));
        const float minor = std::fmin(lineDistance(x, 16), lineDistance(y, 16));
        const float cloud = PictureFractal(x, y, kTileF, 4, 4, 61);
        const Rgb ground = Mix(Hex(0x020814), Hex(0x0C2240), cloud);
        const float bright = std::exp(-major * major / 2.0f) + std::exp(-major / 6.0f) * 0.25f;
        const float faint = std::exp(-minor * minor / 0.8f) * 0.3f;
        return ground + Hex(0x40C8FF) * (bright + faint);
    });
}

Image MakeChessTile()
{
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const int column = static_cast<int>(x) / 32, row = static_cast<int>(y) / 32;
        const bool light = ((column + row) & 1) == 0;
        const float lx = std::fmod(x, 32.0f), ly = std::fmod(y, 32.0f);
        const float bevel = 1.0f - 0.12f * (1.0f - Smoothstep(0.0f, 3.0f, std::fmin(lx, ly))) +
                            0.06f * (1.0f - Smoothstep(0.0f, 3.0f, std::fmin(32 - lx, 32 - ly)));
        const float grain = PictureFractal(x, y, kTileF, 32, 2, 71) * 0.08f;
        const float v = (light ? 0.9f : 0.07f) * bevel + grain;
        return Rgb{v, v, v * 1.04f};
    });
}

Image MakeTunnelTile()
{
    // The polar map reads u as the angle (one turn per tile) and v as the
    // distance: streaks stretched along v become light rushing down a tunnel.
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const float streak = TiledFractal(x * 24 / kTileF, y * 2 / kTileF, {24, 2}, 4, 83);
        const float band = TiledFractal(x * 4 / kTileF, y * 6 / kTileF, {4, 6}, 3, 89);
        const float energy = Clamp01(std::pow(streak, 2.2f) * 1.8f + band * 0.3f - 0.1f);
        const Rgb colour = Mix(Hex(0x14041E), Mix(Hex(0xD03C78), Hex(0xFFD28C), energy), energy);
        return colour;
    });
}

Image MakeHorizonTile()
{
    // A chrome environment: sky, a white horizon and dark ground, twice per
    // tile vertically so the wrap is seamless, with streaks of reflection.
    return Image::Colour(kTile, kTile, [](float x, float y) {
        const float c = std::cos(2 * kPi * y / kTileF * 2.0f);
        const float streak = TiledFractal(x * 8 / kTileF, y * 32 / kTileF, {8, 32}, 3, 97);
        const Rgb sky = Mix(Hex(0xEAF4FF), Hex(0x2A5EA8), Smoothstep(0.0f, 0.9f, c));
        const Rgb ground = Mix(Hex(0x8A6A4A), Hex(0x140C08), Smoothstep(0.0f, 0.6f, -c));
        const Rgb base = c > 0 ? sky : ground;
        const float horizon = std::exp(-c * c / 0.004f);
        return base * (0.85f + 0.3f * streak) + Rgb{1, 1, 1} * horizon * 0.8f;
    });
}

Image MakeDarkGlossTile()
{
    // Mostly black, with a few soft highlights: a glossy dark surface.
    const std::vector<Point> lights = ScatterPoints(7, 0xB1AC);
    return Image::Colour(kTile, kTile, [&](float x, float y) {
        float light = 0;
        for (size_t i = 0; i < lights.size(); ++i) {
            const float d = TorusDistance(x, y, lights[i].x, lights[i].y);
            const float size = 8.0f + static_cast<float>(i % 3) * 7.0f;
            light += std::exp(-d * d / (size * size)) * (i % 2 == 0 ? 0.9f : 0.45f);
        }
        const float murk = PictureFractal(x, y, kTileF, 4, 4, 101) * 0.08f;
        return Hex(0x0A0612) + Hex(0x3A2A60) * murk * 4.0f + Hex(0xD8E0FF) * Clamp01(light);
    });
}
