#include "platform/d3d8/vertex_pipeline.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/d3d8/lighting.h"
#include "platform/d3d8/texture_coordinates.h"
#include "platform/d3d8/vertex_fetch.h"

namespace {

constexpr float kDeviceMaxPointSize = 64.0f;

struct BoundVertices {
    BoundElement position, position2, weights, indices, normal, normal2, pointSize, diffuse, specular;
    BoundElement sets[8];
};

bool BindVertices(const VertexLayout& layout, const VertexStreams& streams, UINT first, UINT count,
                  BoundVertices* bound)
{
    const auto bind = [&](const VertexElement& element, BoundElement* target) {
        return BindElement(element, VertexDataTypeSize(element.type), streams, first, count, target);
    };
    bool ok = bind(layout.position, &bound->position) && bind(layout.position2, &bound->position2) &&
              bind(layout.blendWeights, &bound->weights) && bind(layout.blendIndices, &bound->indices) &&
              bind(layout.normal, &bound->normal) && bind(layout.normal2, &bound->normal2) &&
              bind(layout.pointSize, &bound->pointSize) && bind(layout.diffuse, &bound->diffuse) &&
              bind(layout.specular, &bound->specular);
    for (int set = 0; ok && set < 8; ++set) ok = bind(layout.texCoords[set], &bound->sets[set]);
    return ok && bound->position.Present();
}

Vec3 LoadVector(const BoundElement& element, UINT vertex)
{
    const std::uint8_t* bytes = element.At(vertex);
    if (element.type == D3DVSDT_FLOAT3) return LoadVec3(bytes);
    float values[4];
    LoadElement(bytes, element.type, values);
    return {values[0], values[1], values[2]};
}

// Object-to-camera matrices for one world matrix: positions through world x
// view, normals through its inverse transpose.
struct CameraTransform {
    D3DMATRIX worldView;
    Mat3 normal;
};

CameraTransform MakeCameraTransform(const D3DMATRIX& world, const D3DMATRIX& view)
{
    CameraTransform transform;
    transform.worldView = Multiply(world, view);
    transform.normal = NormalMatrix(transform.worldView);
    return transform;
}

// Object space to camera space: one world matrix, a blend of several, or a
// tween between two positions and normals.
class GeometryStage {
public:
    GeometryStage(const DeviceState& state, const VertexLayout& layout, const BoundVertices& bound)
        : state_(state), bound_(bound)
    {
        const DWORD blend = state.RenderState(D3DRS_VERTEXBLEND);
        tween_ = blend == D3DVBF_TWEENING;
        tweenFactor_ = state.RenderFloat(D3DRS_TWEENFACTOR);
        if (blend >= D3DVBF_1WEIGHTS && blend <= D3DVBF_3WEIGHTS) weightCount_ = std::min(blend, layout.weightCount);
        indexed_ = blend != D3DVBF_TWEENING && blend != D3DVBF_DISABLE &&
                   state.RenderState(D3DRS_INDEXEDVERTEXBLENDENABLE) != FALSE && bound.indices.Present();
        if (indexed_) {
            indexedCache_ = std::make_unique<CameraTransform[]>(D3DTS_WORLD_COUNT);
        } else {
            for (DWORD k = 0; k <= weightCount_; ++k) fixed_[k] = MakeCameraTransform(state.world[k], state.view);
        }
        normalize_ = state.RenderState(D3DRS_NORMALIZENORMALS) != FALSE;
    }

