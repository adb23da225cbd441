#pragma once
// A still picture with the grid's ray-cast floor and ceiling fading in over
// it, a spinning spherical-harmonics surface whose shape runs with time
// (drawn solid, then as a wireframe), stripes, and a translucent picture on
// the rippling wave mesh that dips on three beats.

void fx06_Init();
// The surface meshes, made later in start-up than the rest.
void fx06_InitSurface();
void fx06_Render(float timeMs);

// The surface's distance from its centre at angle a round it (0..2 pi) and
// angle b from pole to pole (0..pi), with the shape's phase p.
float fx06_Radius(float a, float b, float phase);

// The surface's scale at show time t: grown on eight stretches of the music,
// otherwise the scale it had (`current`).
float fx06_Scale(float t, float current);

// The alpha picture's material alpha at show time t: 0.6, dipping to 0.3
// over the 120 ms after each beat.
float fx06_PictureAlpha(float t);

// The alpha byte of the floor-and-ceiling layer at show time t.
unsigned fx06_GridAlpha(float t);
