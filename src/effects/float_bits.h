#pragma once
// Direct3D takes float render states (point sizes, point scales, fog depths)
// as the float's bits in a DWORD.

#include <bit>

#include "platform/d3d8/d3d8_types.h"

inline DWORD FloatBits(float value)
{
    return std::bit_cast<DWORD>(value);
}
