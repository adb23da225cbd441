#pragma once
// The sign matrix: 4 rows of 5 soft white squares in the upper right of the
// screen showing one sign of data\znaki2.ini after another, five seconds
// each, cross-fading into the next one in the middle of its five seconds.
// fxquill draws it at the end of its frames.

#include "effects/sign_file.h"

// Loads "flara" and the signs' dot pictures from data\znaki.ini.
void znaki_Init();

// Reads the signs the matrix shows from data\znaki2.ini.
void znaki2_Init();

// Draws the matrix at show time t; its clock starts at the first call.
// Without signs it draws nothing.
void znaki_Draw(float timeMs);

// Which sign the matrix shows: advanced by one whenever a new five-second
// cycle begins, however many cycles passed since the last frame.
struct SignCycle {
    unsigned current = 0;
    int lastCycle = 0;
};

// The pair of signs being blended and the weight of the second.
struct SignBlend {
    unsigned current;
    unsigned next;
    float weight;
};

// Moves `cycle` on to `elapsed` milliseconds after the first frame and
// returns the blend to draw, for `count` signs (count 0 gives indices 0).
SignBlend znaki_Advance(SignCycle& cycle, float elapsed, unsigned count);

// The weight of the next sign `s` milliseconds into a cycle: 0 for 1.5 s,
// rising to 1 over 2 s, then 1.
float znaki_BlendWeight(float s);

// The opacities of the 20 squares, blending `from` into `to` by weight w.
void znaki_Cells(const Sign& from, const Sign& to, float w, float cells[kSignCells]);
