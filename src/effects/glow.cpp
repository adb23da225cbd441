#include "effects/glow.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/demo.h"
#include "math/matrix.h"
#include "objects/object.h"
#include "platform/win32/timer.h"
#include "support/random.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;
constexpr int n = kGlowLattice;

struct LatticePoint {
    cVector rest;
    float phase[3];  // ms
    float period[3]; // 20..100
};

cObject* restBlob = nullptr;
cObject* blob = nullptr;
cObject* disc = nullptr;
LatticePoint lattice[n][n][n];
cVector boxMin;
cVector boxSize;
DWORD firstUpdate = 0;
bool updated = false;

void Prepare(cObject* object)
{
    object->ComputeNormals();
    object->MakeSphereMapCoords();
    object->Upload();
}

void SpanBoundingBox()
{
    cVector low(1e30f, 1e30f, 1e30f), high(-1e30f, -1e30f, -1e30f);
    for (const MeshVertex& vertex : restBlob->vertices) {
        low = cVector(std::fmin(low.x, vertex.x), std::fmin(low.y, vertex.y), std::fmin(low.z, vertex.z));
        high = cVector(std::fmax(high.x, vertex.x), std::fmax(high.y, vertex.y), std::fmax(high.z, vertex.z));
    }
    if (restBlob->vertices.empty()) low = high = cVector(0.0f, 0.0f, 0.0f);
    const cVector pad(0.0001f, 0.0001f, 0.0001f);
    boxMin = low - pad;
    boxSize = high + pad - boxMin;
}

// Bernstein weights of degree 3 at s.
void Bernstein(float s, float (&b)[n])
{
    const float r = 1.0f - s;
    b[0] = r * r * r;
    b[1] = 3.0f * s * r * r;
    b[2] = 3.0f * s * s * r;
    b[3] = s * s * s;
}

// Each control point tilts about the blob's centre by a few degrees on its
// own periods before the breathing factors stretch it; the tilts keep the
// swelling from looking like a plain per-axis scale.
cVector MoveControlPoint(const LatticePoint& point, float T)
{
    float tilt[3];
    for (int axis = 0; axis < 3; ++axis)
        tilt[axis] = 0.12f * std::sin(2.0f * pi * (T + point.phase[axis]) / (point.period[axis] * 100.0f));
    const cVector turned =
        point.rest * (MatrixRotationX(tilt[0]) * MatrixRotationY(tilt[1]) * MatrixRotationZ(tilt[2]));
    const float fx = std::sin((T + point.phase[0]) * 0.001f * pi) / 3.0f + 1.5f;
    const float fy = std::sin((T + 1000.0f + point.phase[1]) * 0.001f * pi) / 3.0f + 1.0f;
    const float fz = std::sin((T + 600.0f + point.phase[2]) * 0.001f * pi) / 3.0f + 1.4f;
    return cVector(turned.x * fx, turned.y * fy, turned.z * fz);
}

void Reshape(float T)
{
    cVector moved[n][n][n];
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k) moved[i][j][k] = MoveControlPoint(lattice[i][j][k], T);
    const std::size_t count = std::min(blob->vertices.size(), restBlob->vertices.size());
    for (std::size_t i = 0; i < count; ++i) {
        const MeshVertex& rest = restBlob->vertices[i];
        const cVector p = glow_BezierVolume(moved, (rest.x - boxMin.x) / boxSize.x, (rest.y - boxMin.y) / boxSize.y,
                                            (rest.z - boxMin.z) / boxSize.z);
        blob->vertices[i].x = p.x;
        blob->vertices[i].y = p.y;
        blob->vertices[i].z = p.z;
    }
}

} // namespace

cVector glow_BezierVolume(const cVector (&points)[kGlowLattice][kGlowLattice][kGlowLattice], float u, float v,
                          float w)
{
    float bu[n], bv[n], bw[n];
    Bernstein(u, bu);
    Bernstein(v, bv);
    Bernstein(w, bw);
    cVector sum(0.0f, 0.0f, 0.0f);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k) sum += points[i][j][k] * (bu[i] * bv[j] * bw[k]);
    return sum;
}

void glow_Init()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    restBlob = new cObject("obj\\blob7_3k.obj", device);
    Prepare(restBlob);
    blob = new cObject("obj\\blob7_3k.obj", device);
    Prepare(blob);
    // The disc comes with the glow but is not drawn.
    disc = new cObject("obj\\glow.obj", device);

    SpanBoundingBox();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            for (int k = 0; k < n; ++k) {
                LatticePoint& point = lattice[i][j][k];
                point.rest = boxMin + cVector(boxSize.x * static_cast<float>(i) / (n - 1),
                                              boxSize.y * static_cast<float>(j) / (n - 1),
                                              boxSize.z * static_cast<float>(k) / (n - 1));
                for (float& phase : point.phase) phase = static_cast<float>(RandomNext() % 900);
                for (float& period : point.period) period = static_cast<float>(RandomNext() % 800 + 200) * 0.1f;
            }
        }
    }
}

void glow_Draw(float e, float level)
{
    if (blob == nullptr) return;
    if (!updated) {
        firstUpdate = timeGetTime();
        updated = true;
    }
    Reshape(static_cast<float>(timeGetTime() - firstUpdate));
    blob->Upload();
    blob->Spin();
    const float scale = 10.0f * level * level + 40.0f;
    restBlob->scale = scale;
    blob->scale = scale;
    blob->rotation = cVector(3.0f * pi / 2.0f, 0.1f * e * pi / 180.0f, 0.0f);
    g_render->DrawObject(blob, 0);
}
