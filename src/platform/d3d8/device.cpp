#include "platform/d3d8/device.h"

#include <algorithm>
#include <cmath>

#include "platform/d3d8/buffers.h"
#include "platform/d3d8/presentation.h"
#include "platform/d3d8/texture.h"

namespace {

constexpr UINT logicalWidth = 640;
constexpr UINT logicalHeight = 480;

template <class Resource>
void Retain(Resource*& slot, Resource* resource)
{
    if (resource != nullptr) resource->AddRef();
    if (slot != nullptr) slot->Release();
    slot = resource;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
    D3DMATRIX product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[row][k] * b.m[k][column];
            product.m[row][column] = sum;
        }
    }
    return product;
}

bool IsKnownRenderState(D3DRENDERSTATETYPE state)
{
    return state < D3DRS_COUNT;
}

} // namespace

Device::Device(IDirect3D8* direct3d, std::unique_ptr<GlContext> context,
               const D3DDEVICE_CREATION_PARAMETERS& creation, const D3DPRESENT_PARAMETERS& presentation, int scale)
    : direct3d(direct3d), link(std::make_shared<DeviceLink>()), creation(creation), presentation(presentation)
{
    direct3d->AddRef();
    link->gl = std::make_unique<GlDevice>(std::move(context), scale);
    link->device = this;

    // A windowed device's back buffer stays 640x480 to the system whatever the
    // client area: it renders `scale` times larger and the window shows it fitted.
    const UINT width = presentation.BackBufferWidth != 0 ? presentation.BackBufferWidth : logicalWidth;
    const UINT height = presentation.BackBufferHeight != 0 ? presentation.BackBufferHeight : logicalHeight;
    this->presentation.BackBufferWidth = width;
    this->presentation.BackBufferHeight = height;
    const int glWidth = static_cast<int>(width) * scale;
    const int glHeight = static_cast<int>(height) * scale;

    D3DSURFACE_DESC colorDesc{D3DFMT_A8R8G8B8, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
                              width * height * 4, D3DMULTISAMPLE_NONE, width, height};
    GlColorTarget color{link->gl->CreateTexture(glWidth, glHeight, 1, true), 0, glWidth, glHeight};
    backBuffer = new Surface(link, colorDesc, color, GlDepthTarget{});
    Retain(renderTarget, backBuffer);
    if (presentation.EnableAutoDepthStencil) {
        D3DSURFACE_DESC depthDesc{presentation.AutoDepthStencilFormat, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL,
                                  D3DPOOL_DEFAULT, width * height * 4, D3DMULTISAMPLE_NONE, width, height};
        GlDepthTarget depth{link->gl->CreateDepthRenderbuffer(glWidth, glHeight)};
        autoDepthStencil = new Surface(link, depthDesc, GlColorTarget{}, depth);
        Retain(depthStencil, autoDepthStencil);
    } else {
        state.renderStates[D3DRS_ZENABLE] = D3DZB_FALSE;
    }
    state.viewport = {0, 0, width, height, 0.0f, 1.0f};
}

Device::~Device()
{
    recording.reset();
    stateBlocks.clear();
    ReleaseHeldResources(state);
    Retain<Surface>(renderTarget, nullptr);
    Retain<Surface>(depthStencil, nullptr);
    Retain<Surface>(backBuffer, nullptr);
    Retain<Surface>(autoDepthStencil, nullptr);
    link->device = nullptr;
    direct3d->Release();
}

HRESULT Device::GetDirect3D(IDirect3D8** out)
{
    if (out == nullptr) return D3DERR_INVALIDCALL;
    direct3d->AddRef();
    *out = direct3d;
    return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* caps)
{
    return direct3d->GetDeviceCaps(creation.AdapterOrdinal, creation.DeviceType, caps);
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* mode)
{
    return direct3d->GetAdapterDisplayMode(creation.AdapterOrdinal, mode);
}

HRESULT Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters)
{
    if (parameters == nullptr) return D3DERR_INVALIDCALL;
    *parameters = creation;
    return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE, IDirect3DSurface8** surface)
{
    if (surface == nullptr || index != 0) return D3DERR_INVALIDCALL;
    backBuffer->AddRef();
    *surface = backBuffer;
    return D3D_OK;
}

