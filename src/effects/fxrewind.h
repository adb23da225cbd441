#pragma once
// The picture noise of a tape being rewound: thirty translucent black
// blotches, new in every call, and fifty thin black streaks that jump to new
// rows every 50 ms. Drawn over whatever is in the back buffer by the rewind
// passage and at the end of fx04 and fxend; the render states it touches are
// as it found them afterwards.

#include "platform/d3d8/d3d8.h"

// Loads data\dupa2.jpg as "chess2", the texture fx04 binds.
void fxrewind_InitChess();

// Places the streaks; each jumps on the first call.
void fxrewind_Init();

void fxrewind_Render(float timeMs);

struct RewindStreak {
    float time; // show time of the last jump
    float y;    // screen row
    float size; // thickness factor
    D3DCOLOR colour;
};

inline constexpr int kRewindStreaks = 50;
inline constexpr int kRewindBlotches = 30;

// The streaks as the last call left them.
const RewindStreak* fxrewind_Streaks();
