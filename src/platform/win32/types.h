#pragma once
// The basic Win32 and COM types the system is written against. Sizes follow
// the Windows ABI (LONG and DWORD are 32 bits wide).

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using BOOL = std::int32_t;
using FLOAT = float;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

using LPVOID = void*;
using LPCSTR = const char*;
using LPSTR = char*;

struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HMENU__;
using HMENU = HMENU__*;
using HGDIOBJ = void*;
using ATOM = WORD;

struct POINT {
    LONG x, y;
};

struct RECT {
    LONG left, top, right, bottom;
};

// Macros, as in Windows, so that other headers defining them agree.
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

constexpr bool SUCCEEDED(HRESULT result) { return result >= 0; }
constexpr bool FAILED(HRESULT result) { return result < 0; }

// Builds an HRESULT from its unsigned 32-bit spelling (0x8876086C, ...).
constexpr HRESULT MakeHResult(std::uint32_t code) { return static_cast<HRESULT>(code); }
