#pragma once
// Stage settings several effects share for their grid and picture layers.

#include "platform/d3d8/d3d8.h"

// Stage 0: colour = texture x diffuse, alpha = the diffuse alpha alone, so a
// layer's vertex alphas decide how much of it shows.
void SetTextureTimesDiffuse(IDirect3DDevice8* device);
