#pragma once
// The volume blob: a lit translucent blob with its wireframe over a dim
// background and two turning glows, a cloud of point sprites textured with a
// small picture in which five glows cross-fade, zoom-blurred and laid over
// the frame additively, under a set of slanted stripes that swell and fade
// to black in the last second. Works on the absolute show time.

#include "platform/d3d8/d3d8_types.h"

// Loads the effect's pictures and the blob, makes its 64x64 target, its
// radial blur and its stripes (drawing from the random generator).
void fxvolu_Init();

// Begins the frame and draws the effect at show time t.
void fxvolu_Render(float timeMs);

// The two pictures of the 64x64 pass (indices 0..4 of "volu1".."volu5") and
// their alphas: each picture fades out over two seconds while the next one
// fades in.
struct VoluPictures {
    int first;
    int second;
    float firstAlpha;
    float secondAlpha;
};
VoluPictures fxvolu_Pictures(float t);

// The colour of the two additive overlays: white, darkening to black over
// the last second of the slot.
D3DCOLOR fxvolu_OverlayColor(float t);

// The stripes' size factor at t: growing from 1 to 11 over the last second,
// `current` before it.
float fxvolu_StripeSizeFactor(float t, float current);