    // Camera-space position and normal of one vertex (a zero normal when the
    // vertex has none).
    void Transform(UINT vertex, Vec3* position, Vec3* normal)
    {
        Vec3 objectPosition = LoadVector(bound_.position, vertex);
        Vec3 objectNormal = bound_.normal.Present() ? LoadVector(bound_.normal, vertex) : Vec3{};
        if (tween_) {
            // p = p1 (1 - t) + p2 t, and the same for normals.
            if (bound_.position2.Present()) {
                objectPosition = Lerp(objectPosition, LoadVector(bound_.position2, vertex), tweenFactor_);
            }
            if (bound_.normal.Present() && bound_.normal2.Present()) {
                objectNormal = Lerp(objectNormal, LoadVector(bound_.normal2, vertex), tweenFactor_);
            }
        }

        if (weightCount_ == 0 && !indexed_) {
            *position = TransformPoint(objectPosition, fixed_[0].worldView);
            *normal = TransformDirection(objectNormal, fixed_[0].normal);
        } else {
            BlendedTransform(vertex, objectPosition, objectNormal, position, normal);
        }
        if (normalize_) *normal = Normalize(*normal);
    }

private:
    // The given weights, the last one making the sum 1, each applied to its
    // own world matrix: matrix k, or the one named by index byte k.
    void BlendedTransform(UINT vertex, Vec3 objectPosition, Vec3 objectNormal, Vec3* position, Vec3* normal)
    {
        float weights[4] = {1.0f, 0.0f, 0.0f, 0.0f};
        if (weightCount_ > 0) {
            float given[4];
            LoadElement(bound_.weights.At(vertex), bound_.weights.type, given);
            float sum = 0.0f;
            for (DWORD k = 0; k < weightCount_; ++k) {
                weights[k] = given[k];
                sum += given[k];
            }
            weights[weightCount_] = 1.0f - sum;
        }
        const std::uint8_t* indices = indexed_ ? bound_.indices.At(vertex) : nullptr;
        *position = Vec3{};
        *normal = Vec3{};
        for (DWORD k = 0; k <= weightCount_; ++k) {
            const CameraTransform& transform = indexed_ ? Indexed(indices[k]) : fixed_[k];
            *position = *position + TransformPoint(objectPosition, transform.worldView) * weights[k];
            *normal = *normal + TransformDirection(objectNormal, transform.normal) * weights[k];
        }
    }

    const CameraTransform& Indexed(std::uint8_t index)
    {
        if (!cached_[index]) {
            indexedCache_[index] = MakeCameraTransform(state_.world[index], state_.view);
            cached_[index] = true;
        }
        return indexedCache_[index];
    }

