// Real windows on SDL's offscreen video driver, with the events a window
// manager would send pushed into SDL's queue.

#include <SDL.h>

#include <cstdlib>
#include <tuple>

#include "platform/win32/window_handle.h"
#include "win32/recorded_messages.h"

namespace {

// The show's window-active flag: WM_ACTIVATE sets it unless minimised,
// WM_ACTIVATEAPP sets it to wParam.
int g_active = -1;
LRESULT ActivationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE) g_active = HIWORD(wParam) == 0 ? 1 : 0;
    if (message == WM_ACTIVATEAPP) g_active = static_cast<int>(wParam);
    return RecordingProcedure(window, message, wParam, lParam);
}

class SdlWindow : public WindowTest {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        UseHeadlessWindows(false);
        RegisterClassOnce("Activation", ActivationProcedure);
        window = Open("Activation");
        ASSERT_NE(window, nullptr);
        sdlWindow = SdlWindowFromHandle(window);
        ASSERT_NE(sdlWindow, nullptr);
        g_received.clear();
    }

    void PushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0) const
    {
        SDL_Event event{};
        event.key.type = type;
        event.key.windowID = SDL_GetWindowID(sdlWindow);
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        event.key.keysym.mod = modifiers;
        SDL_PushEvent(&event);
    }

    void PushWindowEvent(Uint8 what) const
    {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(sdlWindow);
        event.window.event = what;
        SDL_PushEvent(&event);
    }

    HWND window = nullptr;
    SDL_Window* sdlWindow = nullptr;
};

} // namespace

TEST_F(SdlWindow, IsAHiddenResizableGlWindowWithTheGivenGeometryUntilShown)
{
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_EQ(flags & (SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE),
              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(sdlWindow, &x, &y);
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ((std::vector<int>{x, y, width, height}), (std::vector<int>{192, 144, 645, 485}));
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_SHOWN, 0u);
    SetCursor(nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    DestroyWindow(window);
    EXPECT_EQ(SdlWindowFromHandle(window), nullptr);
}

TEST_F(SdlWindow, KeysArriveWithVirtualKeyCodes)
{
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    PushKey(SDL_KEYUP, SDLK_F12);
    PushKey(SDL_KEYDOWN, SDLK_q);
    PushKey(SDL_KEYDOWN, SDLK_q, KMOD_NONE, 1);
    PushKey(SDL_KEYDOWN, SDLK_7);
    PushKey(SDL_KEYDOWN, SDLK_RSHIFT, KMOD_RSHIFT);
    PushKey(SDL_KEYDOWN, SDLK_KP_3);
    PushKey(SDL_KEYDOWN, SDLK_AUDIONEXT); // no virtual key: no message
    PushKey(SDL_KEYDOWN, SDLK_F4, KMOD_LALT);
    PushKey(SDL_KEYUP, SDLK_ESCAPE, KMOD_RALT | KMOD_LCTRL); // AltGr is no Alt
    std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>> keys;
    for (const MSG& m : Queued()) keys.emplace_back(m.hwnd, m.message, m.wParam, m.lParam);
    const LPARAM up = KeyReleased | KeyWasDown | 1;
    EXPECT_EQ(keys, (std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>>{
                        {window, WM_KEYUP, VK_ESCAPE, up},
                        {window, WM_KEYUP, VK_F12, up},
                        {window, WM_KEYDOWN, 'Q', 1},
                        {window, WM_KEYDOWN, 'Q', KeyWasDown | 1},
                        {window, WM_KEYDOWN, '7', 1},
                        {window, WM_KEYDOWN, VK_SHIFT, 1},
                        {window, WM_KEYDOWN, VK_NUMPAD0 + 3, 1},
                        {window, WM_SYSKEYDOWN, VK_F4, KeyAltHeld | 1},
                        {window, WM_KEYUP, VK_ESCAPE, up}}));
}

// Deactivation must leave the show's flag at 0 and activation at 1, which
// depends on the order of the two messages.
TEST_F(SdlWindow, FocusChangesDeactivateAndActivateTheWindow)
{
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    for (const MSG& message : Queued()) DispatchMessageA(&message);
    ASSERT_EQ(MessagesOf(g_received), (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP}));
    EXPECT_EQ(g_received[0].wParam, WPARAM(WA_INACTIVE));
    EXPECT_EQ(g_active, 0);

    g_received.clear();
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    for (const MSG& message : Queued()) DispatchMessageA(&message);
    ASSERT_EQ(MessagesOf(g_received), (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATE}));
    EXPECT_EQ(g_received[1].wParam, WPARAM(WA_ACTIVE));
    EXPECT_EQ(g_active, 1);
}

TEST_F(SdlWindow, ClosingTheWindowReachesWmDestroyOnce)
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT; // SDL adds it when the last window closes
    SDL_PushEvent(&quit);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) != 0) DispatchMessageA(&message);
    EXPECT_EQ(MessagesOf(g_received), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(SdlWindowFromHandle(window), nullptr);
}
