#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/d3d8/device.h"
#include "platform/d3d8/gl.h"
#include "platform/d3d8/memory_tuning.h"
#include "platform/d3d8/presentation.h"
#include "platform/d3d8/texture.h"
#include "platform/win32/window_handle.h"

namespace {

class Direct3D final : public RefCounted<IDirect3D8> {
public:
    UINT GetAdapterCount() override { return 1; }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override;

private:
};

// The desktop's mode where SDL knows a display; 640x480 otherwise.
HRESULT Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode)
{
    if (mode == nullptr || adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    *mode = {640, 480, 60, D3DFMT_X8R8G8B8};
    SDL_DisplayMode desktop;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        mode->Width = static_cast<UINT>(desktop.w);
        mode->Height = static_cast<UINT>(desktop.h);
        mode->RefreshRate = static_cast<UINT>(desktop.refresh_rate);
    }
    return D3D_OK;
}

HRESULT Direct3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps)
{
    if (caps == nullptr || adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    *caps = {};
    caps->DeviceType = type;
    caps->AdapterOrdinal = adapter;
    caps->TextureCaps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_MIPMAP;
    caps->MaxTextureWidth = caps->MaxTextureHeight = Texture::maxSize;
    caps->MaxTextureBlendStages = caps->MaxSimultaneousTextures = D3D_STAGE_COUNT;
    caps->MaxActiveLights = 8;
    caps->MaxVertexBlendMatrices = 4;
    caps->MaxVertexBlendMatrixIndex = 255;
    caps->MaxPointSize = 64.0f;
    caps->MaxPrimitiveCount = 0xFFFFF;
    caps->MaxVertexIndex = 0xFFFFFF;
    caps->MaxStreams = D3D_STREAM_COUNT;
    caps->MaxStreamStride = 255;
    return D3D_OK;
}

// Full screen takes the desktop's size: the window may not have been resized
// yet when the device is made.
int WindowRenderScale(SDL_Window* window, bool fullScreen)
{
    int width = 0;
    int height = 0;
    SDL_DisplayMode desktop{};
    if (fullScreen && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
        width = desktop.w;
        height = desktop.h;
    } else {
        SDL_GL_GetDrawableSize(window, &width, &height);
    }
    const char* requested = std::getenv("REWIND_SCALE");
    const int scale = ScaleForWindow(width, height, requested);
    // A renderer without graphics hardware fills large pictures slowly: say
    // how to trade sharpness for frames, once, and carry on.
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (scale > 1 && requested == nullptr && renderer != nullptr &&
        (std::strstr(renderer, "llvmpipe") != nullptr || std::strstr(renderer, "softpipe") != nullptr)) {
        std::fprintf(stderr,
                     "rewind: rendering %dx%d on %s, without graphics hardware; REWIND_SCALE=1 renders 640x480, "
                     "faster\n",
                     640 * scale, 480 * scale, renderer);
    }
    return scale;
}

HRESULT Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device)
{
    if (device == nullptr || parameters == nullptr || adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (parameters->BackBufferWidth > Texture::maxSize || parameters->BackBufferHeight > Texture::maxSize) {
        return D3DERR_INVALIDCALL;
    }
    std::string error;
    SDL_Window* window = SdlWindowFromHandle(focusWindow);
    // Full screen covers the desktop in its own mode; the picture is scaled
    // into it with bars, so no display mode is ever changed. The window is
    // also moved over the whole display first: without a window manager (a
    // bare X server) nothing else would.
    if (window != nullptr && !parameters->Windowed) {
        SDL_Rect display{};
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &display) == 0) {
            SDL_SetWindowBordered(window, SDL_FALSE);
            SDL_SetWindowPosition(window, display.x, display.y);
            SDL_SetWindowSize(window, display.w, display.h);
        }
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    std::unique_ptr<GlContext> context =
        window != nullptr ? CreateWindowGlContext(window, &error) : CreateHeadlessGlContext(&error);
    if (!context) {
        std::fprintf(stderr, "rewind: no OpenGL renderer: %s\n", error.c_str());
        return D3DERR_NOTAVAILABLE;
    }
    const D3DDEVICE_CREATION_PARAMETERS creation{adapter, type, focusWindow, behaviorFlags};
    *device = new Device(this, std::move(context), creation, *parameters,
                         window != nullptr ? WindowRenderScale(window, !parameters->Windowed) : RenderScale());
    return D3D_OK;
}

} // namespace

IDirect3D8* Direct3DCreate8(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    KeepLargeAllocationsInTheHeap();
    return new Direct3D();
}
