#include "platform/win32/message_box.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

namespace {

bool DisplayExists()
{
#ifdef __EMSCRIPTEN__
    return true; // the page, where SDL shows the box as an alert
#else
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
#endif
}

Uint32 SdlFlags(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

} // namespace

INT MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    const char* shownText = text != nullptr ? text : "";
    const char* shownCaption = caption != nullptr ? caption : "Error";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
    if (DisplayExists()) {
        SDL_ShowSimpleMessageBox(SdlFlags(type), shownCaption, shownText, nullptr);
    }
    return IDOK;
}
