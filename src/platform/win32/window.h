#pragma once
// Windows, their class and their procedure, over SDL2. A window is an SDL
// window; in headless mode (the capture tool) it is a handle with no window
// behind it, which still receives its messages.

#include "platform/win32/messages.h"
#include "platform/win32/types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;

constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWDEFAULT = 10;

constexpr int BLACK_BRUSH = 4;

// Resource identifiers passed as names, as MAKEINTRESOURCE does.
inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);

// Keeps the class under its name (compared without regard to case, as
// Windows does) and returns a nonzero atom; 0 when the name is taken or
// missing. Windows are made by class name only.
ATOM RegisterClassA(const WNDCLASSA* windowClass);

// Null for a class that was never registered. The procedure gets WM_CREATE
// (lParam 0: there is no CREATESTRUCT here) before the call returns; -1 from
// it destroys the window and fails the call.
// A real window is an OpenGL-capable SDL window, hidden until ShowWindow
// (or WS_VISIBLE), resizable with WS_THICKFRAME, borderless with WS_POPUP.
// Its client area gets the size and position given: Linux window managers
// draw their frames outside the client area, and the 640x480 picture the
// show asks 645x485 for is fitted to the client area by the device anyway.
// SDL video starts with the first real window. Without a display (neither
// DISPLAY nor WAYLAND_DISPLAY set and no SDL_VIDEODRIVER chosen, SDL failing
// to start, or SDL falling back to its invisible offscreen driver unasked)
// one line on standard error says so and the result is null.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);

// SW_HIDE hides, every other command shows. Nonzero when the window was
// visible before. No activation messages: those come from the window
// manager's focus events.
BOOL ShowWindow(HWND window, int command);

// Sends WM_PAINT to the procedure at once when the window is visible (a
// shown window that was never validated has a non-empty update region).
BOOL UpdateWindow(HWND window);

// Raises the window; returns the window that had the focus before.
HWND SetFocus(HWND window);

// Sends WM_DESTROY to the procedure, then closes the SDL window and drops the
// messages still queued for it.
BOOL DestroyWindow(HWND window);

// The caption of a real window; a headless window keeps the text.
BOOL SetWindowTextA(HWND window, LPCSTR text);

// WM_CLOSE destroys the window; Alt+F4 (WM_SYSKEYDOWN) sends WM_CLOSE; every
// other message is left alone and gives 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The executable has no resources here: an icon or cursor of an instance is
// null. System icons and cursors (null instance) are opaque handles; every
// system cursor shows as SDL's arrow.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// Null hides the cursor, anything else shows it. Returns the previous cursor
// (the arrow at first).
HCURSOR SetCursor(HCURSOR cursor);

// An opaque handle for each stock object (0 to 19), null for other numbers.
HGDIOBJ GetStockObject(int object);

// Windows made from now on have no SDL window behind them (the capture tool
// renders without a display); SDL video is never started for them.
void UseHeadlessWindows(bool headless);
bool HeadlessWindows();
