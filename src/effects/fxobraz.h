#pragma once
// The picture effect of the show's opening minute: eighty thin translucent
// bars drifting through the scene, a background picture warped by the first
// distortion grid, two versions of a picture fading one into the other,
// swelling rings, a wobbling cloud of small flares that flash on the music's
// accents, one large flare cloud and, later, a long lit column drifting
// towards the viewer through fog. Works on the absolute show time.

// Loads the pictures "obraz1", "obraz2" and "black".
void fxobraz_InitPictures();

// Loads the effect's textures and objects and places the bars and rings
// (drawing from the random generator in that order).
void fxobraz_Init();

// Begins the frame and draws the effect at show time t.
void fxobraz_Render(float timeMs);

// Alpha byte of the bars: 32, rising during their first half second, and
// falling from 255 after each of the two white flashes.
int fxobraz_BarAlpha(float t);

// Alpha byte of the background grid: 0, fading in to 128.
int fxobraz_GridAlpha(float t);

// Opacities of the two pictures: "tlo2" fades in, then hands over to "tlo".
struct ObrazPictureOpacities {
    float first;  // "tlo2"
    float second; // "tlo"
};
ObrazPictureOpacities fxobraz_PictureOpacities(float t);

// One ring's pulse e milliseconds into its group's run: the brightness it is
// drawn with and the size it takes on (drawn in the next frame).
struct ObrazRingPulse {
    float brightness;
    float size;
};
ObrazRingPulse fxobraz_RingPulse(float base, float speed, float e);

// The small flares' brightness and minimum point size during a flash; false
// between flashes.
struct ObrazFlash {
    float brightness;
    float minPointSize;
};
bool fxobraz_Flash(float t, ObrazFlash* flash);

// Brightness of the large flare cloud.
float fxobraz_BigFlareBrightness(float t);
