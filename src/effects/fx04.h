#pragma once
// The longest scene: translucent orange pyramids flowing towards the viewer
// and jumping with the music over the grid's ray-cast floor, a fountain of
// flares flashing on six beats, a framed picture and the tape noise on top.
// Its last seconds are drawn into the shared render target and stretched
// over the screen while the timeline fades to white.

#include "math/vector.h"

void fx04_Init();
void fx04_Render(float timeMs);

// The music level: the sum of spectrum entries 0 to 255 over 64, 0 without
// a spectrum.
float fx04_MusicLevel();

// The flare flash at show time t: 0, or a 100-ms rise to 2 and a 300-ms fall
// after each beat.
float fx04_FlashEnvelope(float t);

// One pyramid of the field: its place and its material alpha.
struct Fx04Pyramid {
    float x, y, z;
    float alpha;
};
// The pyramid of column i and row j at show time t with music level L.
Fx04Pyramid fx04_Pyramid(unsigned i, unsigned j, float t, float level);

// One record of the flare fountain as the initialisation makes it: four
// numbers drawn from the shared generator give the velocity and the start
// clock the record has until it is launched.
struct Fx04FountainRecord {
    cVector velocity;
    float startClock;
};
Fx04FountainRecord fx04_DrawFountainRecord();
