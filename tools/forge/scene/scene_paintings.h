#pragma once
// The scene's textures, painted procedurally.

#include <cstdint>
#include <vector>

#include "texture_canvas.h"

// The platform's top: rings of stone tiles around a bronze inlay, one copy
// over the whole disc.
TextureCanvas PaintFloor(int size);

// Brushed metal plates with grooves and rivets, for the pedestal and cubes.
TextureCanvas PaintPanel(int size);

// A dim room reflected in a shiny surface: added over the panels through
// their reflection vectors.
TextureCanvas PaintSheen(int size);

// A chrome sphere map: sky towards the bottom of the picture (normals facing
// up read v near 1), dark ground towards the top, a bright window.
TextureCanvas PaintChrome(int size);

// Banded, speckled skin for the bending stem.
TextureCanvas PaintSkin(int size);

// The warm colour of the glow ring on the floor, and its alpha: a soft ring
// with rays (`size` x `size` bytes, rows from the top).
TextureCanvas PaintHaloColour(int size);
std::vector<std::uint8_t> PaintHaloAlpha(int size);
