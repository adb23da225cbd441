// SDL events as the window messages Windows would have made of them.

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/win32/messages.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/window_registry.h"

namespace {

// The virtual-key code of a key, 0 for keys that have none here (those make
// no message). Letters follow the keyboard layout, as on Windows.
WPARAM VirtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<WPARAM>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WPARAM>(key);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<WPARAM>(key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return VK_F12 + 1 + static_cast<WPARAM>(key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<WPARAM>(key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    // Key messages name the modifier, not its side.
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
    }
}

void PostKey(const SDL_KeyboardEvent& key)
{
    const HWND window = WindowFromSdlId(key.windowID);
    const WPARAM virtualKey = VirtualKey(key.keysym.sym);
    if (window == nullptr || virtualKey == 0) return;
    const bool released = key.type == SDL_KEYUP;
    // Keys struck while Alt is held, and F10, make system key messages; AltGr
    // (Ctrl+Alt) makes ordinary ones.
    const bool altHeld = (key.keysym.mod & KMOD_ALT) != 0 && (key.keysym.mod & KMOD_CTRL) == 0;
    const bool system = altHeld || virtualKey == VK_F10;
    LPARAM lParam = 1;
    if (altHeld) lParam |= KeyAltHeld;
    if (released || key.repeat != 0) lParam |= KeyWasDown;
    if (released) lParam |= KeyReleased;
    const UINT message = released ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
    PostMessageA(window, message, virtualKey, lParam);
}

// The order is the one Windows sends: the application switch is announced
// before its window is activated, and after its window is deactivated.
void PostActivation(HWND window, bool active)
{
    SDL_Window* sdlWindow = SdlWindowFromHandle(window);
    const WORD minimised = sdlWindow != nullptr && (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_MINIMIZED) != 0;
    if (active) {
        PostMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
        PostMessageA(window, WM_ACTIVATE, MAKELONG(WA_ACTIVE, minimised), 0);
    } else {
        PostMessageA(window, WM_ACTIVATE, MAKELONG(WA_INACTIVE, minimised), 0);
        PostMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
    }
    NoteKeyboardFocus(window, active);
}

// What one pump has already said to each window: the mouse moving makes one
// WM_SETCURSOR, and a close request one WM_CLOSE, however many events came.
struct PumpRecord {
    std::vector<HWND> cursorSet;
    std::vector<HWND> closeRequested;

    static bool Once(std::vector<HWND>& done, HWND window)
    {
        if (window == nullptr || std::find(done.begin(), done.end(), window) != done.end()) return false;
        done.push_back(window);
        return true;
    }
};

void RequestClose(PumpRecord& pump, HWND window)
{
    if (PumpRecord::Once(pump.closeRequested, window)) PostMessageA(window, WM_CLOSE, 0, 0);
}

void Translate(const SDL_Event& event, PumpRecord& pump)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        PostKey(event.key);
        break;
    case SDL_MOUSEMOTION: {
        const HWND window = WindowFromSdlId(event.motion.windowID);
        if (PumpRecord::Once(pump.cursorSet, window)) {
            PostMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
        }
        break;
    }
    case SDL_WINDOWEVENT: {
        const HWND window = WindowFromSdlId(event.window.windowID);
        if (window == nullptr) break;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) PostActivation(window, true);
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) PostActivation(window, false);
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) RequestClose(pump, window);
        break;
    }
    // The last window closed, or Ctrl+C in the terminal: every window is asked to close.
    case SDL_QUIT:
        for (HWND window : SdlBackedWindows()) RequestClose(pump, window);
        break;
    default:
        break;
    }
}

} // namespace

void PumpSdlEvents()
{
    if (!SdlVideoStarted()) return;
    PumpRecord pump;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) Translate(event, pump);
}
