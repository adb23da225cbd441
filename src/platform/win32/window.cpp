#include "platform/win32/window.h"

#include <SDL.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/window_handle.h"
#include "platform/win32/window_registry.h"

namespace {

struct WindowClass {
    std::string name;
    WNDPROC procedure;
};

struct Window {
    HWND handle = nullptr;
    WNDPROC procedure = nullptr;
    SDL_Window* sdlWindow = nullptr; // null for a headless window
    std::string title;
    bool visible = false;
    bool destroying = false;
};

// Opaque handles: only their addresses mean anything.
struct HandleToken {
    char unused;
};
HandleToken systemCursor;
HandleToken systemIcon;
constexpr int stockObjectCount = 20;
HandleToken stockObjects[stockObjectCount];

HCURSOR SystemCursor() { return reinterpret_cast<HCURSOR>(&systemCursor); }

struct Windowing {
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<Window>> windows; // oldest first
    ATOM nextAtom = 0xC000;                       // where Windows numbers registered classes
    bool headless = false;
    bool videoStarted = false;
    HWND focus = nullptr;
    HCURSOR cursor = SystemCursor();
};

Windowing& State()
{
    static Windowing state;
    return state;
}

Window* Find(HWND handle)
{
    if (handle == nullptr) return nullptr;
    for (const auto& window : State().windows) {
        if (window->handle == handle) return window.get();
    }
    return nullptr;
}

// Resource-style names (MAKEINTATOM) find nothing.
const WindowClass* FindClass(LPCSTR name)
{
    if (name == nullptr || reinterpret_cast<std::uintptr_t>(name) <= 0xFFFF) return nullptr;
    for (const WindowClass& windowClass : State().classes) {
        if (strcasecmp(windowClass.name.c_str(), name) == 0) return &windowClass;
    }
    return nullptr;
}

void ReportNoDisplay(const std::string& reason)
{
    std::fprintf(stderr, "rewind: no display to open a window on (%s); render without one with rewind-capture\n",
                 reason.c_str());
    std::fflush(stderr);
}

bool DisplayNamed()
{
#ifdef __EMSCRIPTEN__
    return true; // the page's canvas
#else
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
#endif
}

// The show leaves through exit() from inside its WM_DESTROY, with its window
// still open; closing SDL video on the way out gives the desktop back the
// display mode a full-screen window may have changed.
void StopVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

// SDL tries every driver it has and, when none finds a display, settles on
// its invisible offscreen one. That counts as no display unless it was asked
// for (SDL_VIDEODRIVER, as the tests do). Without DISPLAY or WAYLAND_DISPLAY
// SDL is not even asked, which also keeps the Wayland client library from
// printing complaints of its own.
bool StartVideo()
{
    Windowing& state = State();
    if (state.videoStarted) return true;
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER); // also reads SDL_VIDEODRIVER
    const bool driverRequested = requested != nullptr && requested[0] != '\0';
    if (!driverRequested && !DisplayNamed()) {
        ReportNoDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
        return false;
    }
#ifdef __EMSCRIPTEN__
    // SDL built for ASYNCIFY gives control to the browser inside every
    // buffer swap; the page waits for animation frames in GetMessageA
    // instead, and a frame must still be on the canvas when it is read back.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
#endif
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportNoDisplay(std::string("SDL: ") + SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driverRequested && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportNoDisplay(std::string("SDL found none, only its invisible ") + driver + " driver");
        return false;
    }
    state.videoStarted = true;
    std::atexit(StopVideo);
    SDL_ShowCursor(state.cursor != nullptr ? SDL_ENABLE : SDL_DISABLE);
    return true;
}

