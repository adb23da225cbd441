#include "platform/win32/window_handle.h"

#include <map>

namespace {

std::map<HWND, SDL_Window*>& Windows()
{
    static std::map<HWND, SDL_Window*> windows;
    return windows;
}

} // namespace

HWND HandleFromSdlWindow(SDL_Window* window)
{
    HWND handle = reinterpret_cast<HWND>(window);
    Windows()[handle] = window;
    return handle;
}

SDL_Window* SdlWindowFromHandle(HWND window)
{
    auto found = Windows().find(window);
    return found == Windows().end() ? nullptr : found->second;
}

void ForgetWindowHandle(HWND window)
{
    Windows().erase(window);
}