    const DeviceState& state_;
    const BoundVertices& bound_;
    bool tween_ = false;
    float tweenFactor_ = 0.0f;
    DWORD weightCount_ = 0;
    bool indexed_ = false;
    bool normalize_ = false;
    CameraTransform fixed_[4];
    std::unique_ptr<CameraTransform[]> indexedCache_;
    bool cached_[D3DTS_WORLD_COUNT] = {};
};

struct FogSetup {
    DWORD mode = D3DFOG_NONE;
    bool range = false;
    float start = 0.0f, end = 1.0f, density = 1.0f;
};

FogSetup PrepareFog(const DeviceState& state)
{
    FogSetup fog;
    // Table fog wins over vertex fog and is computed for each pixel from its
    // own depth by the fragment program, so the vertices carry no fog then.
    if (state.RenderState(D3DRS_FOGENABLE) == FALSE || state.RenderState(D3DRS_FOGTABLEMODE) != D3DFOG_NONE) {
        return fog;
    }
    fog.mode = state.RenderState(D3DRS_FOGVERTEXMODE);
    fog.range = state.RenderState(D3DRS_RANGEFOGENABLE) != FALSE;
    fog.start = state.RenderFloat(D3DRS_FOGSTART);
    fog.end = state.RenderFloat(D3DRS_FOGEND);
    fog.density = state.RenderFloat(D3DRS_FOGDENSITY);
    return fog;
}

// Linear: (end - d) / (end - start); EXP: 1 / e^(d density); EXP2: 1 / e^((d density)^2).
float FogFactor(const FogSetup& fog, float distance)
{
    switch (fog.mode) {
    case D3DFOG_LINEAR:
        if (fog.end == fog.start) return distance < fog.end ? 1.0f : 0.0f;
        return Clamp01((fog.end - distance) / (fog.end - fog.start));
    case D3DFOG_EXP: return Clamp01(std::exp(-distance * fog.density));
    case D3DFOG_EXP2: {
        const float scaled = distance * fog.density;
        return Clamp01(std::exp(-scaled * scaled));
    }
    default: return 1.0f;
    }
}

struct PointSizeSetup {
    float size = 1.0f, min = 0.0f, max = kDeviceMaxPointSize;
    bool scale = false;
    float a = 1.0f, b = 0.0f, c = 0.0f;
    float viewportHeight = 0.0f;
};

PointSizeSetup PreparePointSize(const DeviceState& state, bool pretransformed)
{
    PointSizeSetup setup;
    setup.size = state.RenderFloat(D3DRS_POINTSIZE);
    setup.min = state.RenderFloat(D3DRS_POINTSIZE_MIN);
    setup.max = std::min(state.RenderFloat(D3DRS_POINTSIZE_MAX), kDeviceMaxPointSize);
    setup.scale = !pretransformed && state.RenderState(D3DRS_POINTSCALEENABLE) != FALSE;
    setup.a = state.RenderFloat(D3DRS_POINTSCALE_A);
    setup.b = state.RenderFloat(D3DRS_POINTSCALE_B);
    setup.c = state.RenderFloat(D3DRS_POINTSCALE_C);
    setup.viewportHeight = static_cast<float>(state.viewport.Height);
    return setup;
}

// Ss = Vh * Si * sqrt(1 / (A + B De + C De^2)), De the distance from the eye,
// then clamped to POINTSIZE_MIN .. POINTSIZE_MAX (a NaN ends at the minimum).
float PointSize(const PointSizeSetup& setup, const BoundElement& pointSize, UINT vertex, Vec3 cameraPosition)
{
    float size = setup.size;
    if (pointSize.Present()) {
        float values[4];
        LoadElement(pointSize.At(vertex), pointSize.type, values);
        size = values[0];
    }
    if (setup.scale) {
        const float distance = Length(cameraPosition);
        const float falloff = setup.a + setup.b * distance + setup.c * distance * distance;
        size = setup.viewportHeight * size * std::sqrt(1.0f / falloff);
    }
    return std::fmin(setup.max, std::fmax(setup.min, size));
}

void LoadColorOr(const BoundElement& element, UINT vertex, float fallback, float fallbackAlpha, float out[4])
{
    if (element.Present()) {
        LoadElement(element.At(vertex), element.type, out);
    } else {
        out[0] = out[1] = out[2] = fallback;
        out[3] = fallbackAlpha;
    }
}

void LoadSets(const BoundVertices& bound, const VertexLayout& layout, DWORD setsRead, UINT vertex, float sets[8][4])
{
    for (DWORD set = 0; set < 8; ++set) {
        if (!(setsRead & (1u << set))) continue;
        float raw[4];
        LoadElement(bound.sets[set].At(vertex), bound.sets[set].type, raw);
        ExpandSet(raw, layout.texCoordSize[set], sets[set]);
    }
}

// Screen position and rhw back to Direct3D clip space through the viewport,
// so that both kinds of vertex leave here alike. z is the depth itself, so it
// undoes the viewport's MinZ..MaxZ mapping.
Vec4 ScreenToClip(const float screen[4], const D3DVIEWPORT8& viewport)
{
    const float rhw = screen[3];
    const float w = (rhw > 0.0f && std::isfinite(rhw)) ? 1.0f / rhw : 1.0f;
    const float halfWidth = static_cast<float>(std::max<DWORD>(viewport.Width, 1)) * 0.5f;
    const float halfHeight = static_cast<float>(std::max<DWORD>(viewport.Height, 1)) * 0.5f;
    const float ndcX = (screen[0] - static_cast<float>(viewport.X)) / halfWidth - 1.0f;
    const float ndcY = 1.0f - (screen[1] - static_cast<float>(viewport.Y)) / halfHeight;
    const float depthRange = viewport.MaxZ - viewport.MinZ;
    const float ndcZ = depthRange != 0.0f ? (screen[2] - viewport.MinZ) / depthRange : 0.0f;
    return {ndcX * w, ndcY * w, ndcZ * w, w};
}

void StorePosition(ProcessedVertex& vertex, Vec4 position)
{
    vertex.position[0] = position.x;
    vertex.position[1] = position.y;
    vertex.position[2] = position.z;
    vertex.position[3] = position.w;
}

void ProcessPretransformed(const DeviceState& state, const VertexLayout& layout, const BoundVertices& bound,
                           UINT count, std::vector<ProcessedVertex>& out)
{
    const TextureCoordinateSetup coordinates = PrepareTextureCoordinates(state, layout);
    const FogSetup fog = PrepareFog(state);
    const PointSizeSetup pointSize = PreparePointSize(state, true);
    float sets[8][4] = {};
    for (UINT i = 0; i < count; ++i) {
        ProcessedVertex& vertex = out[i];
        float screen[4];
        LoadElement(bound.position.At(i), bound.position.type, screen);
        const Vec4 clip = ScreenToClip(screen, state.viewport);
        StorePosition(vertex, clip);
        LoadColorOr(bound.diffuse, i, 1.0f, 1.0f, vertex.diffuse);
        LoadColorOr(bound.specular, i, 0.0f, 0.0f, vertex.specular);
        vertex.fog = FogFactor(fog, clip.w);
        vertex.pointSize = PointSize(pointSize, bound.pointSize, i, Vec3{});
        LoadSets(bound, layout, coordinates.setsRead, i, sets);
        ComputeTextureCoordinates(coordinates, sets, Vec3{}, Vec3{}, vertex.texCoords);
    }
}

void ProcessUntransformed(const DeviceState& state, const VertexLayout& layout, const BoundVertices& bound,
                          UINT count, std::vector<ProcessedVertex>& out)
{
    GeometryStage geometry(state, layout, bound);
    const bool lighting = state.RenderState(D3DRS_LIGHTING) != FALSE;
    const LightingSetup lights = lighting ? PrepareLighting(state, layout) : LightingSetup{};
    const TextureCoordinateSetup coordinates = PrepareTextureCoordinates(state, layout);
    const FogSetup fog = PrepareFog(state);
    const PointSizeSetup pointSize = PreparePointSize(state, false);
    const D3DMATRIX& projection = state.projection;
    float sets[8][4] = {};
    for (UINT i = 0; i < count; ++i) {
        ProcessedVertex& vertex = out[i];
        Vec3 position, normal;
        geometry.Transform(i, &position, &normal);
        StorePosition(vertex, TransformPoint4(position, projection));

        if (lighting) {
            float diffuse[4], specular[4];
            if (bound.diffuse.Present()) LoadElement(bound.diffuse.At(i), bound.diffuse.type, diffuse);
            if (bound.specular.Present()) LoadElement(bound.specular.At(i), bound.specular.type, specular);
            LightVertex(lights, position, normal, bound.diffuse.Present() ? diffuse : nullptr,
                        bound.specular.Present() ? specular : nullptr, vertex.diffuse, vertex.specular);
        } else {
            LoadColorOr(bound.diffuse, i, 1.0f, 1.0f, vertex.diffuse);
            LoadColorOr(bound.specular, i, 0.0f, 0.0f, vertex.specular);
        }

        vertex.fog = fog.mode == D3DFOG_NONE ? 1.0f : FogFactor(fog, fog.range ? Length(position) : position.z);
        vertex.pointSize = PointSize(pointSize, bound.pointSize, i, position);
        LoadSets(bound, layout, coordinates.setsRead, i, sets);
        ComputeTextureCoordinates(coordinates, sets, position, normal, vertex.texCoords);
    }
}

} // namespace

bool ProcessVertices(const DeviceState& state, const VertexLayout& layout, const VertexStreams& streams, UINT first,
                     UINT count, std::vector<ProcessedVertex>& out)
{
    BoundVertices bound;
    if (count == 0 || !BindVertices(layout, streams, first, count, &bound)) {
        out.clear();
        return count == 0;
    }
    // Every field of every vertex is written below, so a reused vector is
    // not cleared first.
    out.resize(count);
    if (layout.pretransformed) {
        ProcessPretransformed(state, layout, bound, count, out);
    } else {
        ProcessUntransformed(state, layout, bound, count, out);
    }
    return true;
}
