#pragma once
// The colour formats textures may have here, and how their texels reach
// OpenGL: every format is converted to 8-bit RGBA bytes on upload, the one
// texel layout both desktop OpenGL and OpenGL ES 3.0 (WebGL2) accept for an
// RGBA8 texture. ES has no GL_BGRA and none of the reversed packed types
// that would take Direct3D's layouts as they are.

#include <cstddef>
#include <cstdint>

#include "platform/d3d8/d3d8_types.h"

struct TextureFormatInfo {
    UINT bytesPerPixel = 0; // 0: not a format textures can have
    bool opaque = false;    // no alpha channel: samples read alpha 1
};

TextureFormatInfo DescribeTextureFormat(D3DFORMAT format);

// `count` texels of `format` (little-endian, as Direct3D lays them in
// memory) to R, G, B, A bytes. Channels narrower than 8 bits scale to 0..255
// the way OpenGL converts normalised integers (value * 255 / max, rounded);
// formats without alpha give alpha 255.
void ConvertTexelsToRgba8(D3DFORMAT format, const std::uint8_t* texels, std::size_t count, std::uint8_t* rgba);
