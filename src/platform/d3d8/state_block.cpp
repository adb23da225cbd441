#include "platform/d3d8/state_block.h"

namespace {

template <class Resource>
void Hold(Resource*& slot, Resource* resource)
{
    if (resource != nullptr) {
        resource->AddRef();
    }
    if (slot != nullptr) {
        slot->Release();
    }
    slot = resource;
}

// Render states that belong to pixel processing, and to vertex processing,
// as Direct3D 8 groups them for D3DSBT_PIXELSTATE and D3DSBT_VERTEXSTATE.
constexpr D3DRENDERSTATETYPE pixelRenderStates[] = {
    D3DRS_ZENABLE,       D3DRS_FILLMODE,         D3DRS_SHADEMODE,    D3DRS_LINEPATTERN,     D3DRS_ZWRITEENABLE,
    D3DRS_ALPHATESTENABLE, D3DRS_LASTPIXEL,      D3DRS_SRCBLEND,     D3DRS_DESTBLEND,       D3DRS_ZFUNC,
    D3DRS_ALPHAREF,      D3DRS_ALPHAFUNC,        D3DRS_DITHERENABLE, D3DRS_FOGSTART,        D3DRS_FOGEND,
    D3DRS_FOGDENSITY,    D3DRS_ALPHABLENDENABLE, D3DRS_ZBIAS,        D3DRS_STENCILENABLE,   D3DRS_STENCILFAIL,
    D3DRS_STENCILZFAIL,  D3DRS_STENCILPASS,      D3DRS_STENCILFUNC,  D3DRS_STENCILREF,      D3DRS_STENCILMASK,
    D3DRS_STENCILWRITEMASK, D3DRS_TEXTUREFACTOR, D3DRS_WRAP0,        D3DRS_WRAP1,           D3DRS_WRAP2,
    D3DRS_WRAP3,         D3DRS_WRAP4,            D3DRS_WRAP5,        D3DRS_WRAP6,           D3DRS_WRAP7,
    D3DRS_COLORWRITEENABLE, D3DRS_BLENDOP,       D3DRS_EDGEANTIALIAS,
};

constexpr D3DRENDERSTATETYPE vertexRenderStates[] = {
    D3DRS_SHADEMODE,         D3DRS_SPECULARENABLE,       D3DRS_CULLMODE,          D3DRS_FOGENABLE,
    D3DRS_FOGCOLOR,          D3DRS_FOGTABLEMODE,         D3DRS_FOGSTART,          D3DRS_FOGEND,
    D3DRS_FOGDENSITY,        D3DRS_RANGEFOGENABLE,       D3DRS_AMBIENT,           D3DRS_COLORVERTEX,
    D3DRS_FOGVERTEXMODE,     D3DRS_CLIPPING,             D3DRS_LIGHTING,          D3DRS_NORMALIZENORMALS,
    D3DRS_LOCALVIEWER,       D3DRS_EMISSIVEMATERIALSOURCE, D3DRS_AMBIENTMATERIALSOURCE,
    D3DRS_DIFFUSEMATERIALSOURCE, D3DRS_SPECULARMATERIALSOURCE, D3DRS_VERTEXBLEND, D3DRS_CLIPPLANEENABLE,
    D3DRS_SOFTWAREVERTEXPROCESSING, D3DRS_POINTSIZE,     D3DRS_POINTSIZE_MIN,     D3DRS_POINTSPRITEENABLE,
    D3DRS_POINTSCALEENABLE,  D3DRS_POINTSCALE_A,         D3DRS_POINTSCALE_B,      D3DRS_POINTSCALE_C,
    D3DRS_MULTISAMPLEANTIALIAS, D3DRS_MULTISAMPLEMASK,   D3DRS_PATCHEDGESTYLE,    D3DRS_PATCHSEGMENTS,
    D3DRS_POINTSIZE_MAX,     D3DRS_INDEXEDVERTEXBLENDENABLE, D3DRS_TWEENFACTOR,   D3DRS_POSITIONORDER,
    D3DRS_NORMALORDER,
};

// Render states Direct3D 8 defines, for D3DSBT_ALL.
bool IsRenderState(DWORD state)
{
    for (D3DRENDERSTATETYPE known : pixelRenderStates) {
        if (known == state) return true;
    }
    for (D3DRENDERSTATETYPE known : vertexRenderStates) {
        if (known == state) return true;
    }
    return state == D3DRS_ZVISIBLE || state == D3DRS_DEBUGMONITORTOKEN;
}

} // namespace

void HoldTexture(IDirect3DBaseTexture8*& slot, IDirect3DBaseTexture8* texture) { Hold(slot, texture); }
void HoldVertexBuffer(IDirect3DVertexBuffer8*& slot, IDirect3DVertexBuffer8* buffer) { Hold(slot, buffer); }
void HoldIndexBuffer(IDirect3DIndexBuffer8*& slot, IDirect3DIndexBuffer8* buffer) { Hold(slot, buffer); }

void ReleaseHeldResources(DeviceState& state)
{
    for (IDirect3DBaseTexture8*& texture : state.textures) Hold<IDirect3DBaseTexture8>(texture, nullptr);
    for (StreamBinding& stream : state.streams) Hold<IDirect3DVertexBuffer8>(stream.buffer, nullptr);
    Hold<IDirect3DIndexBuffer8>(state.indices, nullptr);
}

