#pragma once
// A headless 64x64 device for the quad, render-target and texture-registry
// tests, with a read-back of the presented picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/presentation.h"

class HeadlessDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = CreateHeadlessDevice(64, 64, &direct3d);
        ASSERT_NE(device, nullptr);
        SetPresentHandler([this](const PresentedFrame& frame) {
            frameWidth = frame.width;
            pixels.assign(frame.rgba, frame.rgba + std::size_t(frame.width) * frame.height * 4);
        });
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    void TearDown() override
    {
        SetPresentHandler(nullptr);
        if (device != nullptr) device->Release();
        if (direct3d != nullptr) direct3d->Release();
    }

    void Present() { device->Present(nullptr, nullptr, nullptr, nullptr); }

    // Pixel (x, y) of the last presented frame as 0xFFRRGGBB.
    D3DCOLOR Pixel(int x, int y) const
    {
        const std::uint8_t* p = &pixels[(std::size_t(y) * frameWidth + x) * 4];
        return D3DCOLOR_XRGB(p[0], p[1], p[2]);
    }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    std::vector<std::uint8_t> pixels;
    int frameWidth = 0;
};

// Every channel within two steps.
inline ::testing::AssertionResult ColorNear(D3DCOLOR actual, D3DCOLOR expected)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 2) {
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << ", expected 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}
