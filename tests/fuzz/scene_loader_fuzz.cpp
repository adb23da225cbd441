// Feeds arbitrary bytes to the scene loader on a headless device; every
// input must load or be refused with a mu3d_CException, and a loaded scene
// must render.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/d3d8.h"
#include "scene/scene.h"
#include "scene/scene_textures.h"

namespace {

IDirect3DDevice8* Device()
{
    static IDirect3DDevice8* device = [] {
        IDirect3D8* direct3d = nullptr;
        IDirect3DDevice8* created = CreateHeadlessDevice(64, 48, &direct3d);
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
