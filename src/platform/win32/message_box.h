#pragma once
// MessageBoxA: a modal message box. Where a display exists it is an SDL
// message box; the text always goes to standard error as one line too, so a
// headless run still tells the user what happened.

#include "platform/win32/types.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONINFORMATION = 0x00000040;

constexpr INT IDOK = 1;

// Returns IDOK once the box is dismissed (or at once when no box can be shown).
INT MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
