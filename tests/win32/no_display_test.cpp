// Where no window can open, one line on standard error says so and points to
// the capture tool; headless windows need no display at all. Each case runs
// in a fresh process, since SDL video starts once per process.

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/win32/window_handle.h"
#include "win32/recorded_messages.h"

namespace {

// The child's standard error must hold the one line and nothing else: the
// leak checker, where it runs, keeps its list of used suppressions to itself.
void RunInAFreshProcess()
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* options = std::getenv("LSAN_OPTIONS");
    const std::string kept = options != nullptr ? std::string(options) + ":" : "";
    setenv("LSAN_OPTIONS", (kept + "print_suppressions=0").c_str(), 1);
}

std::string OnlyTheLine(const std::string& reason)
{
    return "^rewind: no display to open a window on \\(" + reason + "\\); render without one with rewind-capture\n$";
}

void ForgetTheDisplay()
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
}

} // namespace

TEST(NoDisplayDeathTest, WindowCreationFailsWithOneLineWithoutADisplay)
{
    RunInAFreshProcess();
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            std::exit(OpenShowWindow() == nullptr && SDL_WasInit(SDL_INIT_VIDEO) == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), OnlyTheLine("neither DISPLAY nor WAYLAND_DISPLAY is set"));
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            setenv("SDL_VIDEODRIVER", "x11", 1);
            std::exit(OpenShowWindow() == nullptr ? 0 : 1);
        },
        testing::ExitedWithCode(0), OnlyTheLine("SDL: [^\n]+"));
    // When no other driver starts, SDL settles on its invisible offscreen
    // one: a window nobody can see must not pass for a display.
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            setenv("DISPLAY", ":4321", 1);        // no server there
            setenv("XDG_RUNTIME_DIR", "/tmp", 1); // no Wayland socket, and no complaint about it
            std::exit(OpenShowWindow() == nullptr && SDL_WasInit(SDL_INIT_VIDEO) == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), OnlyTheLine("SDL found none, only its invisible offscreen driver"));
}

TEST(NoDisplayDeathTest, HeadlessWindowsLeaveSdlVideoAlone)
{
    RunInAFreshProcess();
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            UseHeadlessWindows(true);
            const HWND window = OpenShowWindow();
            SetCursor(nullptr);
            MSG message;
            const bool painted = GetMessageA(&message, nullptr, 0, 0) == TRUE && message.hwnd == window;
            const bool alone = SdlWindowFromHandle(window) == nullptr && SDL_WasInit(SDL_INIT_VIDEO) == 0;
            std::exit(window != nullptr && painted && alone ? 0 : 1);
        },
        testing::ExitedWithCode(0), "^$");
}
