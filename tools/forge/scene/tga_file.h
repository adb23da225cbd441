#pragma once
// Uncompressed true-colour TGA files (image type 2), rows bottom-up, with no
// identification field and no colour map, as the scene's texture reader
// takes them.

#include <string>

#include "texture_canvas.h"

// 32 bits per pixel: blue, green, red, alpha.
std::string Tga32Bytes(const TextureCanvas& image);

// 16 bits per pixel, 0ARRRRRGGGGGBBBBB: five bits per colour, alpha dropped.
std::string Tga16Bytes(const TextureCanvas& image);
