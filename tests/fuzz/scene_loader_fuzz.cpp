// Feeds arbitrary bytes to the scene loader on a headless device; every
// input must load or be refused with a mu3d_CException, and a loaded scene
// must render.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/d3d8/d3d8.h"
#include "scene/scene.h"
#include "scene/scene_textures.h"

namespace {

IDirect3DDevice8* Device()
{
    static IDirect3DDevice8* device = [] {
        IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 64;
        parameters.BackBufferHeight = 48;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.Windowed = TRUE;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        IDirect3DDevice8* created = nullptr;
        direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                               &parameters, &created);
        g_sceneTextures.Init(created, D3DFMT_A8R8G8B8);
        return created;
    }();
    return device;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return 0;
    }
    cScene scene;
    try {
        scene.SetDevice(Device(), 0x04);
        scene.Load(file);
        for (float frame : {-1.0f, 0.0f, 7.5f, 1000.0f}) {
            scene.Render(frame);
        }
    } catch (const mu3d_CException&) {
    }
    std::fclose(file);
    return 0;
}
