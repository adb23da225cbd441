#include "forge/common/noise.h"

#include <cmath>

#include "forge/common/random.h"

namespace {

float LatticeValue(int x, int y, Period period, std::uint32_t seed)
{
    const int wx = ((x % period.x) + period.x) % period.x;
    const int wy = ((y % period.y) + period.y) % period.y;
    return static_cast<float>(HashLattice(wx, wy, seed) & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float Quintic(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

} // namespace

float TiledNoise(float x, float y, Period period, std::uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = Quintic(x - fx), ty = Quintic(y - fy);
    const float a = LatticeValue(ix, iy, period, seed), b = LatticeValue(ix + 1, iy, period, seed);
    const float c = LatticeValue(ix, iy + 1, period, seed), d = LatticeValue(ix + 1, iy + 1, period, seed);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float TiledFractal(float x, float y, Period period, int octaves, std::uint32_t seed)
{
    float sum = 0, weight = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += TiledNoise(x, y, period, seed + static_cast<std::uint32_t>(octave) * 7919u) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period = {period.x * 2, period.y * 2};
        weight *= 0.5f;
    }
    return sum / total;
}

float TiledRidges(float x, float y, Period period, int octaves, std::uint32_t seed)
{
    float sum = 0, weight = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        const float n = TiledNoise(x, y, period, seed + static_cast<std::uint32_t>(octave) * 7919u);
        sum += (1.0f - std::fabs(2.0f * n - 1.0f)) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period = {period.x * 2, period.y * 2};
        weight *= 0.5f;
    }
    return sum / total;
}

float PictureFractal(float x, float y, float size, int cells, int octaves, std::uint32_t seed)
{
    const float scale = static_cast<float>(cells) / size;
    return TiledFractal(x * scale, y * scale, {cells, cells}, octaves, seed);
}
