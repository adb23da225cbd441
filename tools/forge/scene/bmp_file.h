#pragma once
// BMP files as the scene's texture reader takes them: uncompressed, rows
// bottom-up and padded to four bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "texture_canvas.h"

// 24 bits per pixel, blue, green, red; alpha is dropped.
std::string Bmp24Bytes(const TextureCanvas& image);

// 8 bits per pixel with a grey palette: the alpha companion of a texture.
// `alpha` holds width x height bytes, rows from the top down.
std::string Bmp8Bytes(const std::vector<std::uint8_t>& alpha, int width, int height);
