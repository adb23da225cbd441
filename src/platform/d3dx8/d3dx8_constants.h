#pragma once
// The D3DX 8 constants the system and this layer use. Values are those of the
// public D3DX documentation.

#include "platform/d3d8/d3d8_types.h"

// "Use the default" for sizes, level counts and filters.
constexpr DWORD D3DX_DEFAULT = 0xFFFFFFFF;

// Image filters: exactly one of the first five, optionally with DITHER.
constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;
constexpr DWORD D3DX_FILTER_MIRROR_U = 0x10000;
constexpr DWORD D3DX_FILTER_MIRROR_V = 0x20000;
constexpr DWORD D3DX_FILTER_MIRROR_W = 0x40000;
constexpr DWORD D3DX_FILTER_MIRROR = 0x70000;
constexpr DWORD D3DX_FILTER_DITHER = 0x80000;

// MAKE_DDHRESULT(2905): facility 0x876, code 2905.
constexpr HRESULT D3DXERR_INVALIDDATA = MakeHResult(0x88760B59);
