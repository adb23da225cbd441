#pragma once
// The orbit: the five start-up pictures cross-fading in the render target,
// which the glow blob in the middle wears as its environment map, over an
// inversion map and a tunnel that flashes on three beats, with six trails of
// flares sweeping round the blob, a letterbox opening at the start, and the
// stripes on top. The glow swells with the music.

#include "platform/d3d8/d3d8.h"

void fx05_Init();
void fx05_Render(float timeMs);

// The two pictures (indices 0..4 of "1".."5") drawn into the render target
// e ms into the slot, and the first one's alpha; the second has 1 - alpha.
struct Fx05CrossFade {
    unsigned first;
    unsigned second;
    float alpha;
};
Fx05CrossFade fx05_CrossFade(float e);

// The viewport between the letterbox bars e ms into the slot.
D3DVIEWPORT8 fx05_Letterbox(float e);

// What the tunnel's alpha is multiplied by at show time t: 0.35, rising to
// 1 over 200 ms on each beat.
float fx05_TunnelFactor(float t);
