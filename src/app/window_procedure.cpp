#include <cstdlib>

#include "app/demo.h"
#include "app/timeline.h"
#include "platform/win32/win32.h"

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if (g_render == nullptr) {
            return 0;
        }
        if (g_timeline.ended) {
            ShutdownDemo();
            DestroyWindow(window);
            return DefWindowProcA(window, message, wParam, lParam);
        }
        RenderFrame();
        return 0;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE || wParam == VK_F12) {
            ShutdownDemo();
            DestroyWindow(window);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETCURSOR:
        return 1;
    case WM_ACTIVATE:
        g_windowActive = HIWORD(wParam) == 0 ? 1 : 0;
        return 0;
    case WM_ACTIVATEAPP:
        g_windowActive = static_cast<int>(wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        std::exit(0);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
