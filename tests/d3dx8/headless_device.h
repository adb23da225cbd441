#pragma once
// A headless 640x480 device for the tests that draw or create textures.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/presentation.h"

class HeadlessDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = CreateHeadlessDevice(640, 480, &direct3d);
        ASSERT_NE(device, nullptr);
    }

    void TearDown() override
    {
        SetPresentHandler({});
        if (device != nullptr) {
            device->Release();
        }
        if (direct3d != nullptr) {
            direct3d->Release();
        }
    }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};
