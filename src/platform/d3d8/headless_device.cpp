#include "platform/d3d8/headless_device.h"

IDirect3DDevice8* CreateHeadlessDevice(UINT width, UINT height, IDirect3D8** direct3d)
{
    *direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    IDirect3DDevice8* device = nullptr;
    if (FAILED((*direct3d)->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device))) {
        return nullptr;
    }
    return device;
}
