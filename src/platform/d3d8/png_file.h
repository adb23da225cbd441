#pragma once
// Writes a presented frame to a PNG file, for looking at what was rendered.

#include "platform/d3d8/presentation.h"

// False when the file cannot be written.
bool WritePng(const char* path, const PresentedFrame& frame);
