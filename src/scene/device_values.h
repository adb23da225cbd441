#pragma once
// Scene values as the device takes them.

#include <cstring>

#include "math/matrix.h"
#include "platform/d3d8/d3d8.h"

// A cMatrix has the device's layout: it goes over unchanged.
inline const D3DMATRIX* AsDeviceMatrix(const cMatrix& matrix)
{
    return reinterpret_cast<const D3DMATRIX*>(matrix.m);
}

inline cMatrix FromDeviceMatrix(const D3DMATRIX& matrix)
{
    cMatrix result;
    std::memcpy(result.m, &matrix, sizeof result.m);
    return result;
}

// Float render states travel as their bit patterns.
inline DWORD FloatState(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
