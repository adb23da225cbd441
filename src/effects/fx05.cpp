#include "effects/fx05.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/demo.h"
#include "effects/float_bits.h"
#include "effects/glow.h"
#include "effects/paski.h"
#include "effects/wave_mesh.h"
#include "effects/stage_states.h"
#include "math/matrix.h"
#include "math/rotate_point.h"
#include "objects/object.h"
#include "platform/fmod/fmod.h"
#include "render/image_quad.h"
#include "support/random.h"

namespace {

constexpr float slotStart = 200000.0f;
constexpr float beats[] = {203528.0f, 208509.0f, 218790.0f};
const char* const pictures[5] = {"1", "2", "3", "4", "5"};

constexpr int trailCount = 6;
constexpr int rowCount = 4;
constexpr int maxTracers = 150;
constexpr int tailPoints = 16;
constexpr float tailSpacing = 0.008f; // of the curve between two tail points
constexpr float tracerRun = 3000.0f;  // ms along the whole curve
constexpr float tracerInterval = 100.0f;
constexpr float flareSize = 12.0f;

struct FlareVertex {
    float x, y, z;
    D3DCOLOR colour;
};
static_assert(sizeof(FlareVertex) == 16);
constexpr DWORD flareFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

struct Tracer {
    float start; // show time it set off
    int row;
};

struct OrbitTrail {
    double near[rowCount][4][3]; // control points, row by row
    double far[rowCount][4][3];  // the same with y and z negated
    double points[rowCount][4][3];
    float phase[rowCount];
    Tracer tracers[maxTracers];
    int tracerCount = 0;
    D3DCOLOR colour;
};

// One loop over the blob, from its left to its right, before the random
// offsets (which average -40 per coordinate) and each trail's own turn. The
// six trails are turned 60 degrees apart about the vertical and tilted in
// turn either way, each in its own colour; a tracer draws its head and a
// tail of sixteen flares fading along the curve.
constexpr double loopPoints[4][3] = {{-280, 40, 40}, {-200, 420, 220}, {280, 420, -140}, {360, 40, 40}};
constexpr D3DCOLOR trailColours[trailCount] = {0xFFB070, 0x70A8FF, 0xFF6098, 0x80FFC8, 0xC088FF, 0xFFE070};

float level = 0.0f; // the music level of the last spectrum read
OrbitTrail trails[trailCount];
FlareVertex flareVertices[maxTracers * tailPoints];
cObject* box = nullptr;
cObject* ring = nullptr;
cWaveMesh* waveMesh = nullptr;
CPaski* stripesA = nullptr;
CPaski* stripesB = nullptr;
CImageQuad* quad = nullptr;

void ReadMusicLevel()
{
    const float* spectrum = FSOUND_DSP_GetSpectrum();
    if (spectrum == nullptr) return;
    float sum = 0.0f;
    for (int i = 0; i < 256; ++i) sum += spectrum[i];
    level = sum * 0.015625f;
}

void Prepare(cObject* object)
{
    object->ComputeNormals();
    object->MakeSphereMapCoords();
    object->Upload();
}

void BuildTrail(OrbitTrail& trail, int index)
{
    const float yaw = 60.0f * static_cast<float>(index);
    const float tilt = index % 2 == 0 ? 25.0f : -25.0f;
    for (int row = 0; row < rowCount; ++row) {
        for (int c = 0; c < 4; ++c) {
            double p[3];
            for (int axis = 0; axis < 3; ++axis) p[axis] = loopPoints[c][axis] + (RandomNext() % 80 - 80);
            const cVector turned = RotatePoint(static_cast<float>(p[0]), static_cast<float>(p[1]),
                                               static_cast<float>(p[2]), tilt, yaw, 0.0f);
            const double near[3] = {turned.x, turned.y, turned.z};
            for (int axis = 0; axis < 3; ++axis) {
                trail.near[row][c][axis] = near[axis];
                trail.far[row][c][axis] = axis == 0 ? near[axis] : -near[axis];
                trail.points[row][c][axis] = near[axis];
            }
        }
    }
    for (float& phase : trail.phase) phase = static_cast<float>(RandomNext() % 5000);
    trail.tracerCount = 0;
    trail.colour = trailColours[index];
}

void MoveTrail(OrbitTrail& trail, float t, float e)
{
    for (int row = 0; row < rowCount; ++row) {
        const double f = std::fabs(std::sin((trail.phase[row] + e) * 0.0001 * std::numbers::pi));
        for (int c = 0; c < 4; ++c)
            for (int axis = 0; axis < 3; ++axis)
                trail.points[row][c][axis] =
                    trail.near[row][c][axis] + (trail.far[row][c][axis] - trail.near[row][c][axis]) * f;
    }
    const int due = std::min(maxTracers, static_cast<int>(std::max(e, 0.0f) / tracerInterval));
    while (trail.tracerCount < due) trail.tracers[trail.tracerCount++] = {t, RandomNext() % rowCount};
}

cVector CurvePoint(const double (&row)[4][3], double s)
{
    const double r = 1.0 - s;
    const double b[4] = {r * r * r, 3.0 * s * r * r, 3.0 * s * s * r, s * s * s};
    double p[3] = {0.0, 0.0, 0.0};
    for (int c = 0; c < 4; ++c)
        for (int axis = 0; axis < 3; ++axis) p[axis] += b[c] * row[c][axis];
    return cVector(static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]));
}

