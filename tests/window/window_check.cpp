// Opens an SDL window, renders a small scene through the Direct3D stand-in
// and reads the window back: the 640x480 picture must appear scaled to fit,
// 4:3, with black bars beside it. Run under a virtual X server.

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

#include "platform/d3d8/d3d8.h"
#include "platform/win32/window_handle.h"

namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};

int Fail(const char* what)
{
    std::fprintf(stderr, "window check: %s\n", what);
    return 1;
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(SDL_GetError());
    SDL_Window* window = SDL_CreateWindow("cRender", 0, 0, 800, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr) return Fail(SDL_GetError());
    IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    IDirect3DDevice8* device = nullptr;
    if (direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, HandleFromSdlWindow(window),
                               D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device) != D3D_OK) {
        return Fail("no windowed device");
    }

    // Blue everywhere, a red square in the middle of the 640x480 picture.
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    const ScreenVertex square[4] = {{220, 140, 0.5f, 1, 0xFFFF0000}, {420, 140, 0.5f, 1, 0xFFFF0000},
                                    {220, 340, 0.5f, 1, 0xFFFF0000}, {420, 340, 0.5f, 1, 0xFFFF0000}};
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    device->BeginScene();
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof(ScreenVertex));
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);

    // What the X server shows in the window, as a screenshot would see it.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return Fail("not an X11 window");
    Display* display = info.info.x11.display;
    XSync(display, False);
    auto windowPixel = [&](int x, int y) {
        XImage* image = XGetImage(display, info.info.x11.window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return -1;
        const int pixel = static_cast<int>(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
        return pixel;
    };
    // The window is 800x480: the picture spans x 80..720, bars either side.
    const int centre = windowPixel(400, 240);
    const int picture = windowPixel(100, 20);
    const int bar = windowPixel(40, 240);
    std::printf("window check: centre %06X, picture %06X, bar %06X\n", centre, picture, bar);

    device->Release();
    direct3d->Release();
    SDL_DestroyWindow(window);
    SDL_Quit();
    if (centre != 0xFF0000 || picture != 0x0000FF || bar != 0x000000) return Fail("the window shows the wrong picture");
    return 0;
}
