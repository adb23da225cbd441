// Feeds arbitrary bytes, as an object file, to the mesh and point-sprite
// loaders on a headless device, then runs everything an effect does with a
// freshly loaded object. Any input must load without a fault, and what is
// allocated must follow the size of the input, not the counts it claims.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "objects/object.h"
#include "objects/object_ps.h"
#include "platform/d3d8/d3d8.h"

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
        return created;
    }();
    return device;
}

// The loaders open files by name, so every input goes through one file.
const std::string& InputFile()
{
    static const std::string name = "/tmp/rewind-object-fuzz-" + std::to_string(getpid()) + ".obj";
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(InputFile().c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    cObject mesh(InputFile().c_str(), Device());
    mesh.ComputeNormals();
    mesh.MakeSphereMapCoords();
    mesh.Upload();
    mesh.BuildWireframe();
    mesh.CopyFrom(&mesh);

    cObjectPSDyn cloud(InputFile().c_str(), Device());
    cloud.Spin();
    cloud.Update();
    return 0;
}
