#pragma once
// The animated scene played over a dawn picture, a framed overlay with its
// own alpha laid over it, and two hundred faint dark streaks falling down
// the screen, each starting again every three seconds.

void fx07_Init();
void fx07_Render(float timeMs);

inline constexpr int kFx07Streaks = 200;

// The streaks' start times as the last frame left them.
const float* fx07_StreakStarts();

// The screen row of a streak that started at `start`, at show time t: a
// streak whose three seconds are over starts again at t (row 0). During the
// rewind t falls below the start and the row goes negative.
int fx07_StreakRow(float& start, float t);
