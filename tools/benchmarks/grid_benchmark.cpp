// Measures the distortion grid headless at 640x480: milliseconds per frame of
// Update + Animate + Draw for every mode, the way the effects call them (the
// scroll after a one-shot mode, the rotation after a per-frame one), on a
// textured full screen. One-shot modes are timed both on their first frame
// (the map is computed) and on later frames (only the scroll).
// Figures, not assertions: run it on a quiet machine and compare modes.

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "platform/d3d8/gl.h"
#include "render/grid.h"
#include "render/render.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFrames = 200;

double Milliseconds(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool IsOneShot(unsigned mode)
{
    return mode == 0 || mode == 2 || mode == 4 || mode == 8 || mode == 9;
}

void Frame(cRender& render, fx& grid, unsigned mode, float t)
{
    render.BeginFrame(0);
    grid.speed = 0.1f;
    grid.Update(mode, t);
    grid.Animate(t, !IsOneShot(mode));
    grid.Draw();
    glFinish();
}

IDirect3DTexture8* Checkerboard(IDirect3DDevice8* device)
{
    IDirect3DTexture8* texture = nullptr;
    if (FAILED(device->CreateTexture(256, 256, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture))) return nullptr;
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 256; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (int x = 0; x < 256; ++x)
            row[x] = ((x / 32 + y / 32) % 2) != 0 ? 0xFFE0A040 : 0xFF2040C0;
    }
    texture->UnlockRect(0);
    return texture;
}

} // namespace

int main()
{
    cRender render;
    if (!render.Init(nullptr, 640, 480, true)) {
        std::fprintf(stderr, "grid benchmark: no headless device\n");
        return 1;
    }
    IDirect3DTexture8* texture = Checkerboard(render.GetDevice());
    render.SetTexture(texture, 0);
    render.GetDevice()->SetRenderState(D3DRS_LIGHTING, FALSE);

    fx grid;
    if (!grid.Init(&render, 640, 480, 16)) {
        std::fprintf(stderr, "grid benchmark: the grid could not be made\n");
        return 1;
    }
    grid.angleRates = cVector(0.0f, 0.0f, 25.0f);

    std::printf("distortion grid, 640x480, 16-pixel cells, %d frames per mode\n", kFrames);
    std::printf("mode  ms/frame  first frame ms\n");
    for (unsigned mode = 0; mode <= 10; ++mode) {
        grid.Update(11, 0.0f); // leave the mode, so a one-shot one computes again
        auto start = Clock::now();
        Frame(render, grid, mode, 0.0f);
        const double first = Milliseconds(start);
        start = Clock::now();
        for (int i = 1; i <= kFrames; ++i)
            Frame(render, grid, mode, i * 16.0f);
        const double perFrame = Milliseconds(start) / kFrames;
        if (IsOneShot(mode)) {
            std::printf("%4u  %8.3f  %14.3f\n", mode, perFrame, first);
        } else {
            std::printf("%4u  %8.3f\n", mode, perFrame);
        }
    }

    render.ClearTexture(0);
    if (texture != nullptr) texture->Release();
    render.Shutdown();
    return 0;
}
