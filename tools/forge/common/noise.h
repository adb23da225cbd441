#pragma once
// Value noise on a lattice that repeats every `period` cells, so that the
// pictures built from it tile without a seam, and its fractal sum.

#include <cstdint>

// The lattice repeats every `x` cells across and `y` cells down.
struct Period {
    int x;
    int y;
};

// Smooth noise in 0..1 at (x, y) in lattice units.
float TiledNoise(float x, float y, Period period, std::uint32_t seed);

// Sum of `octaves` layers, each of twice the frequency and half the weight;
// (x, y) in units of the first layer's lattice; result in 0..1.
float TiledFractal(float x, float y, Period period, int octaves, std::uint32_t seed);

// The same, folded (1 - |2n - 1|) per octave: ridged, for veins and cracks.
float TiledRidges(float x, float y, Period period, int octaves, std::uint32_t seed);

// Fractal noise over a picture of `size` pixels that tiles across both
// edges, with `cells` lattice cells across the first layer.
float PictureFractal(float x, float y, float size, int cells, int octaves, std::uint32_t seed);