void Device::PresentFrame()
{
    const GlColorTarget color = backBuffer->ColorTarget();
    if (link->gl->Context().IsWindowed()) {
        link->gl->PresentToWindow(color);
        return;
    }
    link->gl->ReadPixels(color, frame);
    DeliverPresentedFrame({color.width, color.height, frame.data()});
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const void*)
{
    PresentFrame();
    return D3D_OK;
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DTexture8** texture)
{
    return Texture::Create(link, width, height, levels, usage, format, pool, texture);
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer8** buffer)
{
    if (buffer == nullptr || length == 0) return D3DERR_INVALIDCALL;
    VertexLayout layout;
    if (fvf != 0 && !LayoutFromFvf(fvf, &layout)) return D3DERR_INVALIDCALL;
    *buffer = new VertexBuffer(link, length, usage, fvf, pool);
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer8** buffer)
{
    if (buffer == nullptr || length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = new IndexBuffer(link, length, usage, format, pool);
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE,
                                          IDirect3DSurface8** surface)
{
    const bool depthFormat = format == D3DFMT_D24S8 || format == D3DFMT_D24X8 || format == D3DFMT_D16 ||
                             format == D3DFMT_D32 || format == D3DFMT_D24X4S4 || format == D3DFMT_D15S1 ||
                             format == D3DFMT_D16_LOCKABLE;
    if (surface == nullptr || width == 0 || height == 0 || width > Texture::maxSize || height > Texture::maxSize ||
        !depthFormat) {
        return D3DERR_INVALIDCALL;
    }
    const int scale = link->gl->Scale();
    D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT, width * height * 4,
                         D3DMULTISAMPLE_NONE, width, height};
    GlDepthTarget depth{link->gl->CreateDepthRenderbuffer(static_cast<int>(width) * scale,
                                                          static_cast<int>(height) * scale)};
    *surface = new Surface(link, desc, GlColorTarget{}, depth);
    return D3D_OK;
}

// Like Direct3D 8, a new render target resets the viewport to cover it whole.
HRESULT Device::SetRenderTarget(IDirect3DSurface8* newTarget, IDirect3DSurface8* newDepth)
{
    Surface* target = newTarget != nullptr ? static_cast<Surface*>(newTarget) : renderTarget;
    Surface* depth = static_cast<Surface*>(newDepth);
    if (target->IsDepth() || target->ColorTarget().texture == 0) return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    if ((desc.Usage & D3DUSAGE_RENDERTARGET) == 0) return D3DERR_INVALIDCALL;
    if (depth != nullptr && (!depth->IsDepth() || depth->Width() < desc.Width || depth->Height() < desc.Height)) {
        return D3DERR_INVALIDCALL;
    }
    Retain(renderTarget, target);
    Retain(depthStencil, depth);
    state.viewport = {0, 0, desc.Width, desc.Height, 0.0f, 1.0f};
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(IDirect3DSurface8** out)
{
    if (out == nullptr) return D3DERR_INVALIDCALL;
    renderTarget->AddRef();
    *out = renderTarget;
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface8** out)
{
    if (out == nullptr) return D3DERR_INVALIDCALL;
    *out = depthStencil;
    if (depthStencil == nullptr) return D3DERR_NOTFOUND;
    depthStencil->AddRef();
    return D3D_OK;
}

HRESULT Device::BeginScene()
{
    if (inScene) return D3DERR_INVALIDCALL;
    inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    if (!inScene) return D3DERR_INVALIDCALL;
    inScene = false;
    return D3D_OK;
}

// Clears the viewport, or the given rectangles within it.
HRESULT Device::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil)
{
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0 && depthStencil == nullptr) return D3DERR_INVALIDCALL;
    if (rectCount != 0 && rects == nullptr) return D3DERR_INVALIDCALL;
    const GlDepthTarget depth = depthStencil != nullptr ? depthStencil->DepthTarget() : GlDepthTarget{};
    const D3DVIEWPORT8& viewport = state.viewport;
    if (rectCount == 0) {
        link->gl->Clear(renderTarget->ColorTarget(), depth, viewport, flags, color, z, stencil);
        return D3D_OK;
    }
    for (DWORD index = 0; index < rectCount; ++index) {
        const LONG left = std::max<LONG>(rects[index].x1, static_cast<LONG>(viewport.X));
        const LONG top = std::max<LONG>(rects[index].y1, static_cast<LONG>(viewport.Y));
        const LONG right = std::min<LONG>(rects[index].x2, static_cast<LONG>(viewport.X + viewport.Width));
        const LONG bottom = std::min<LONG>(rects[index].y2, static_cast<LONG>(viewport.Y + viewport.Height));
        if (left >= right || top >= bottom) continue;
        const D3DVIEWPORT8 area{static_cast<DWORD>(left), static_cast<DWORD>(top), static_cast<DWORD>(right - left),
                                static_cast<DWORD>(bottom - top), viewport.MinZ, viewport.MaxZ};
        link->gl->Clear(renderTarget->ColorTarget(), depth, area, flags, color, z, stencil);
    }
    return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE transform, const D3DMATRIX* matrix)
{
    if (matrix == nullptr || !IsTransformState(transform)) return D3DERR_INVALIDCALL;
    Target().Transform(transform) = *matrix;
    if (StateMask* mask = RecordingMask()) mask->transforms.set(TransformSlot(transform));
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE transform, D3DMATRIX* matrix)
{
    if (matrix == nullptr || !IsTransformState(transform)) return D3DERR_INVALIDCALL;
    *matrix = state.Transform(transform);
    return D3D_OK;
}

