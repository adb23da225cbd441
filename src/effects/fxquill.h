#pragma once
// The pulsing surface: a closed surface of powered sines and cosines of the
// spherical angles that changes shape with time, turns, swells on seven beats
// and wears a sphere-mapped picture, with a zoom-blurred copy of its rim laid
// over it; a bar-graph spectrum analyser of the music at the bottom left;
// dark flares flashing along a fixed curve; the sign matrix on top. Works on
// the absolute show time.

#include "render/image_quad.h"

// Loads the effect's pictures, makes its radial blur and background and
// draws the flares' lap factors from the random generator.
void fxquill_Init();

// Makes the surface mesh and shapes it once.
void fxquill_InitSurface();

// Begins the frame and draws the effect at show time t.
void fxquill_Render(float timeMs);

// The beat pulse at t: 0, or a 100-ms rise to 1 and a 300-ms fall after each
// beat.
float fxquill_Pulse(float t);

// The spectrum bars: 29 columns of up to 14 blocks, each column from the sum
// of the next four spectrum entries (the first 116 in all). Writes two
// triangles per block and returns the number of blocks.
constexpr unsigned kQuillColumns = 29;
constexpr unsigned kQuillMaxBlocks = 14;
constexpr unsigned kQuillBarVertexCapacity = kQuillColumns * kQuillMaxBlocks * 6;
unsigned fxquill_SpectrumBars(const float* spectrum, ScreenVertex* vertices);

// One flare `age` ms after its launch, with its lap factor: where it is on
// the curve and how it is drawn; false where its lap hides it.
struct QuillFlare {
    float x, y;
    float alpha;
    float scale;
};
bool fxquill_Flare(float age, float lapFactor, QuillFlare* flare);
