#pragma once
// Resizing pictures, for power-of-two textures, mip levels and surface loads.
// Filters work on straight (not premultiplied) channels, in two separable
// passes; at the picture's edges the border pixels repeat.

#include "platform/d3dx8/image.h"

namespace d3dx {

enum class ResampleFilter {
    None,     // no scaling: the overlapping top-left part, the rest transparent black
    Point,    // the nearest source pixel
    Linear,   // the two nearest source pixels on each axis, pixel centres aligned
    Box,      // the average of the source area each pixel covers (2x2 when halving)
    Triangle, // Box along an axis that shrinks, Linear along one that grows
};

Image Resample(const Image& source, UINT width, UINT height, ResampleFilter filter);

// The next mip level: each side halved (never below 1), by the box filter.
Image NextMipLevel(const Image& level);

// The smallest powers of two that hold the picture, each at most the given
// maximum (itself a power of two), filled by the triangle filter.
Image ResizeToPowersOfTwo(const Image& source, UINT maxWidth, UINT maxHeight);

} // namespace d3dx
