#pragma once
// Window messages, the message queue and virtual-key codes.
//
// One queue for the process (the show has one thread). What Windows sends
// straight to a procedure while GetMessage runs (WM_ACTIVATE, WM_SETCURSOR,
// ...) is queued here like everything else; a loop that dispatches every
// message it gets cannot tell the difference.

#include "platform/win32/types.h"

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_MOUSEMOVE = 0x0200;

// WM_ACTIVATE: the low word of wParam.
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;

// WM_SETCURSOR: the hit-test code in the low word of lParam.
constexpr WORD HTCLIENT = 1;

// Bits of a key message's lParam (bits 0-15 are the repeat count, 1 here;
// the scan code in bits 16-23 is left 0).
constexpr LPARAM KeyAltHeld = LPARAM(1) << 29;
constexpr LPARAM KeyWasDown = LPARAM(1) << 30;
constexpr LPARAM KeyReleased = LPARAM(1) << 31;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes
// ('A' 0x41 .. 'Z' 0x5A, '0' 0x30 .. '9' 0x39) and have no names.
constexpr WPARAM VK_BACK = 0x08;
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_MENU = 0x12;
constexpr WPARAM VK_PAUSE = 0x13;
constexpr WPARAM VK_CAPITAL = 0x14;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;
constexpr WPARAM VK_NEXT = 0x22;
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
constexpr WPARAM VK_SNAPSHOT = 0x2C;
constexpr WPARAM VK_INSERT = 0x2D;
constexpr WPARAM VK_DELETE = 0x2E;
constexpr WPARAM VK_LWIN = 0x5B;
constexpr WPARAM VK_RWIN = 0x5C;
constexpr WPARAM VK_APPS = 0x5D;
constexpr WPARAM VK_NUMPAD0 = 0x60; // .. VK_NUMPAD9 0x69
constexpr WPARAM VK_MULTIPLY = 0x6A;
constexpr WPARAM VK_ADD = 0x6B;
constexpr WPARAM VK_SUBTRACT = 0x6D;
constexpr WPARAM VK_DECIMAL = 0x6E;
constexpr WPARAM VK_DIVIDE = 0x6F;
constexpr WPARAM VK_F1 = 0x70;
constexpr WPARAM VK_F4 = 0x73;
constexpr WPARAM VK_F10 = 0x79;
constexpr WPARAM VK_F12 = 0x7B; // VK_F1 .. VK_F24 run on without gaps to 0x87
constexpr WPARAM VK_NUMLOCK = 0x90;
constexpr WPARAM VK_SCROLL = 0x91;
// The punctuation keys, named after their place on a US keyboard.
constexpr WPARAM VK_OEM_1 = 0xBA;      // ;:
constexpr WPARAM VK_OEM_PLUS = 0xBB;   // =+
constexpr WPARAM VK_OEM_COMMA = 0xBC;  // ,<
constexpr WPARAM VK_OEM_MINUS = 0xBD;  // -_
constexpr WPARAM VK_OEM_PERIOD = 0xBE; // .>
constexpr WPARAM VK_OEM_2 = 0xBF;      // /?
constexpr WPARAM VK_OEM_3 = 0xC0;      // `~
constexpr WPARAM VK_OEM_4 = 0xDB;      // [{
constexpr WPARAM VK_OEM_5 = 0xDC;      // \|
constexpr WPARAM VK_OEM_6 = 0xDD;      // ]}
constexpr WPARAM VK_OEM_7 = 0xDE;      // '"

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr DWORD MAKELONG(WORD low, WORD high) { return DWORD(low) | (DWORD(high) << 16); }

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // Not tracked: always 0. Reading the clock for them could disturb a
    // virtual clock that the capture tool steps on each reading.
    DWORD time;
    POINT pt;
};

// Pumps the SDL events of the real windows into the queue, then returns the
// first queued message; with an empty queue, WM_PAINT for the oldest window
// (no window here is ever validated, so one always needs painting). Returns 0
// when it takes WM_QUIT (its wParam is the exit code), else TRUE; -1 for a
// null message.
// With no window left and nothing queued nothing can ever arrive, so instead
// of blocking for good it returns 0 with a WM_QUIT of exit code 0.
// The window and range filters are not supported: every message matches.
BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax);

// Makes no WM_CHAR (nothing here reads characters). As in Windows, the result
// is nonzero for the four key messages and FALSE for the others.
BOOL TranslateMessage(const MSG* message);

// Calls the procedure of the message's window and returns its result; 0 for
// WM_QUIT and for windows that no longer exist.
LRESULT DispatchMessageA(const MSG* message);

// Appends to the queue. A null window makes a message for the loop itself;
// a window that does not exist makes the call fail.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Appends WM_QUIT with the exit code.
void PostQuitMessage(int exitCode);
