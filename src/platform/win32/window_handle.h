#pragma once
// Window handles and the SDL windows behind them. A handle made for the
// headless show has no SDL window.

#include "platform/win32/types.h"

struct SDL_Window;

HWND HandleFromSdlWindow(SDL_Window* window);
SDL_Window* SdlWindowFromHandle(HWND window);
void ForgetWindowHandle(HWND window);
