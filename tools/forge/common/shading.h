#pragma once
// Small shading helpers shared by the picture makers.

#include <algorithm>
#include <cmath>

#include "forge/common/image.h"

constexpr float kPi = 3.14159265358979f;

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Mix(float a, float b, float t) { return a + (b - a) * t; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }

inline float Smoothstep(float edge0, float edge1, float v)
{
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// Coverage of a shape edge from a signed distance in pixels (negative inside).
inline float Coverage(float distance) { return Clamp01(0.5f - distance); }

// A soft glow falling from 1 at the centre: a Gaussian core with a long
// inverse-square halo, as a lens flare looks on film.
inline float Glow(float distance, float core, float halo)
{
    const float gauss = std::exp(-(distance * distance) / (core * core));
    const float tail = 1.0f / (1.0f + (distance / halo) * (distance / halo));
    return std::max(gauss, tail * 0.35f);
}

// Fades a radial function to exactly 0 before `radius`, so that sprites show
// no square edge.
inline float EdgeFade(float distance, float radius) { return 1.0f - Smoothstep(radius * 0.75f, radius, distance); }

// Palette from cosines (a + b cos(2 pi (c t + d))), for smooth colour ramps.
inline Rgb CosinePalette(float t, Rgb a, Rgb b, Rgb c, Rgb d)
{
    return {a.r + b.r * std::cos(2 * kPi * (c.r * t + d.r)), a.g + b.g * std::cos(2 * kPi * (c.g * t + d.g)),
            a.b + b.b * std::cos(2 * kPi * (c.b * t + d.b))};
}
