// State blocks, render targets, reference counts and the calls that must
// fail cleanly.

#include "device_fixture.h"

namespace {

D3DMATRIX Translation(float x)
{
    D3DMATRIX m{};
    m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 1.0f;
    m.m[3][0] = x;
    return m;
}

DWORD RenderState(IDirect3DDevice8* device, D3DRENDERSTATETYPE state)
{
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

DWORD StageState(IDirect3DDevice8* device, D3DTEXTURESTAGESTATETYPE type)
{
    DWORD value = 0;
    device->GetTextureStageState(0, type, &value);
    return value;
}

} // namespace

TEST_F(DeviceTest, StateBlocksRestoreExactlyWhatTheirTypeHolds)
{
    IDirect3DTexture8* texture = MakeTexture(1, 1, {0xFFFFFFFF});
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);       // pixel state
    device->SetRenderState(D3DRS_AMBIENT, 0x11111111);          // vertex state
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD); // pixel state
    const D3DMATRIX before = Translation(1.0f);
    device->SetTransform(D3DTS_WORLD, &before);
    device->SetTexture(0, nullptr);

    DWORD all = 0, pixel = 0, vertex = 0;
    ASSERT_EQ(device->CreateStateBlock(D3DSBT_ALL, &all), D3D_OK);
    ASSERT_EQ(device->CreateStateBlock(D3DSBT_PIXELSTATE, &pixel), D3D_OK);
    ASSERT_EQ(device->CreateStateBlock(D3DSBT_VERTEXSTATE, &vertex), D3D_OK);

    auto change = [&] {
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_AMBIENT, 0x22222222);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        const D3DMATRIX after = Translation(2.0f);
        device->SetTransform(D3DTS_WORLD, &after);
        device->SetTexture(0, texture);
    };
    D3DMATRIX world{};
    IDirect3DBaseTexture8* bound = nullptr;

    change();
    ASSERT_EQ(device->ApplyStateBlock(pixel), D3D_OK);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(StageState(device, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_ADD));
    EXPECT_EQ(RenderState(device, D3DRS_AMBIENT), 0x22222222u);
    device->GetTransform(D3DTS_WORLD, &world);
    EXPECT_EQ(world.m[3][0], 2.0f);
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    bound->Release();

    change();
    ASSERT_EQ(device->ApplyStateBlock(vertex), D3D_OK);
    EXPECT_EQ(RenderState(device, D3DRS_AMBIENT), 0x11111111u);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));
    device->GetTransform(D3DTS_WORLD, &world);
    EXPECT_EQ(world.m[3][0], 2.0f);

    change();
    ASSERT_EQ(device->ApplyStateBlock(all), D3D_OK);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(RenderState(device, D3DRS_AMBIENT), 0x11111111u);
    device->GetTransform(D3DTS_WORLD, &world);
    EXPECT_EQ(world.m[3][0], 1.0f);
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);

    // Capture refreshes the held states with the current values.
    change();
    ASSERT_EQ(device->CaptureStateBlock(pixel), D3D_OK);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->ApplyStateBlock(pixel);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));

    for (DWORD token : {all, pixel, vertex}) EXPECT_EQ(device->DeleteStateBlock(token), D3D_OK);
    EXPECT_EQ(device->ApplyStateBlock(all), D3DERR_INVALIDCALL);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(DeviceTest, RecordedBlocksHoldOnlyWhatWasSetAndDoNotChangeTheDevice)
{
    ASSERT_EQ(device->BeginStateBlock(), D3D_OK);
    EXPECT_EQ(device->BeginStateBlock(), D3DERR_INVALIDCALL);
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    EXPECT_EQ(RenderState(device, D3DRS_FOGENABLE), static_cast<DWORD>(FALSE));
    DWORD token = 0;
    ASSERT_EQ(device->EndStateBlock(&token), D3D_OK);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR);
    device->ApplyStateBlock(token);
    EXPECT_EQ(RenderState(device, D3DRS_FOGENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_DESTCOLOR));
    EXPECT_EQ(device->EndStateBlock(&token), D3DERR_INVALIDCALL);
}

