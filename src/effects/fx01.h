#pragma once
// The first 3D scene: a swirling picture on the wave mesh, a grid layer of
// drifting translucent bands, a lit wire object and a solid blob turning
// faster on two stretches of the music, stripes, and letterbox beat pulses.

#include "render/render.h"

void fx01_Init();
void fx01_Render(float timeMs);

// The viewport of the beat pulses at show time t: the full screen, or the
// band a beat squeezes it into for 200 ms.
D3DVIEWPORT8 fx01_Viewport(float t);

// The alpha byte of grid column col at show time t.
unsigned fx01_BandAlpha(unsigned col, float t);

// The blob's and the wire's turn about x and y at show time t, in radians:
// faster on two stretches of the music.
float fx01_SpinAngle(float t);
