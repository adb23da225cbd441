// The show's own window procedure, called as Windows would call it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/demo.h"
#include "platform/win32/win32.h"

namespace {

// A headless window of the show's class, in a child process of a death test.
HWND OpenShowWindow()
{
    UseHeadlessWindows(true);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WndProc;
    windowClass.lpszClassName = "cRender";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "cRender", "cRender", WS_OVERLAPPEDWINDOW, 192, 144, 645, 485, nullptr, nullptr,
                           nullptr, nullptr);
}

// Sends `message` to a fresh show window, then leaves with code 3 if the
// procedure returned.
void SendThenLeave(UINT message, WPARAM key)
{
    const HWND window = OpenShowWindow();
    if (window == nullptr) std::exit(2);
    WndProc(window, message, key, 0);
    std::exit(3);
}

} // namespace

// WM_ACTIVATE stores 1 unless the high word (minimised) is set, even for a
// deactivation; WM_ACTIVATEAPP stores its wParam.
TEST(WindowProcedure, ActivationMessagesSetTheActiveFlag)
{
    ASSERT_EQ(g_render, nullptr);
    g_windowActive = 0;
    EXPECT_EQ(WndProc(nullptr, WM_ACTIVATE, MAKELONG(WA_ACTIVE, 0), 0), 0);
    EXPECT_EQ(g_windowActive, 1);
    EXPECT_EQ(WndProc(nullptr, WM_ACTIVATE, MAKELONG(WA_ACTIVE, 1), 0), 0);
    EXPECT_EQ(g_windowActive, 0);
    WndProc(nullptr, WM_ACTIVATE, MAKELONG(WA_INACTIVE, 0), 0);
    EXPECT_EQ(g_windowActive, 1);
    WndProc(nullptr, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(g_windowActive, 0);
    WndProc(nullptr, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(g_windowActive, 1);
    g_windowActive = 0;
}

TEST(WindowProcedure, KeepsTheCursorHiddenAndPaintsNothingBeforeTheRenderer)
{
    ASSERT_EQ(g_render, nullptr);
    EXPECT_EQ(WndProc(nullptr, WM_SETCURSOR, 0, 0), 1);
    EXPECT_EQ(WndProc(nullptr, WM_PAINT, 0, 0), 0);
}

// Releasing Escape or F12 destroys the window, whose WM_DESTROY ends the
// process with code 0; pressing them, or releasing another key, does not.
TEST(WindowProcedure, ReleasingEscapeOrF12EndsTheShowWithExitCodeZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(SendThenLeave(WM_KEYUP, VK_ESCAPE), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(SendThenLeave(WM_KEYUP, VK_F12), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(SendThenLeave(WM_KEYDOWN, VK_ESCAPE), testing::ExitedWithCode(3), "");
    EXPECT_EXIT(SendThenLeave(WM_KEYDOWN, VK_F12), testing::ExitedWithCode(3), "");
    EXPECT_EXIT(SendThenLeave(WM_KEYUP, VK_SPACE), testing::ExitedWithCode(3), "");
}
