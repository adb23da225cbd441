#pragma once
// The colour formats textures may have here, and how each goes to OpenGL.

#include "platform/d3d8/d3d8_types.h"
#include "platform/d3d8/gl.h"

struct TextureFormatInfo {
    UINT bytesPerPixel = 0; // 0: not a format textures can have
    GLenum uploadFormat = 0;
    GLenum uploadType = 0;
    bool opaque = false; // no alpha channel: samples read alpha 1
};

TextureFormatInfo DescribeTextureFormat(D3DFORMAT format);
