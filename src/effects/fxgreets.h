#pragma once
// The greetings: five aeroplanes seen from high above, flying in formation
// over the clouds, each trailing a ribbon of glowing points; slanted
// translucent stripes across the screen carrying words that slide along
// them; five lines of names fading in and out over the scene and one faint
// phrase drifting along the bottom. Slot time e = t - 118000.

#include "effects/flight_trails.h"
#include "effects/greets_stripes.h"

// Loads the font, the sky, the stripe and word pictures and the aeroplane,
// reads data\greets.ini and data\fly.ini, and restarts the random generator
// at 20.
void fxgreets_Init();

// Begins the frame and draws the greetings at show time t.
void fxgreets_Render(float timeMs);

inline constexpr unsigned kGreetsNameLines = 5;

// The show times at which the name lines appear.
inline constexpr float kGreetsNameStarts[kGreetsNameLines] = {123650, 124600, 126000, 127843, 129100};

// The opacity of a name line that appears at `start`: 0 until t passes it,
// rising to 0.5 over 300 ms, holding for a second, then falling to 0 over
// five seconds.
float fxgreets_NameOpacity(float t, float start);

// The alpha byte of the drifting phrase e milliseconds into the greetings:
// up to 32, from 5 to 17 seconds.
unsigned fxgreets_PhraseAlpha(float e);
