#pragma once
// Baseline JPEG files through libjpeg: three channels, alpha dropped.

#include <string>

#include "texture_canvas.h"

// False with `error` set when the encoder fails.
bool JpegBytes(const TextureCanvas& image, int quality, std::string& bytes, std::string& error);
