#pragma once
// The band overlay: horizontal strips of pictures that scroll sideways over
// whatever the slot effect has drawn, in the time windows data\layer.ini
// lists. The timeline calls it in every frame; it draws nothing during the
// rewind.

#include "effects/layer_file.h"

// Reads data\layer.ini and loads each group's texture under its file name.
void fxlayers_Init();

// Draws the entries active at show time t with additive blending. Overlays do
// not begin a frame.
void fxlayers_Render(float timeMs);

// What fxlayers_Init read.
const LayerSet& fxlayers_Layers();
