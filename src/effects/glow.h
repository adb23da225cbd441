#pragma once
// The glow: a blob bent out of shape by a 4 x 4 x 4 lattice of control points
// that breathe on their own clocks, swelling with the music. fx05 draws it in
// the middle of its orbit, environment-mapped with the render target.

#include "math/vector.h"

// Loads the blob twice (rest and displayed copy) and the glow disc, and draws
// the lattice's phases and periods from the random generator.
void glow_Init();

// Reshapes and draws the blob with the caller's texture and states: its size
// follows the music level, its turn the effect time e (ms into the slot). The
// lattice itself moves on the real-time clock.
void glow_Draw(float e, float level);

inline constexpr int kGlowLattice = 4; // control points per axis

// The trivariate cubic Bezier volume of `lattice` (indexed [i][j][k] along
// x, y, z) at (u, v, w) in 0..1.
cVector glow_BezierVolume(const cVector (&lattice)[kGlowLattice][kGlowLattice][kGlowLattice], float u, float v,
                          float w);
