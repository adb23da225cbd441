#pragma once
// Turns processed vertices and a Direct3D primitive type into the plain lists
// OpenGL draws: strips and fans become lists, points become screen-aligned
// quads of their size, WRAPn is applied per primitive, wireframe and point
// fill become lines and point squares, flat shading gives a primitive its
// first vertex's colours, and every position is moved from Direct3D clip
// space to OpenGL clip space.
//
// The OpenGL side renders with Direct3D's row order (row 0 at the top is row
// 0 of the OpenGL surface), so pictures read back top row first and textures
// sample the same way in both. Direct3D puts pixel centres on integer screen
// coordinates, OpenGL on half-integers: the half-pixel shift is made here and
// nowhere else. Clipping and culling are left to OpenGL.
//
// What the OpenGL side must set for these positions to land where Direct3D
// puts them: glViewport(X, Y, Width, Height) and glDepthRangef(MinZ, MaxZ)
// with the Direct3D viewport's own numbers (Y counted from row 0, the top).
// Triangles Direct3D sees clockwise arrive counter-clockwise, so with
// glFrontFace(GL_CCW) D3DCULL_CCW is glCullFace(GL_BACK) and D3DCULL_CW is
// glCullFace(GL_FRONT).

#include <cstdint>
#include <vector>

#include "platform/d3d8/vertex_pipeline.h"

enum class Topology { Lines, Triangles };

struct AssembledPrimitives {
    Topology topology = Topology::Triangles;
    std::vector<ProcessedVertex> vertices; // in OpenGL clip space, list order
};

// `indices` null: vertices are used in order from processed[0]. Otherwise
// indexCount indices into `processed` (already rebased); an index past its end
// makes the call fail with nothing assembled.
//
// `renderScale` k: the OpenGL surfaces are k times the Direct3D size. Direct3D
// pixel (x, y) becomes the k x k block from (kx, ky), and the half-pixel shift
// is half an OpenGL pixel, so a quad with integer edges fills exactly the
// blocks of the pixels it fills at 640x480 (a full-screen quad leaves no seam).
bool AssemblePrimitives(const DeviceState& state, D3DPRIMITIVETYPE type, UINT primitiveCount,
                        const std::vector<ProcessedVertex>& processed, const std::uint32_t* indices,
                        UINT indexCount, AssembledPrimitives& out, int renderScale = 1);

// Pre-transformed vertices are not clipped by depth: their depth is clamped
// to the viewport's range per vertex instead (OpenGL ES has no depth clamp).
void ClampPretransformedDepth(AssembledPrimitives& primitives);

// Vertices a Direct3D primitive count needs.
UINT VertexCountOf(D3DPRIMITIVETYPE type, UINT primitiveCount);
