// Opens an SDL window (800x480, or the size given as WIDTHxHEIGHT), renders a
// small scene through the Direct3D stand-in and reads the window back: the
// 640x480 picture must appear scaled to fit, 4:3, with black bars beside it,
// rendered at the window's resolution (a half-pixel sliver of the 640x480
// picture lights exactly one window pixel). Run under a virtual X server.

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

int main(int argc, char** argv)
{
    int windowWidth = 800;
    int windowHeight = 480;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &windowWidth, &windowHeight) != 2) return Fail("size WIDTHxHEIGHT");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(SDL_GetError());
    SDL_Window* window =
        SDL_CreateWindow("cRender", 0, 0, windowWidth, windowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
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
    const ScreenVertex sliverQuad[4] = {{100, 300, 0.5f, 1, 0xFFFF0000}, {100.5f, 300, 0.5f, 1, 0xFFFF0000},
                                    {100, 400, 0.5f, 1, 0xFFFF0000}, {100.5f, 400, 0.5f, 1, 0xFFFF0000}};
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    device->BeginScene();
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, sizeof(ScreenVertex));
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, sliverQuad, sizeof(ScreenVertex));
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
    // The picture is as high as the window, whole multiples of 640x480 wide,
    // centred with bars either side.
    const int scale = windowHeight / 480;
    const int left = (windowWidth - 640 * scale) / 2;
    const int centre = windowPixel(windowWidth / 2, windowHeight / 2);
    const int picture = windowPixel(left + 20, 20);
    const int bar = windowPixel(left / 2, windowHeight / 2);
    const int sliver = windowPixel(left + 100 * scale, 350 * scale);
    const int besideSliver = windowPixel(left + 100 * scale + 1, 350 * scale);
    std::printf("window check: %dx%d, centre %06X, picture %06X, bar %06X, sliver %06X then %06X\n", windowWidth,
                windowHeight, centre, picture, bar, sliver, besideSliver);

    device->Release();
    direct3d->Release();
    SDL_DestroyWindow(window);
    SDL_Quit();
    if (centre != 0xFF0000 || picture != 0x0000FF || bar != 0x000000) return Fail("the window shows the wrong picture");
    if (sliver != 0xFF0000 || besideSliver != 0x0000FF) return Fail("the picture is not at the window's resolution");
    return 0;
}