// Lays the trail's flares along the tracers' paths, turned as a whole by
// angles that follow the show time; returns how many were laid.
UINT LayFlares(const OrbitTrail& trail, float t, float e)
{
    UINT count = 0;
    const float angleX = 0.002f * e, angleY = 0.006f * e + 20.0f, angleZ = 0.001f * e;
    for (int i = 0; i < trail.tracerCount; ++i) {
        const Tracer& tracer = trail.tracers[i];
        float progress = (t - tracer.start) / tracerRun;
        progress -= std::floor(progress);
        for (int k = 0; k < tailPoints; ++k) {
            const float s = progress - tailSpacing * static_cast<float>(k);
            if (s < 0.0f) break;
            const cVector p = CurvePoint(trail.points[tracer.row], s);
            const cVector turned = RotatePoint(p.x, p.y, p.z, angleX, angleY, angleZ);
            const auto alpha = static_cast<D3DCOLOR>(255 * (tailPoints - k) / tailPoints);
            flareVertices[count++] = {turned.x, turned.y, turned.z, (alpha << 24) | trail.colour};
        }
    }
    return count;
}

void DrawPictureCrossFade(IDirect3DDevice8* device, float e)
{
    g_renderTarget->BeginRender(device);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device->BeginScene();
    const Fx05CrossFade fade = fx05_CrossFade(e);
    // Bound by name, so that the sprite takes each picture's own size.
    g_render->SetTexture(pictures[fade.first], 0);
    g_render->DrawSprite(127.0f, 127.0f, 0.1f, fade.alpha, 1.0f, 0.0f, nullptr);
    g_render->SetTexture(pictures[fade.second], 0);
    g_render->DrawSprite(127.0f, 127.0f, 0.1f, 1.0f - fade.alpha, 1.0f, 0.0f, nullptr);
    device->EndScene();
    g_renderTarget->EndRender(device);
}

void SetGridStages(IDirect3DDevice8* device)
{
    g_render->SetBlendMode(2, 0);
    SetTextureTimesDiffuse(device);
}

