#include "effects/fx06.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "app/demo.h"
#include "effects/paski.h"
#include "effects/wave_mesh.h"
#include "effects/stage_states.h"
#include "math/vector.h"
#include "objects/object.h"
#include "render/image_quad.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;
constexpr float beats[] = {111500, 112000, 112518};
constexpr float scaleTimes[] = {112808, 113295, 113632, 113995, 114979, 115467, 115966, 116381, 116681};
constexpr float slotStart = 110450.0f;

// The surface: N x N quads over the sphere's angles, four vertices and two
// triangles each.
constexpr std::uint32_t surfaceSteps = 32;
constexpr std::uint32_t surfaceQuads = surfaceSteps * surfaceSteps;

constexpr float fa = 1.0f, fb = 3.0f, fc = 3.0f, fd = 1.0f;
constexpr float ea = 2.0f, eb = 4.0f, ec = 2.0f, ed = 2.0f;

cWaveMesh* waveMesh = nullptr;
CPaski* stripesA = nullptr;
CPaski* stripesB = nullptr; // made, never drawn
CImageQuad* quad = nullptr;
cObjectDyn* surface = nullptr;
cObjectDyn* spareSurface = nullptr; // made, never drawn
float phase = 0.0f;

cVector SurfacePoint(float a, float b)
{
    const float r = fx06_Radius(a, b, phase);
    return cVector(r * std::sin(b) * std::cos(a), r * std::cos(b), r * std::sin(a) * std::sin(b));
}

// The unit normal of the plane through p0, p1 and p2; a quad squeezed to a
// line at a pole keeps a zero normal.
cVector PlaneNormal(const cVector& p0, const cVector& p1, const cVector& p2)
{
    const cVector e1 = p1 - p0;
    const cVector e2 = p2 - p0;
    const cVector n(e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x);
    const float length = VectorLength(n);
    return length > 0.0f ? n * (1.0f / length) : n;
}

// The quad (a, b), (a + da, b), (a, b + db), (a + da, b + db) in that vertex
// order, all four with the normal of the plane of its first three corners.
// u runs round the surface and v from pole to pole.
void RebuildSurface()
{
    const float da = 2.0f * pi / surfaceSteps;
    const float db = pi / surfaceSteps;
    for (std::uint32_t i = 0; i < surfaceSteps; ++i) {
        for (std::uint32_t j = 0; j < surfaceSteps; ++j) {
            const float a = static_cast<float>(i) * da;
            const float b = static_cast<float>(j) * db;
            const float as[4] = {a, a + da, a, a + da};
            const float bs[4] = {b, b, b + db, b + db};
            cVector corners[4];
            for (int c = 0; c < 4; ++c) corners[c] = SurfacePoint(as[c], bs[c]);
            const cVector normal = PlaneNormal(corners[0], corners[1], corners[2]);
            MeshVertex* quadVertices = &surface->vertices[4 * (i * surfaceSteps + j)];
            for (int c = 0; c < 4; ++c) {
                quadVertices[c] = {corners[c].x, corners[c].y, corners[c].z, normal.x, normal.y, normal.z,
                                   as[c] / (2.0f * pi), bs[c] / pi};
            }
        }
    }
    surface->Upload();
}

// Both triangles of every quad turn the same way: (0, 1, 2) and (1, 3, 2).
void SetSurfaceTriangles(cObjectDyn* mesh)
{
    for (std::uint32_t q = 0; q < surfaceQuads; ++q) {
        const auto first = static_cast<std::uint16_t>(4 * q);
        const std::uint16_t corners[6] = {0, 1, 2, 1, 3, 2};
        for (int c = 0; c < 6; ++c) mesh->indices[6 * q + c] = static_cast<std::uint16_t>(first + corners[c]);
    }
}

void SetTranslucentBlending(IDirect3DDevice8* device)
{
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
}

