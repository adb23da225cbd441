#pragma once
// The Windows GDI subset the system calls: a memory DC, a 32-bit DIB section
// to draw into, a font, and text measured and drawn in that font. Glyphs are
// rasterised anti-aliased by FreeType from the face fontconfig picks for the
// font's name ("Arial" resolves to Liberation Sans).
//
//   HDC dc = CreateCompatibleDC(nullptr);
//   HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
//   HFONT font = CreateFontA(-43, 0, 0, 0, FW_BOLD, FALSE, ..., "Arial");
//   SelectObject(dc, bitmap);
//   SelectObject(dc, font);
//   ExtTextOutA(dc, 0, 0, ETO_OPAQUE, nullptr, "A", 1, nullptr);
//
// Handles are checked: a call with a handle that is not a live object of the
// right kind fails the way Windows reports it, and never crashes.

#include "platform/win32/types.h"

struct HDC__;
using HDC = HDC__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HFONT__;
using HFONT = HFONT__*;
using HANDLE = void*;

// 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}

struct SIZE {
    LONG cx, cy;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; // negative: the rows run top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

constexpr int MM_TEXT = 1;

// GetDeviceCaps indices.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// CreateFontA arguments.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD ANTIALIASED_QUALITY = 4;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD VARIABLE_PITCH = 2;
constexpr int LF_FACESIZE = 32;

// Text alignment and ExtTextOutA options.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
inline const HGDIOBJ HGDI_ERROR = reinterpret_cast<HGDIOBJ>(~std::uintptr_t{0});

// Device contexts. A new memory DC holds the stock 1x1 bitmap and the stock
// font; SelectObject returns what it replaces, so the caller can put it back.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int SetMapMode(HDC dc, int mode);
int GetDeviceCaps(HDC dc, int index);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
UINT SetTextAlign(HDC dc, UINT align);

// Bitmaps and fonts. DeleteObject refuses an object that is still selected
// into a DC.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName);
BOOL DeleteObject(HGDIOBJ object);

// Text in the DC's font. The extent is the sum of the characters' advance
// widths by the font's cell height.
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size);
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx);

// number x numerator / denominator in 64 bits, rounded to the nearest
// integer; -1 when the denominator is 0 or the result overflows.
int MulDiv(int number, int numerator, int denominator);
