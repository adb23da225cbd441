#include "platform/d3d8/texture_coordinates.h"

namespace {

StageCoordinates PrepareStage(const DeviceState& state, const VertexLayout& layout, DWORD stage,
                              TextureCoordinateSetup& setup)
{
    StageCoordinates result;
    const DWORD index = state.StageState(stage, D3DTSS_TEXCOORDINDEX);
    result.set = index & 0xFFFF;
    const DWORD generation = layout.pretransformed ? D3DTSS_TCI_PASSTHRU : index & 0xFFFF0000;
    switch (generation) {
    case D3DTSS_TCI_PASSTHRU:
        if (result.set < D3D_STAGE_COUNT && layout.texCoords[result.set].Present()) {
            result.source = CoordinateSource::Set;
            setup.setsRead |= 1u << result.set;
        } else {
            result.source = CoordinateSource::Missing;
        }
        break;
    case D3DTSS_TCI_CAMERASPACENORMAL:
        result.source = CoordinateSource::CameraNormal;
        setup.needsNormal = true;
        break;
    case D3DTSS_TCI_CAMERASPACEPOSITION:
        result.source = CoordinateSource::CameraPosition;
        setup.needsPosition = true;
        break;
    case D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR:
        result.source = CoordinateSource::CameraReflection;
        setup.needsNormal = setup.needsPosition = true;
        break;
    default: result.source = CoordinateSource::Missing; break;
    }
    if (!layout.pretransformed) {
        const DWORD flags = state.StageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS);
        const DWORD count = flags & 0xFF;
        result.count = count > 4 ? 4 : count;
        result.projected = result.count > 0 && (flags & D3DTTFF_PROJECTED);
        result.transform = state.texture[stage];
    }
    return result;
}

void Store(float out[4], float x, float y, float z, float w)
{
    out[0] = x;
    out[1] = y;
    out[2] = z;
    out[3] = w;
}

} // namespace

TextureCoordinateSetup PrepareTextureCoordinates(const DeviceState& state, const VertexLayout& layout)
{
    TextureCoordinateSetup setup;
    setup.localViewer = state.RenderState(D3DRS_LOCALVIEWER) != FALSE;
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        setup.stages[stage] = PrepareStage(state, layout, stage, setup);
    }
    return setup;
}

void ExpandSet(const float* components, DWORD size, float out[4])
{
    for (DWORD i = 0; i < 4; ++i) out[i] = i < size ? components[i] : (i == size ? 1.0f : 0.0f);
}

void ComputeTextureCoordinates(const TextureCoordinateSetup& setup, const float (*sets)[4], Vec3 cameraPosition,
                               Vec3 cameraNormal, float out[D3D_STAGE_COUNT][4])
{
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        const StageCoordinates& coordinates = setup.stages[stage];
        float* result = out[stage];
        switch (coordinates.source) {
        case CoordinateSource::Set: {
            const float* set = sets[coordinates.set];
            Store(result, set[0], set[1], set[2], set[3]);
            break;
        }
        case CoordinateSource::Missing: Store(result, 0.0f, 0.0f, 0.0f, 0.0f); break;
        case CoordinateSource::CameraNormal:
            Store(result, cameraNormal.x, cameraNormal.y, cameraNormal.z, 1.0f);
            break;
        case CoordinateSource::CameraPosition:
            Store(result, cameraPosition.x, cameraPosition.y, cameraPosition.z, 1.0f);
            break;
        case CoordinateSource::CameraReflection: {
            // The direction of view mirrored about the normal: R = V - 2 (N.V) N,
            // with V from the eye to the vertex, or straight ahead (+z) for a
            // viewer at infinity.
            const Vec3 view = setup.localViewer ? Normalize(cameraPosition) : Vec3{0.0f, 0.0f, 1.0f};
            const Vec3 reflection = view - cameraNormal * (2.0f * Dot(cameraNormal, view));
            Store(result, reflection.x, reflection.y, reflection.z, 1.0f);
            break;
        }
        }
        if (coordinates.count == 0) continue;

        const Vec4 transformed = TransformVec4({result[0], result[1], result[2], result[3]}, coordinates.transform);
        const float components[4] = {transformed.x, transformed.y, transformed.z, transformed.w};
        const DWORD count = coordinates.count;
        const float divisor = coordinates.projected ? components[count - 1] : 1.0f;
        const float scale = divisor != 0.0f ? 1.0f / divisor : 1.0f;
        for (DWORD i = 0; i < 4; ++i) result[i] = i < count ? components[i] * scale : 0.0f;
    }
}
