#pragma once
// Direct3D takes float render states (point sizes, point scales, fog depths)
// as the float's bits in a DWORD.

#include <cstring>

#include "platform/d3d8/d3d8_types.h"

// Copied rather than std::bit_cast: the page's C++ library (emscripten's
// libc++ 13) has no bit_cast yet.
inline DWORD FloatBits(float value)
{
    static_assert(sizeof(DWORD) == sizeof(float));
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
