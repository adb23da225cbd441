#pragma once
// Fades through black or white: a full-screen quad whose alpha follows the
// time within [start, start + duration), drawn over whatever the effect drew.

void FadeToBlack(float t, float start, float duration);
void FadeFromBlack(float t, float start, float duration);
void FadeToWhite(float t, float start, float duration);
void FadeFromWhite(float t, float start, float duration);

// The alpha a fade draws with at time t, or a negative value outside its window.
float FadeAlpha(float t, float start, float duration, bool rising);