DWORD TransformSlot(D3DTRANSFORMSTATETYPE state)
{
    if (state == D3DTS_VIEW) return 0;
    if (state == D3DTS_PROJECTION) return 1;
    if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) return 2 + (state - D3DTS_TEXTURE0);
    return 2 + D3D_STAGE_COUNT + (state - D3DTS_WORLD);
}

D3DTRANSFORMSTATETYPE TransformOfSlot(DWORD slot)
{
    if (slot == 0) return D3DTS_VIEW;
    if (slot == 1) return D3DTS_PROJECTION;
    if (slot < 2 + D3D_STAGE_COUNT) return static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + slot - 2);
    return D3DTS_WORLDMATRIX(slot - 2 - D3D_STAGE_COUNT);
}

StateBlock::StateBlock(D3DSTATEBLOCKTYPE type, const DeviceState& device)
{
    const bool all = type == D3DSBT_ALL;
    if (all || type == D3DSBT_PIXELSTATE) {
        for (D3DRENDERSTATETYPE state : pixelRenderStates) mask.renderStates.set(state);
        for (auto& stage : mask.stageStates) {
            for (DWORD tss = D3DTSS_COLOROP; tss < D3DTSS_COUNT; ++tss) {
                if (tss != 12) stage.set(tss);
            }
        }
    }
    if (all || type == D3DSBT_VERTEXSTATE) {
        for (D3DRENDERSTATETYPE state : vertexRenderStates) mask.renderStates.set(state);
        for (auto& stage : mask.stageStates) {
            stage.set(D3DTSS_TEXCOORDINDEX);
            stage.set(D3DTSS_TEXTURETRANSFORMFLAGS);
        }
        for (const auto& light : device.lights) mask.lights.insert(light.first);
        mask.vertexShader = true;
    }
    if (all) {
        for (DWORD state = 0; state < D3DRS_COUNT; ++state) {
            if (IsRenderState(state)) mask.renderStates.set(state);
        }
        mask.transforms.set();
        mask.textures.set();
        mask.streams.set();
        mask.material = mask.viewport = mask.indices = mask.pixelShader = true;
    }
    Capture(device);
}

StateBlock::~StateBlock()
{
    ReleaseHeldResources(values);
}

void StateBlock::Capture(const DeviceState& device)
{
    for (DWORD state = 0; state < D3DRS_COUNT; ++state) {
        if (mask.renderStates.test(state)) values.renderStates[state] = device.renderStates[state];
    }
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        for (DWORD tss = 0; tss < D3DTSS_COUNT; ++tss) {
            if (mask.stageStates[stage].test(tss)) values.stageStates[stage][tss] = device.stageStates[stage][tss];
        }
        if (mask.textures.test(stage)) HoldTexture(values.textures[stage], device.textures[stage]);
    }
    for (DWORD slot = 0; slot < transformSlotCount; ++slot) {
        if (mask.transforms.test(slot)) {
            const D3DTRANSFORMSTATETYPE transform = TransformOfSlot(slot);
            values.Transform(transform) = device.Transform(transform);
        }
    }
    for (DWORD index : mask.lights) {
        auto found = device.lights.find(index);
        if (found != device.lights.end()) values.lights[index] = found->second;
    }
    for (DWORD stream = 0; stream < D3D_STREAM_COUNT; ++stream) {
        if (mask.streams.test(stream)) {
            HoldVertexBuffer(values.streams[stream].buffer, device.streams[stream].buffer);
            values.streams[stream].stride = device.streams[stream].stride;
        }
    }
    if (mask.material) values.material = device.material;
    if (mask.viewport) values.viewport = device.viewport;
    if (mask.indices) {
        HoldIndexBuffer(values.indices, device.indices);
        values.baseVertexIndex = device.baseVertexIndex;
    }
    if (mask.vertexShader) values.vertexShader = device.vertexShader;
    if (mask.pixelShader) values.pixelShader = device.pixelShader;
}

void StateBlock::ApplyTo(IDirect3DDevice8& device) const
{
    for (DWORD state = 0; state < D3DRS_COUNT; ++state) {
        if (mask.renderStates.test(state)) {
            device.SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), values.renderStates[state]);
        }
    }
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        for (DWORD tss = 0; tss < D3DTSS_COUNT; ++tss) {
            if (mask.stageStates[stage].test(tss)) {
                device.SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(tss),
                                            values.stageStates[stage][tss]);
            }
        }
        if (mask.textures.test(stage)) device.SetTexture(stage, values.textures[stage]);
    }
    for (DWORD slot = 0; slot < transformSlotCount; ++slot) {
        if (mask.transforms.test(slot)) {
            const D3DTRANSFORMSTATETYPE transform = TransformOfSlot(slot);
            device.SetTransform(transform, &values.Transform(transform));
        }
    }
    for (DWORD index : mask.lights) {
        auto found = values.lights.find(index);
        if (found != values.lights.end()) {
            device.SetLight(index, &found->second.light);
            device.LightEnable(index, found->second.enabled ? TRUE : FALSE);
        }
    }
    for (DWORD stream = 0; stream < D3D_STREAM_COUNT; ++stream) {
        if (mask.streams.test(stream)) {
            device.SetStreamSource(stream, values.streams[stream].buffer, values.streams[stream].stride);
        }
    }
    if (mask.material) device.SetMaterial(&values.material);
    if (mask.viewport) device.SetViewport(&values.viewport);
    if (mask.indices) device.SetIndices(values.indices, values.baseVertexIndex);
    if (mask.vertexShader) device.SetVertexShader(values.vertexShader);
    if (mask.pixelShader) device.SetPixelShader(values.pixelShader);
}
