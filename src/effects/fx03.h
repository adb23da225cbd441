#pragma once
// The scene that listens to the music: a background flashed additively by
// the level of the upper half of the spectrum, a stream of 400 flares, a
// tube of lines swelling in rings, a flock of forty wings flying across and
// two stripe sets; on two stretches of the music the camera cuts to a close
// side view.

void fx03_Init();
void fx03_Render(float timeMs);

// The music level: the mean of spectrum entries 128 to 255, 0 without a
// spectrum.
float fx03_MusicLevel();

// The alpha the background is added onto itself with at show time t and
// music level L; clamped to 255 where loud music would carry it past.
unsigned fx03_FlashAlpha(float t, float level);

// True while the camera is cut to the side view.
bool fx03_Cut(float t);
