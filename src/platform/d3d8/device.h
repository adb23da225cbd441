#pragma once
// IDirect3DDevice8 over the CPU vertex pipeline and the OpenGL pixel side.

#include <map>
#include <memory>
#include <vector>

#include "platform/d3d8/device_link.h"
#include "platform/d3d8/device_state.h"
#include "platform/d3d8/primitive_assembly.h"
#include "platform/d3d8/ref_counted.h"
#include "platform/d3d8/state_block.h"
#include "platform/d3d8/surface.h"
#include "platform/d3d8/vertex_layout.h"
#include "platform/d3d8/vertex_pipeline.h"

class Device final : public RefCounted<IDirect3DDevice8> {
public:
    // `scale`: how many times larger than its logical size everything renders.
    Device(IDirect3D8* direct3d, std::unique_ptr<GlContext> context, const D3DDEVICE_CREATION_PARAMETERS& creation,
           const D3DPRESENT_PARAMETERS& presentation, int scale);
    ~Device() override;

    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    HRESULT GetDirect3D(IDirect3D8** direct3d) override;
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) override;
    HRESULT Present(const RECT* source, const RECT* destination, HWND override, const void* dirtyRegion) override;

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer8** buffer) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer8** buffer) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                      IDirect3DSurface8** surface) override;

    HRESULT SetRenderTarget(IDirect3DSurface8* renderTarget, IDirect3DSurface8* depthStencil) override;
    HRESULT GetRenderTarget(IDirect3DSurface8** renderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** depthStencil) override;

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
    HRESULT SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT GetMaterial(D3DMATERIAL8* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;

    HRESULT BeginStateBlock() override;
    HRESULT EndStateBlock(DWORD* token) override;
    HRESULT ApplyStateBlock(DWORD token) override;
    HRESULT CaptureStateBlock(DWORD token) override;
    HRESULT DeleteStateBlock(DWORD token) override;
    HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* token) override;

    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;

    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT startIndex,
                                 UINT primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                   const void* indices, D3DFORMAT indexFormat, const void* vertices,
                                   UINT stride) override;

    HRESULT CreateVertexShader(const DWORD* declaration, const DWORD* function, DWORD* handle, DWORD usage) override;
    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT GetVertexShader(DWORD* handle) override;
    HRESULT DeleteVertexShader(DWORD handle) override;
    HRESULT SetPixelShader(DWORD handle) override;
    HRESULT GetPixelShader(DWORD* handle) override;

    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
    HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) override;
    HRESULT GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) override;

    // The fragment programs made so far, for the benchmark's cache figures.
    const FragmentProgramCache& Programs() const { return link->gl->Programs(); }
    // For code that calls OpenGL itself: the device sends all state anew.
    void ForgetGlState() { link->gl->ForgetState(); }

private:
    // Where setters write: the device's state, or the block being recorded.
    DeviceState& Target() { return recording ? recording->values : state; }
    StateMask* RecordingMask() { return recording ? &recording->mask : nullptr; }

    HRESULT CurrentLayout(VertexLayout* layout) const;
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const VertexStreams& streams, const VertexLayout& layout,
                 UINT firstVertex, UINT vertexCount, const std::uint32_t* indices, UINT indexCount);
    HRESULT StreamsForLayout(const VertexLayout& layout, VertexStreams* streams) const;
    void PresentFrame();

    IDirect3D8* direct3d;
    SharedDeviceLink link;
    D3DDEVICE_CREATION_PARAMETERS creation;
    D3DPRESENT_PARAMETERS presentation;

    DeviceState state;
    std::unique_ptr<StateBlock> recording;
    std::map<DWORD, std::unique_ptr<StateBlock>> stateBlocks;
    DWORD nextStateBlock = 1;
    std::map<DWORD, VertexLayout> declarations;
    DWORD nextDeclaration = 1;

    Surface* backBuffer = nullptr;
    Surface* renderTarget = nullptr;
    Surface* depthStencil = nullptr;
    Surface* autoDepthStencil = nullptr; // kept alive while another depth buffer is bound
    bool inScene = false;

    std::vector<ProcessedVertex> processed;
    std::vector<std::uint32_t> rebasedIndices;
    AssembledPrimitives assembled;
    std::vector<std::uint8_t> frame;
};