// The inversion map drawn opaque, the tunnel blended over it by its depth cue.
void DrawGridLayers(IDirect3DDevice8* device, float t)
{
    SetGridStages(device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_render->SetTexture("3", 0);
    fx* inversion = g_grid3;
    inversion->speed = 0.1f;
    inversion->Update(9, t);
    inversion->baseAngles = cVector(0.0f, 0.0f, 25.0f);
    inversion->angleRates = cVector(0.0f, 0.0f, 0.0f);
    inversion->Animate(t, false);
    inversion->Draw();

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    fx* tunnel = g_grid2;
    tunnel->speed = 0.1f;
    tunnel->Update(10, t);
    tunnel->baseAngles = cVector(0.0f, 0.0f, 25.0f);
    tunnel->angleRates = cVector(0.0f, 0.0f, 1.0f);
    tunnel->Animate(t, true);
    const float factor = fx05_TunnelFactor(t);
    for (unsigned i = 0; tunnel->displayVertices != nullptr && i < tunnel->cols * tunnel->rows; ++i) {
        D3DCOLOR& diffuse = tunnel->displayVertices[i].diffuse;
        const auto alpha = static_cast<D3DCOLOR>(static_cast<float>(diffuse >> 24) * factor);
        diffuse = (alpha << 24) | (diffuse & 0x00FFFFFF);
    }
    tunnel->Draw();
}

// The sphere-mapped coordinates (0.5 n + 0.5) turned about the picture's
// centre, a radian every 10 s at rotation 5, and kept off the target's last
// row and column, which the pictures leave black.
void SetEnvironmentTransform(IDirect3DDevice8* device, float rotation, float e)
{
    constexpr float filled = 255.0f / 256.0f;
    const cMatrix transform = MatrixRotationZ(rotation * e * 0.00002f) *
                              MatrixScaling(cVector(0.5f * filled, -0.5f * filled, 1.0f)) *
                              MatrixTranslation(0.5f * filled, 0.5f * filled, 0.0f);
    device->SetTransform(D3DTS_TEXTURE0, reinterpret_cast<const D3DMATRIX*>(static_cast<const float*>(transform)));
}

void SetEnvironment(IDirect3DDevice8* device, float t, float e)
{
    g_render->SetTexture(g_renderTarget->GetTexture(), 0);
    SetEnvironmentTransform(device, 15.0f, e);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_camera->Set(RotatePoint(0.0f, -2.0f, -300.0f, 0.0f, 0.05f * t, 0.0f), cVector(0.0f, 0.0f, 0.0f));
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    // The blob is drawn 40 times its size and more, which shortens its
    // camera-space normals as much; normalised, they span the whole picture.
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    g_render->SetBlendMode(1, 0);
    SetEnvironmentTransform(device, 5.0f, e);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}

// Additive flares, hidden behind the blob but not hiding each other.
void DrawFlares(IDirect3DDevice8* device, float t, float e)
{
    g_render->SetTexture("flaraorbita", 0);
    g_render->SetBlendMode(2, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(flareSize));
    device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(1.0f));
    g_render->SetupMatrices(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    device->SetVertexShader(flareFvf);
    for (OrbitTrail& trail : trails) {
        MoveTrail(trail, t, e);
        const UINT count = LayFlares(trail, t, e);
        if (count > 0) device->DrawPrimitiveUP(D3DPT_POINTLIST, count, flareVertices, sizeof(FlareVertex));
    }
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}

} // namespace

Fx05CrossFade fx05_CrossFade(float e)
{
    const auto k = static_cast<unsigned>(0.0005f * e);
    const unsigned i = k % 5;
    return {i, (i + 1) % 5, 1.0f - (e - 2000.0f * static_cast<float>(k)) * 0.0005f};
}

D3DVIEWPORT8 fx05_Letterbox(float e)
{
    const float g = std::min(0.00066666667f * e, 1.0f);
    return {0, static_cast<DWORD>(40.0f * g), 640, static_cast<DWORD>(480.0f - 80.0f * g), 0.0f, 1.0f};
}

float fx05_TunnelFactor(float t)
{
    float p = 0.0f;
    for (float beat : beats)
        if (beat <= t && t < beat + 200.0f) p = (t - beat) * 0.005f;
    return 0.35f + 0.65f * p;
}

void fx05_Init()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    // The box and the ring are prepared like the glow but not drawn.
    box = new cObject("obj\\box.obj", device);
    Prepare(box);
    ring = new cObject("obj\\o1.obj", device);
    Prepare(ring);
    for (int i = 0; i < trailCount; ++i) BuildTrail(trails[i], i);
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    stripesA = new CPaski(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
    stripesB = new CPaski(0xEF000000, 6, 10, 20, 70.0f, 5, 20);
    quad = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
    g_render->LoadTexture("data\\flaraorbita.jpg", "flaraorbita");
}

void fx05_Render(float timeMs)
{
    const float t = timeMs;
    const float e = t - slotStart;
    IDirect3DDevice8* device = g_render->GetDevice();

    ReadMusicLevel();
    DrawPictureCrossFade(device, e);

    g_render->SetViewport(0.0f, 0.0f, 640.0f, 480.0f);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    g_render->BeginFrame(2);
    const D3DVIEWPORT8 letterbox = fx05_Letterbox(e);
    g_render->SetViewport(static_cast<float>(letterbox.X), static_cast<float>(letterbox.Y),
                          static_cast<float>(letterbox.Width), static_cast<float>(letterbox.Height));
    g_render->SetFov(1.75f);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U | D3DWRAP_V);

    DrawGridLayers(device, t);
    SetEnvironment(device, t, e);
    glow_Draw(e, level);
    DrawFlares(device, t, e);

    // The first set of stripes; the second is made but not drawn.
    stripesA->Update(t);
    stripesA->Draw();
}
