#pragma once
// Soft-focus for glows and shadows: three box passes approximate a Gaussian.

#include "forge/common/image.h"

enum class Edges { Clamp, Wrap };

// Blurs every channel with a Gaussian-like kernel of about `radius` pixels.
Image Blur(const Image& image, int radius, Edges edges);