// Draw into a texture, then sample it on the back buffer in the same frame.
TEST_F(DeviceTest, RenderToTextureThenSample)
{
    IDirect3DTexture8* target = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target),
              D3D_OK);
    IDirect3DSurface8* depth = nullptr;
    ASSERT_EQ(device->CreateDepthStencilSurface(16, 16, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, &depth), D3D_OK);
    IDirect3DSurface8 *backBuffer = nullptr, *backDepth = nullptr, *level = nullptr;
    device->GetRenderTarget(&backBuffer);
    device->GetDepthStencilSurface(&backDepth);
    target->GetSurfaceLevel(0, &level);

    ASSERT_EQ(device->SetRenderTarget(level, depth), D3D_OK);
    D3DVIEWPORT8 viewport{};
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 16u); // a new target resets the viewport
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF00FF00, 1.0f, 0);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    DrawQuad(0, 0, 8, 16, 0xFFFF0000);
    ASSERT_EQ(device->SetRenderTarget(backBuffer, backDepth), D3D_OK);

    device->SetTexture(0, target);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    FullScreenQuad(0xFFFFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(8, 32), 0xFFFF0000, 0));
    EXPECT_TRUE(ColorNear(Pixel(56, 32), 0xFF00FF00, 0));

    // A render target cannot be locked.
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(target->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);

    device->SetTexture(0, nullptr);
    for (IDirect3DSurface8* surface : {level, backBuffer, backDepth, depth}) surface->Release();
    EXPECT_EQ(target->Release(), 0u);
}

// The radial blur's pattern: sample the left half of a target while drawing
// into its right half.
TEST_F(DeviceTest, SamplingTheHalfOfTheTargetNotBeingDrawn)
{
    IDirect3DTexture8* target = nullptr;
    ASSERT_EQ(device->CreateTexture(32, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target),
              D3D_OK);
    IDirect3DSurface8 *level = nullptr, *backBuffer = nullptr;
    target->GetSurfaceLevel(0, &level);
    device->GetRenderTarget(&backBuffer);
    device->SetRenderTarget(level, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    device->SetTexture(0, target);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    DrawQuad(16, 0, 32, 16, 0xFFFFFFFF, 0.5f, 0.0f, 0.0f, 0.5f, 1.0f);
    device->SetRenderTarget(backBuffer, nullptr);
    FullScreenQuad(0xFFFFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(48, 32), 0xFF0000FF, 0));
    device->SetTexture(0, nullptr);
    level->Release();
    backBuffer->Release();
    target->Release();
}

TEST_F(DeviceTest, BadCallsFailWithInvalidCallAndLeaveTheDeviceUsable)
{
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(0, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateTexture(4096, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetVertexShader(0x40000), D3DERR_INVALIDCALL); // reserved FVF bits
    EXPECT_EQ(device->SetVertexShader(0x12345679), D3DERR_INVALIDCALL); // no such declaration
    EXPECT_EQ(device->ApplyStateBlock(0xDEAD), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DeleteStateBlock(0xDEAD), D3DERR_INVALIDCALL);

    IDirect3DVertexBuffer8* buffer = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(3 * sizeof(ScreenVertex), 0, screenVertexFvf, D3DPOOL_DEFAULT, &buffer),
              D3D_OK);
    BYTE* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 4 * sizeof(ScreenVertex), &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(200, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);

    device->SetVertexShader(screenVertexFvf);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL); // no stream bound
    device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 1), D3DERR_INVALIDCALL); // past the end

    IDirect3DIndexBuffer8* indices = nullptr;
    ASSERT_EQ(device->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indices), D3D_OK);
    ASSERT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
    const WORD values[3] = {0, 1, 7};
    std::memcpy(data, values, sizeof values);
    indices->Unlock();
    device->SetIndices(indices, 0);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 3, 0, 1), D3DERR_INVALIDCALL); // index 7
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 8, 1, 1), D3DERR_INVALIDCALL); // past the end

    // Still usable.
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    FullScreenQuad(0xFF123456);
    EXPECT_TRUE(ColorNear(Pixel(1, 1), 0xFF123456, 0));

    device->SetIndices(nullptr, 0);
    device->SetStreamSource(0, nullptr, 0);
    EXPECT_EQ(indices->Release(), 0u);
    EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(DeviceTest, DrawPrimitiveUpUnbindsStreamZero)
{
    IDirect3DVertexBuffer8* buffer = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(120, 0, 0, D3DPOOL_SYSTEMMEM, &buffer), D3D_OK);
    device->SetStreamSource(0, buffer, 20);
    FullScreenQuad(0xFFFFFFFF);
    IDirect3DVertexBuffer8* bound = buffer;
    UINT stride = 1;
    device->GetStreamSource(0, &bound, &stride);
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(buffer->Release(), 0u);
}
