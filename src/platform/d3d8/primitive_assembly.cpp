#include "platform/d3d8/primitive_assembly.h"

#include <algorithm>
#include <cmath>

namespace {

// Direct3D samples pixel (i, j) at screen (i, j), OpenGL at window
// (i + 0.5, j + 0.5). Moving geometry by half a pixel lines the samples up;
// moving it by a 256th of a pixel less puts every sample that Direct3D finds
// exactly on a left or top edge just inside it, and every sample on a right or
// bottom edge just outside. That is Direct3D's top-left fill rule, whatever
// tie rule the OpenGL implementation has (and its rule would see our rows
// upside down). A 256th is the subpixel step of the rasterisers we run on.
constexpr float kPixelCentreShift = 0.5f - 1.0f / 256.0f;

std::uint64_t VertexCount64(D3DPRIMITIVETYPE type, std::uint64_t primitives)
{
    if (primitives == 0) return 0;
    switch (type) {
    case D3DPT_POINTLIST: return primitives;
    case D3DPT_LINELIST: return primitives * 2;
    case D3DPT_LINESTRIP: return primitives + 1;
    case D3DPT_TRIANGLELIST: return primitives * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitives + 2;
    default: return 0;
    }
}

// Bits of WRAPn (u, v, w, fourth coordinate) for the set each stage reads.
struct WrapSetup {
    DWORD stageMask[D3D_STAGE_COUNT] = {};
    bool any = false;
};

WrapSetup PrepareWrap(const DeviceState& state)
{
    WrapSetup wrap;
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        const DWORD set = state.StageState(stage, D3DTSS_TEXCOORDINDEX) & 0xFFFF;
        if (set >= 8) continue;
        wrap.stageMask[stage] = state.RenderState(static_cast<D3DRENDERSTATETYPE>(D3DRS_WRAP0 + set)) & 0xF;
        wrap.any = wrap.any || wrap.stageMask[stage] != 0;
    }
    return wrap;
}

// Cylindrical wrapping: interpolation takes the shortest way round, so the
// coordinates are moved by whole turns until they lie as close together as
// they can. Each vertex in turn serves as the fixed one; the tightest result
// wins (for two vertices the first already gives it).
void WrapCoordinate(ProcessedVertex* vertices, int count, DWORD stage, int component)
{
    float best[3] = {};
    float bestSpan = INFINITY;
    for (int reference = 0; reference < count; ++reference) {
        const float anchor = vertices[reference].texCoords[stage][component];
        float placed[3];
        for (int i = 0; i < count; ++i) {
            const float value = vertices[i].texCoords[stage][component];
            placed[i] = value + std::round(anchor - value);
        }
        const auto [low, high] = std::minmax_element(placed, placed + count);
        if (*high - *low < bestSpan) {
            bestSpan = *high - *low;
            std::copy(placed, placed + count, best);
        }
    }
    for (int i = 0; i < count; ++i) vertices[i].texCoords[stage][component] = best[i];
}

void ApplyWrap(const WrapSetup& wrap, ProcessedVertex* vertices, int count)
{
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        for (int component = 0; component < 4; ++component) {
            if (wrap.stageMask[stage] & (1u << component)) WrapCoordinate(vertices, count, stage, component);
        }
    }
}

// Direct3D clip space (y up, z 0..w) to OpenGL's (y mirrored because row 0
// is Direct3D's top row, z -w..w), with the pixel-centre shift in x and y.
//
// A triangle that Direct3D sees clockwise on screen is counter-clockwise in
// OpenGL window coordinates after this, i.e. front-facing under OpenGL's
// default glFrontFace(GL_CCW): D3DCULL_CCW maps to glCullFace(GL_BACK) and
// D3DCULL_CW to glCullFace(GL_FRONT).
void ToOpenGlClipSpace(ProcessedVertex& vertex, float shiftX, float shiftY)
{
    float* p = vertex.position;
    const float w = p[3];
    p[0] = p[0] + shiftX * w;
    p[1] = -p[1] + shiftY * w;
    p[2] = 2.0f * p[2] - w;
}

bool InsideClipVolume(const float* p)
{
    const float w = p[3];
    return w > 0.0f && p[0] >= -w && p[0] <= w && p[1] >= -w && p[1] <= w && p[2] >= 0.0f && p[2] <= w;
}