// The given matrix is applied first: state = matrix x state.
HRESULT Device::MultiplyTransform(D3DTRANSFORMSTATETYPE transform, const D3DMATRIX* matrix)
{
    if (matrix == nullptr || !IsTransformState(transform)) return D3DERR_INVALIDCALL;
    const D3DMATRIX product = Multiply(*matrix, state.Transform(transform));
    return SetTransform(transform, &product);
}

HRESULT Device::SetViewport(const D3DVIEWPORT8* viewport)
{
    if (viewport == nullptr || viewport->Width == 0 || viewport->Height == 0) return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    renderTarget->GetDesc(&desc);
    if (viewport->X + viewport->Width > desc.Width || viewport->Y + viewport->Height > desc.Height ||
        !(viewport->MinZ >= 0.0f && viewport->MaxZ <= 1.0f && viewport->MinZ <= viewport->MaxZ)) {
        return D3DERR_INVALIDCALL;
    }
    Target().viewport = *viewport;
    if (StateMask* mask = RecordingMask()) mask->viewport = true;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT8* viewport)
{
    if (viewport == nullptr) return D3DERR_INVALIDCALL;
    *viewport = state.viewport;
    return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL8* material)
{
    if (material == nullptr) return D3DERR_INVALIDCALL;
    Target().material = *material;
    if (StateMask* mask = RecordingMask()) mask->material = true;
    return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL8* material)
{
    if (material == nullptr) return D3DERR_INVALIDCALL;
    *material = state.material;
    return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT8* light)
{
    if (light == nullptr || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL ||
        !(light->Range >= 0.0f)) {
        return D3DERR_INVALIDCALL;
    }
    Target().lights[index].light = *light;
    if (StateMask* mask = RecordingMask()) mask->lights.insert(index);
    return D3D_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT8* light)
{
    auto found = state.lights.find(index);
    if (light == nullptr || found == state.lights.end()) return D3DERR_INVALIDCALL;
    *light = found->second.light;
    return D3D_OK;
}

// Enabling a light that was never set creates Direct3D's default light: white,
// directional, pointing along +z.
HRESULT Device::LightEnable(DWORD index, BOOL enable)
{
    auto& lights = Target().lights;
    auto found = lights.find(index);
    if (found == lights.end()) {
        LightSlot slot;
        slot.light.Type = D3DLIGHT_DIRECTIONAL;
        slot.light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
        slot.light.Direction = {0.0f, 0.0f, 1.0f};
        found = lights.emplace(index, slot).first;
    }
    found->second.enabled = enable != FALSE;
    if (StateMask* mask = RecordingMask()) mask->lights.insert(index);
    return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL* enable)
{
    auto found = state.lights.find(index);
    if (enable == nullptr || found == state.lights.end()) return D3DERR_INVALIDCALL;
    *enable = found->second.enabled ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE renderState, DWORD value)
{
    if (!IsKnownRenderState(renderState)) return D3DERR_INVALIDCALL;
    Target().renderStates[renderState] = value;
    if (StateMask* mask = RecordingMask()) mask->renderStates.set(renderState);
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE renderState, DWORD* value)
{
    if (value == nullptr || !IsKnownRenderState(renderState)) return D3DERR_INVALIDCALL;
    *value = state.renderStates[renderState];
    return D3D_OK;
}

HRESULT Device::BeginStateBlock()
{
    if (recording) return D3DERR_INVALIDCALL;
    recording = std::make_unique<StateBlock>();
    return D3D_OK;
}

HRESULT Device::EndStateBlock(DWORD* token)
{
    if (!recording || token == nullptr) return D3DERR_INVALIDCALL;
    *token = nextStateBlock++;
    stateBlocks.emplace(*token, std::move(recording));
    return D3D_OK;
}

HRESULT Device::ApplyStateBlock(DWORD token)
{
    auto found = stateBlocks.find(token);
    if (found == stateBlocks.end() || recording) return D3DERR_INVALIDCALL;
    found->second->ApplyTo(*this);
    return D3D_OK;
}

HRESULT Device::CaptureStateBlock(DWORD token)
{
    auto found = stateBlocks.find(token);
    if (found == stateBlocks.end() || recording) return D3DERR_INVALIDCALL;
    found->second->Capture(state);
    return D3D_OK;
}