SDL_Window* OpenSdlWindow(const std::string& title, DWORD style, int x, int y, int width, int height)
{
    if (!StartVideo()) return nullptr;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((style & WS_THICKFRAME) != 0) flags |= SDL_WINDOW_RESIZABLE;
    if ((style & WS_POPUP) != 0) flags |= SDL_WINDOW_BORDERLESS;
#ifdef __EMSCRIPTEN__
    // The canvas then gets the page's device pixels, not its CSS pixels.
    flags |= SDL_WINDOW_ALLOW_HIGHDPI;
#endif
    SDL_Window* window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (window == nullptr) {
        std::fprintf(stderr, "rewind: cannot open a window (SDL: %s)\n", SDL_GetError());
        std::fflush(stderr);
    }
    return window;
}

} // namespace

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr) return 0;
    const LPCSTR name = windowClass->lpszClassName;
    if (name == nullptr || reinterpret_cast<std::uintptr_t>(name) <= 0xFFFF || FindClass(name) != nullptr) return 0;
    Windowing& state = State();
    state.classes.push_back(WindowClass{name, windowClass->lpfnWndProc});
    return state.nextAtom++;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height, HWND,
                     HMENU, HINSTANCE, LPVOID)
{
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) return nullptr;
    auto window = std::make_unique<Window>();
    window->procedure = windowClass->procedure;
    window->title = title != nullptr ? title : "";
    if (State().headless) {
        window->handle = reinterpret_cast<HWND>(window.get());
    } else {
        window->sdlWindow = OpenSdlWindow(window->title, style, x, y, width, height);
        if (window->sdlWindow == nullptr) return nullptr;
        window->handle = HandleFromSdlWindow(window->sdlWindow);
    }
    const HWND handle = window->handle;
    State().windows.push_back(std::move(window));

    // As in Windows, -1 from WM_CREATE destroys the window and fails the call.
    if (SendToWindow(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if ((style & WS_VISIBLE) != 0) ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL ShowWindow(HWND handle, int command)
{
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    const bool wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    if (window->sdlWindow != nullptr) {
        if (window->visible) {
            SDL_ShowWindow(window->sdlWindow);
        } else {
            SDL_HideWindow(window->sdlWindow);
        }
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND handle)
{
    const Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    if (window->visible) SendToWindow(handle, WM_PAINT, 0, 0);
    return TRUE;
}

HWND SetFocus(HWND handle)
{
    const Window* window = Find(handle);
    if (handle != nullptr && window == nullptr) return nullptr;
    const HWND previous = State().focus;
    State().focus = handle;
    if (window != nullptr && window->sdlWindow != nullptr) SDL_RaiseWindow(window->sdlWindow);
    return previous;
}

BOOL DestroyWindow(HWND handle)
{
    Window* window = Find(handle);
    if (window == nullptr || window->destroying) return FALSE;
    window->destroying = true;
    SendToWindow(handle, WM_DESTROY, 0, 0);
    DropQueuedMessages(handle);

    // Looked up again: the procedure may have made or destroyed other windows.
    Windowing& state = State();
    const auto found = std::find_if(state.windows.begin(), state.windows.end(),
                                    [handle](const auto& each) { return each->handle == handle; });
    SDL_Window* sdlWindow = (*found)->sdlWindow;
    state.windows.erase(found);
    if (state.focus == handle) state.focus = nullptr;
    if (sdlWindow != nullptr) {
        ForgetWindowHandle(handle);
        SDL_DestroyWindow(sdlWindow);
    }
    return TRUE;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text)
{
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    window->title = text != nullptr ? text : "";
    if (window->sdlWindow != nullptr) SDL_SetWindowTitle(window->sdlWindow, window->title.c_str());
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSKEYDOWN:
        // Windows goes through WM_SYSCOMMAND SC_CLOSE, whose default is WM_CLOSE.
        if (wParam == VK_F4 && (lParam & KeyAltHeld) != 0) SendToWindow(window, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

HICON LoadIconA(HINSTANCE instance, LPCSTR)
{
    return instance == nullptr ? reinterpret_cast<HICON>(&systemIcon) : nullptr;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR)
{
    return instance == nullptr ? SystemCursor() : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    Windowing& state = State();
    const HCURSOR previous = state.cursor;
    state.cursor = cursor;
    if (state.videoStarted) SDL_ShowCursor(cursor != nullptr ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

HGDIOBJ GetStockObject(int object)
{
    return object >= 0 && object < stockObjectCount ? &stockObjects[object] : nullptr;
}

void UseHeadlessWindows(bool headless) { State().headless = headless; }

bool HeadlessWindows() { return State().headless; }

LRESULT SendToWindow(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* window = Find(handle);
    if (window == nullptr) return 0;
    const WNDPROC procedure = window->procedure;
    return procedure(handle, message, wParam, lParam);
}

bool WindowExists(HWND handle) { return Find(handle) != nullptr; }

HWND OldestWindow()
{
    for (const auto& window : State().windows) {
        if (!window->destroying) return window->handle;
    }
    return nullptr;
}

HWND WindowFromSdlId(std::uint32_t id)
{
    for (const auto& window : State().windows) {
        if (window->sdlWindow != nullptr && SDL_GetWindowID(window->sdlWindow) == id) return window->handle;
    }
    return nullptr;
}

std::vector<HWND> SdlBackedWindows()
{
    std::vector<HWND> handles;
    for (const auto& window : State().windows) {
        if (window->sdlWindow != nullptr) handles.push_back(window->handle);
    }
    return handles;
}

bool SdlVideoStarted() { return State().videoStarted; }

void NoteKeyboardFocus(HWND window, bool gained)
{
    Windowing& state = State();
    if (gained) {
        state.focus = window;
    } else if (state.focus == window) {
        state.focus = nullptr;
    }
}