// A point becomes a square of its size in render-target pixels, wound
// clockwise on screen so that the default culling keeps it.
void EmitPointQuad(const ProcessedVertex& point, bool sprite, float width, float height,
                   std::vector<ProcessedVertex>& out)
{
    const float w = point.position[3];
    const float halfX = point.pointSize / width * w;
    const float halfY = point.pointSize / height * w;
    struct Corner {
        float dx, dy, u, v;
    };
    static constexpr Corner kTopLeft{-1, 1, 0, 0}, kTopRight{1, 1, 1, 0}, kBottomLeft{-1, -1, 0, 1},
        kBottomRight{1, -1, 1, 1};
    static constexpr Corner kOrder[6] = {kTopLeft, kTopRight, kBottomLeft, kTopRight, kBottomRight, kBottomLeft};
    for (const Corner& corner : kOrder) {
        ProcessedVertex vertex = point;
        vertex.position[0] += corner.dx * halfX;
        vertex.position[1] += corner.dy * halfY;
        if (sprite) {
            // Laid out like any 2D set: (u, v, 1, 0).
            for (auto& coordinates : vertex.texCoords) {
                coordinates[0] = corner.u;
                coordinates[1] = corner.v;
                coordinates[2] = 1.0f;
                coordinates[3] = 0.0f;
            }
        }
        out.push_back(vertex);
    }
}

// Direct3D colours a flat-shaded primitive from its first vertex. Giving every
// vertex that colour makes the result independent of which vertex OpenGL
// takes for flat values (the last one in OpenGL ES, which cannot change it).
void ShadeFlat(std::vector<ProcessedVertex>& vertices, int perPrimitive)
{
    for (std::size_t first = 0; first + perPrimitive <= vertices.size(); first += perPrimitive) {
        for (int k = 1; k < perPrimitive; ++k) {
            std::copy(std::begin(vertices[first].diffuse), std::end(vertices[first].diffuse), vertices[first + k].diffuse);
            std::copy(std::begin(vertices[first].specular), std::end(vertices[first].specular),
                      vertices[first + k].specular);
        }
    }
}

// Twice the signed area of a triangle in OpenGL clip space, from homogeneous
// coordinates so that it holds for any positive w: positive when the
// triangle is counter-clockwise, the front face for OpenGL's default.
float HomogeneousArea(const ProcessedVertex& a, const ProcessedVertex& b, const ProcessedVertex& c)
{
    const float* p = a.position;
    const float* q = b.position;
    const float* r = c.position;
    return p[0] * (q[1] * r[3] - r[1] * q[3]) - q[0] * (p[1] * r[3] - r[1] * p[3]) +
           r[0] * (p[1] * q[3] - q[1] * p[3]);
}

// Wireframe and point fill, drawn as lines and point squares since OpenGL ES
// has no polygon mode. Culling applies first, as it does to filled triangles:
// D3DCULL_CCW removes what OpenGL sees clockwise (see ToOpenGlClipSpace).
void OutlineTriangles(DWORD fill, DWORD cull, float width, float height, AssembledPrimitives& out)
{
    std::vector<ProcessedVertex> triangles;
    triangles.swap(out.vertices);
    out.topology = fill == D3DFILL_POINT ? Topology::Triangles : Topology::Lines;
    for (std::size_t first = 0; first + 3 <= triangles.size(); first += 3) {
        const ProcessedVertex* corner = &triangles[first];
        const float area = HomogeneousArea(corner[0], corner[1], corner[2]);
        if ((cull == D3DCULL_CCW && area < 0.0f) || (cull == D3DCULL_CW && area > 0.0f)) continue;
        if (fill == D3DFILL_POINT) {
            for (int k = 0; k < 3; ++k) {
                ProcessedVertex point = corner[k];
                point.pointSize = 1.0f;
                // OpenGL clip space has y mirrored: a negative height lays
                // the square out clockwise on screen, as in Direct3D space.
                EmitPointQuad(point, false, width, -height, out.vertices);
            }
        } else {
            for (int k = 0; k < 3; ++k) {
                out.vertices.push_back(corner[k]);
                out.vertices.push_back(corner[(k + 1) % 3]);
            }
        }
    }
}

// ZBIAS for lines, which OpenGL's polygon offset never moves: the same
// number of steps of a 24-bit depth buffer, towards the viewer, made in clip
// space. Window depth is MinZ + (MaxZ - MinZ) * (z / w + 1) / 2, so a step of
// 2^-24 in it is 2 * 2^-24 / (MaxZ - MinZ) of z / w.
void BiasLineDepth(const DeviceState& state, std::vector<ProcessedVertex>& vertices)
{
    const DWORD bias = state.RenderState(D3DRS_ZBIAS);
    const float range = state.viewport.MaxZ - state.viewport.MinZ;
    if (bias == 0 || range <= 0.0f) return;
    const float step = 2.0f * static_cast<float>(bias) / 16777216.0f / range;
    for (ProcessedVertex& vertex : vertices) vertex.position[2] -= step * vertex.position[3];
}

} // namespace

void ClampPretransformedDepth(AssembledPrimitives& primitives)
{
    for (ProcessedVertex& vertex : primitives.vertices) {
        float* p = vertex.position;
        if (p[3] > 0.0f) p[2] = std::clamp(p[2], -p[3], p[3]);
    }
}

