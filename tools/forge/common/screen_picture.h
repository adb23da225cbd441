#pragma once
// Full-screen pictures: the effects stretch the top rows of a 512x512 texture
// over the 640x480 screen (384 rows for most backgrounds, 359 for the sky and
// the volume background). The makers shade in screen coordinates; the rows
// below the shown ones continue the same picture, so filtering and the
// smaller mip levels see no edge.

#include <functional>

#include "forge/common/image.h"

constexpr int kScreenPictureSize = 512;

Image ScreenPicture(int shownRows, const std::function<Rgb(float sx, float sy)>& shade);
Image ScreenMask(int shownRows, const std::function<float(float sx, float sy)>& shade);

// Texture rows per screen row for a picture showing `shownRows` rows.
inline float TexelsPerScreenRow(int shownRows) { return static_cast<float>(shownRows) / 480.0f; }
