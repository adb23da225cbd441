#pragma once
// The closing picture: the third grid's last one-shot map scrolling slowly
// under a full-screen picture with its own alpha, finished with the tape
// noise. What the grid shows depends on what ran on it before: fx05's
// inversion map in the show's order, fx04's spiral map otherwise.

class fx;

void fxend_Init();
void fxend_Render(float timeMs);

// Scrolls the grid's static table into its display at show time t and makes
// every display vertex's alpha 64, the colour unchanged.
void fxend_PrepareGrid(fx* grid, float t);