UINT VertexCountOf(D3DPRIMITIVETYPE type, UINT primitiveCount)
{
    return static_cast<UINT>(std::min<std::uint64_t>(VertexCount64(type, primitiveCount), 0xFFFFFFFFu));
}

bool AssemblePrimitives(const DeviceState& state, D3DPRIMITIVETYPE type, UINT primitiveCount,
                        const std::vector<ProcessedVertex>& processed, const std::uint32_t* indices,
                        UINT indexCount, AssembledPrimitives& out, int renderScale)
{
    out.vertices.clear();
    out.topology = (type == D3DPT_LINELIST || type == D3DPT_LINESTRIP) ? Topology::Lines : Topology::Triangles;
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN) return false;
    const std::uint64_t needed = VertexCount64(type, primitiveCount);
    if (indices) {
        if (needed > indexCount) return false;
        for (std::uint64_t k = 0; k < needed; ++k) {
            if (indices[k] >= processed.size()) return false;
        }
    } else if (needed > processed.size()) {
        return false;
    }
    const auto at = [&](std::uint64_t k) -> const ProcessedVertex& {
        return processed[indices ? indices[k] : k];
    };

    const D3DVIEWPORT8& viewport = state.viewport;
    const float width = static_cast<float>(std::max<DWORD>(viewport.Width, 1));
    const float height = static_cast<float>(std::max<DWORD>(viewport.Height, 1));
    const WrapSetup wrap = PrepareWrap(state);
    const auto emit = [&](std::initializer_list<std::uint64_t> corners) {
        for (std::uint64_t k : corners) out.vertices.push_back(at(k));
        if (wrap.any) ApplyWrap(wrap, &*(out.vertices.end() - corners.size()), static_cast<int>(corners.size()));
    };

    switch (type) {
    case D3DPT_POINTLIST: {
        out.vertices.reserve(needed * 6);
        const bool sprite = state.RenderState(D3DRS_POINTSPRITEENABLE) != FALSE;
        // Direct3D clips a point by its centre alone, so sprites pop at the edges.
        const bool clip = state.RenderState(D3DRS_CLIPPING) != FALSE;
        for (std::uint64_t k = 0; k < needed; ++k) {
            if (clip && !InsideClipVolume(at(k).position)) continue;
            EmitPointQuad(at(k), sprite, width, height, out.vertices);
        }
        break;
    }
    case D3DPT_LINELIST:
        out.vertices.reserve(needed);
        for (std::uint64_t k = 0; k < needed; k += 2) emit({k, k + 1});
        break;
    case D3DPT_LINESTRIP:
        out.vertices.reserve(std::uint64_t{primitiveCount} * 2);
        for (std::uint64_t k = 0; k < primitiveCount; ++k) emit({k, k + 1});
        break;
    case D3DPT_TRIANGLELIST:
        out.vertices.reserve(needed);
        for (std::uint64_t k = 0; k < needed; k += 3) emit({k, k + 1, k + 2});
        break;
    case D3DPT_TRIANGLESTRIP:
        // Odd triangles are turned round to keep the strip's winding; vertex k
        // stays first because flat shading takes a triangle's first vertex.
        out.vertices.reserve(std::uint64_t{primitiveCount} * 3);
        for (std::uint64_t k = 0; k < primitiveCount; ++k) {
            if (k % 2 == 0) emit({k, k + 1, k + 2});
            else emit({k, k + 2, k + 1});
        }
        break;
    case D3DPT_TRIANGLEFAN:
        // (k+1, k+2, 0) winds like (0, k+1, k+2) and puts vertex k + 1 first:
        // Direct3D's flat shading colours fan triangle k from that vertex.
        out.vertices.reserve(std::uint64_t{primitiveCount} * 3);
        for (std::uint64_t k = 0; k < primitiveCount; ++k) emit({k + 1, k + 2, 0});
        break;
    default: break;
    }

    if (type != D3DPT_POINTLIST && state.RenderState(D3DRS_SHADEMODE) == D3DSHADE_FLAT) {
        ShadeFlat(out.vertices, out.topology == Topology::Lines ? 2 : 3);
    }
    const float shift = kPixelCentreShift / static_cast<float>(std::max(renderScale, 1));
    const float shiftX = 2.0f * shift / width;
    const float shiftY = 2.0f * shift / height;
    for (ProcessedVertex& vertex : out.vertices) ToOpenGlClipSpace(vertex, shiftX, shiftY);
    const DWORD fill = state.RenderState(D3DRS_FILLMODE);
    if (type != D3DPT_POINTLIST && out.topology == Topology::Triangles && fill != D3DFILL_SOLID) {
        OutlineTriangles(fill, state.RenderState(D3DRS_CULLMODE), width, height, out);
    }
    if (out.topology == Topology::Lines) BiasLineDepth(state, out.vertices);
    return true;
}