HRESULT Device::DeleteStateBlock(DWORD token)
{
    if (stateBlocks.erase(token) == 0) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT Device::CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* token)
{
    if (token == nullptr || type < D3DSBT_ALL || type > D3DSBT_VERTEXSTATE || recording) return D3DERR_INVALIDCALL;
    *token = nextStateBlock++;
    stateBlocks.emplace(*token, std::make_unique<StateBlock>(type, state));
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture)
{
    if (texture == nullptr || stage >= D3D_STAGE_COUNT) return D3DERR_INVALIDCALL;
    *texture = state.textures[stage];
    if (*texture != nullptr) (*texture)->AddRef();
    return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture)
{
    if (stage >= D3D_STAGE_COUNT) return D3DERR_INVALIDCALL;
    HoldTexture(Target().textures[stage], texture);
    if (StateMask* mask = RecordingMask()) mask->textures.set(stage);
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value)
{
    if (value == nullptr || stage >= D3D_STAGE_COUNT || type >= D3DTSS_COUNT) return D3DERR_INVALIDCALL;
    *value = state.stageStates[stage][type];
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    if (stage >= D3D_STAGE_COUNT || type >= D3DTSS_COUNT) return D3DERR_INVALIDCALL;
    Target().stageStates[stage][type] = value;
    if (StateMask* mask = RecordingMask()) mask->stageStates[stage].set(type);
    return D3D_OK;
}

// Declaration handles are odd, so that SetVertexShader can tell them from FVF
// codes, whose lowest bit is reserved and always clear.
HRESULT Device::CreateVertexShader(const DWORD* declaration, const DWORD* function, DWORD* handle, DWORD)
{
    constexpr std::size_t maxTokens = 256;
    VertexLayout layout;
    if (declaration == nullptr || function != nullptr || handle == nullptr ||
        !LayoutFromDeclaration(declaration, maxTokens, &layout)) {
        return D3DERR_INVALIDCALL;
    }
    *handle = (nextDeclaration++ << 1) | 1;
    declarations.emplace(*handle, layout);
    return D3D_OK;
}

HRESULT Device::SetVertexShader(DWORD handle)
{
    VertexLayout layout;
    const bool valid = (handle & 1) != 0 ? declarations.count(handle) != 0 : LayoutFromFvf(handle, &layout);
    if (!valid) return D3DERR_INVALIDCALL;
    Target().vertexShader = handle;
    if (StateMask* mask = RecordingMask()) mask->vertexShader = true;
    return D3D_OK;
}

HRESULT Device::GetVertexShader(DWORD* handle)
{
    if (handle == nullptr) return D3DERR_INVALIDCALL;
    *handle = state.vertexShader;
    return D3D_OK;
}

HRESULT Device::DeleteVertexShader(DWORD handle)
{
    return declarations.erase(handle) != 0 ? D3D_OK : D3DERR_INVALIDCALL;
}

// Only the fixed-function pixel pipeline exists here.
HRESULT Device::SetPixelShader(DWORD handle)
{
    if (handle != 0) return D3DERR_INVALIDCALL;
    Target().pixelShader = 0;
    if (StateMask* mask = RecordingMask()) mask->pixelShader = true;
    return D3D_OK;
}

HRESULT Device::GetPixelShader(DWORD* handle)
{
    if (handle == nullptr) return D3DERR_INVALIDCALL;
    *handle = state.pixelShader;
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride)
{
    if (stream >= D3D_STREAM_COUNT) return D3DERR_INVALIDCALL;
    StreamBinding& binding = Target().streams[stream];
    HoldVertexBuffer(binding.buffer, buffer);
    binding.stride = stride;
    if (StateMask* mask = RecordingMask()) mask->streams.set(stream);
    return D3D_OK;
}

HRESULT Device::GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride)
{
    if (stream >= D3D_STREAM_COUNT || buffer == nullptr || stride == nullptr) return D3DERR_INVALIDCALL;
    *buffer = state.streams[stream].buffer;
    if (*buffer != nullptr) (*buffer)->AddRef();
    *stride = state.streams[stream].stride;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex)
{
    HoldIndexBuffer(Target().indices, buffer);
    Target().baseVertexIndex = baseVertexIndex;
    if (StateMask* mask = RecordingMask()) mask->indices = true;
    return D3D_OK;
}

HRESULT Device::GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex)
{
    if (buffer == nullptr || baseVertexIndex == nullptr) return D3DERR_INVALIDCALL;
    *buffer = state.indices;
    if (*buffer != nullptr) (*buffer)->AddRef();
    *baseVertexIndex = state.baseVertexIndex;
    return D3D_OK;
}
