#pragma once
// What a resource shares with the device that made it: the OpenGL side, which
// lives as long as any resource does, and the device itself, which may die
// first (a resource then reports no device).

#include <memory>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/gl_device.h"

struct DeviceLink {
    std::unique_ptr<GlDevice> gl;
    IDirect3DDevice8* device = nullptr;
};

using SharedDeviceLink = std::shared_ptr<DeviceLink>;

inline HRESULT LinkedDevice(const SharedDeviceLink& link, IDirect3DDevice8** device)
{
    if (device == nullptr || link->device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    link->device->AddRef();
    *device = link->device;
    return D3D_OK;
}