// Each draw turns the surface on and leaves the phase the next frame's
// rebuild starts from.
void DrawSurface(IDirect3DDevice8* device, float t)
{
    phase = t * 0.0014285714f;
    g_render->SetTexture("1", 0);
    g_render->ClearTexture(0);
    g_camera->Set(cVector(0.0f, 1.0f, 7.0f), cVector(0.0f, 0.0f, 0.0f));
    surface->SetRotationSpeed(0.2f, 0.5f, 0.6f);
    surface->Spin();
    surface->scale = fx06_Scale(t, surface->scale);
    surface->position = cVector(3.0f, 0.0f, 0.0f);
    g_render->SetBlendMode(0, 0);
    g_render->SetBlendMode(1, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    g_render->DrawObject(surface, 0);
}

void DrawFloorAndCeiling(IDirect3DDevice8* device, float t)
{
    g_render->SetBlendMode(2, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U);
    SetTranslucentBlending(device);
    SetTextureTimesDiffuse(device);
    g_render->SetTexture("3", 0);
    fx* grid = g_grid3;
    // The floor is computed before this frame's speed is set, with the speed
    // the grid had from the previous frame.
    grid->Update(3, t);
    grid->speed = 0.1f;
    grid->baseAngles = cVector(0.0f, 0.0f, 25.0f);
    grid->angleRates = cVector(0.0f, 0.0f, 0.0f);
    grid->Animate(t, true);
    const D3DCOLOR alpha = static_cast<D3DCOLOR>(fx06_GridAlpha(t)) << 24;
    for (unsigned i = 0; i < grid->cols * grid->rows; ++i)
        grid->displayVertices[i].diffuse = (grid->displayVertices[i].diffuse & 0x00FFFFFF) | alpha;
    grid->Draw();
}

void DrawSurfaceTwice(IDirect3DDevice8* device, float t)
{
    device->SetRenderState(D3DRS_WRAP0, 0);
    RebuildSurface();
    g_render->SetFov(2.0f);
    g_render->SetMaterial(0.4f, 1.0f, 1.0f, 1.0f);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    DrawSurface(device, t);

    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    g_render->SetMaterial(0.6f, 1.0f, 1.0f, 1.0f);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U | D3DWRAP_V);
    SetTranslucentBlending(device);
    SetTextureTimesDiffuse(device);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    DrawSurface(device, t);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    g_render->SetFov(1.75f);
}

void DrawAlphaPicture(IDirect3DDevice8* device, float t)
{
    g_render->SetMaterial(0.0f, 1.0f, 1.0f, 1.0f);
    g_render->SetTexture("fx06_alfa", 0);
    g_render->SetBlendMode(0, 0);
    SetTranslucentBlending(device);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    g_render->SetMaterial(fx06_PictureAlpha(t), 1.0f, 1.0f, 1.0f);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    g_camera->Set(cVector(0.0f, 0.0f, -196.0f), cVector(0.0f, 0.0f, 0.0f));
    waveMesh->Update(t, 2);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
}

} // namespace

float fx06_Radius(float a, float b, float p)
{
    return std::pow(std::sin(fa * b + p), ea) + std::pow(std::cos(fb * b), eb) + std::pow(std::sin(fc * a), ec) +
           std::pow(std::cos(fd * a + p), ed);
}

float fx06_Scale(float t, float current)
{
    for (int k = 0; k < 8; ++k) {
        const float start = scaleTimes[k];
        const float end = scaleTimes[k + 1];
        if (start < t && t < end)
            return 0.2f * static_cast<float>(k) + 0.4f * std::sin(0.75f * pi * (t - start) / (end - start)) + 1.4f;
    }
    return current;
}

float fx06_PictureAlpha(float t)
{
    float alpha = 0.6f;
    for (float beat : beats) {
        if (beat < t && t < beat + 120.0f) alpha = 0.6f - 0.3f * (t - beat) / 120.0f;
    }
    return alpha;
}

unsigned fx06_GridAlpha(float t)
{
    // Before the slot begins (never, in the show) the layer stays invisible.
    const float fade = std::clamp((t - slotStart) * 0.0018181818181818182f, 0.0f, 1.0f);
    return static_cast<unsigned>(fade * 64.0f);
}

void fx06_Init()
{
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    stripesA = new CPaski(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
    stripesB = new CPaski(0xEF000000, 3, 5, 10, 70.0f, 5, 20);
    g_render->LoadTexture("data\\fx06_tlo.jpg", "fx06_tlo");
    g_render->LoadTextureWithAlpha("data\\fx06_tlo.jpg", "data\\fx06_tloalfa.jpg", "fx06_alfa");
    quad = new CImageQuad(g_render->GetDevice(), ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
}

void fx06_InitSurface()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    surface = new cObjectDyn(4 * surfaceQuads, 2 * surfaceQuads, device);
    spareSurface = new cObjectDyn(4 * surfaceQuads, 2 * surfaceQuads, device);
    SetSurfaceTriangles(surface);
    SetSurfaceTriangles(spareSurface);
}

void fx06_Render(float timeMs)
{
    const float t = timeMs;
    IDirect3DDevice8* device = g_render->GetDevice();

    g_render->clearColor = 0xFF000000;
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    device->SetRenderState(D3DRS_WRAP0, 0);

    g_render->SetTexture("fx06_tlo", 0);
    g_render->SetBlendMode(0, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    quad->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    quad->Draw(device);

    DrawFloorAndCeiling(device, t);
    DrawSurfaceTwice(device, t);

    stripesA->Update(t);
    stripesA->Draw();

    DrawAlphaPicture(device, t);
}
