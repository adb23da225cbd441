#include "platform/d3d8/texture_format.h"

// Direct3D names channels from the most significant bit, and the 32-bit
// formats lie in memory as blue, green, red, alpha: OpenGL's BGRA with the
// reversed packed types says the same thing.
TextureFormatInfo DescribeTextureFormat(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8: return {4, GL_BGRA, GL_UNSIGNED_BYTE, false};
    case D3DFMT_X8R8G8B8: return {4, GL_BGRA, GL_UNSIGNED_BYTE, true};
    case D3DFMT_R5G6B5: return {2, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, true};
    case D3DFMT_A1R5G5B5: return {2, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, false};
    case D3DFMT_X1R5G5B5: return {2, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true};
    case D3DFMT_A4R4G4B4: return {2, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, false};
    case D3DFMT_X4R4G4B4: return {2, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true};
    default: return {};
    }
}
