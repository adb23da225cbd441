#pragma once
// Writes a presented frame to an RGB PNG file, for looking at what was
// rendered: the colour as the screen shows it, without the buffer's alpha.

#include "platform/d3d8/presentation.h"

// False when the file cannot be written.
bool WritePng(const char* path, const PresentedFrame& frame);

// Writes the frame with its alpha channel, for pictures whose alpha is meant
// (an icon with transparent corners).
bool WritePngWithAlpha(const char* path, const PresentedFrame& frame);
