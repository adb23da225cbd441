#include "effects/fxquill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/demo.h"
#include "effects/znaki.h"
#include "objects/object.h"
#include "platform/fmod/fmod.h"
#include "render/radial_blur.h"
#include "support/random.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// The surface: 24 x 24 cells over the sphere's angles, each cell with four
// vertices of its own and two triangles.
constexpr int cellsPerSide = 24;
constexpr int cellCount = cellsPerSide * cellsPerSide;
constexpr double thetaStep = pi / cellsPerSide;
constexpr double phiStep = 2.0 * pi / cellsPerSide;
constexpr float restScale = 1.4f;

constexpr float beats[] = {233209, 237662, 240193, 243147, 244146, 245713, 248616};

// The flares' lap: a degree-16 Bezier curve in screen pixels.
constexpr int curveDegree = 16;
constexpr double curve[curveDegree + 1][2] = {{455, 480}, {454, 400}, {480, 321}, {382, 180}, {481, 329}, {547, 335},
                                              {689, 269}, {641, 135}, {742, 323}, {637, 508}, {547, 554}, {490, 409},
                                              {614, 303}, {564, 230}, {564, 140}, {564, 70},  {569, 0}};
constexpr double lapMs = 2500.0;
constexpr int lapFactorCount = 250;
constexpr unsigned maxLaunches = 100;

cObjectDyn* surface = nullptr;
CRadialBlur* blur = nullptr;
CImageQuad* background = nullptr;
float lapFactor[lapFactorCount];
// One spare slot past the last drawn launch takes every launch after it.
float launchTimes[maxLaunches + 1];
unsigned launched = 0;
int lastLaunchStep = 0;
ScreenVertex bars[kQuillBarVertexCapacity];

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    g_device->SetRenderState(state, value);
}

void SetStageFilters(DWORD filter)
{
    g_device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
    g_device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

struct Point {
    double x, y, z;
};

Point operator-(const Point& a, const Point& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Point SurfacePoint(double phi, double theta, double phase)
{
    const double r = std::pow(std::sin(theta + phase), 2.0) + std::pow(std::cos(3.0 * theta + phase), 5.0) +
                     std::pow(std::sin(3.0 * phi + phase), 2.0) + std::pow(std::cos(2.0 * phi), 2.0);
    return {r * std::sin(theta) * std::cos(phi), r * std::cos(theta), r * std::sin(theta) * std::sin(phi)};
}

// Position and normal at (phi, theta); the normal comes from two points a
// tenth of a cell further along each angle. A degenerate normal stays 0.
// The vertex's texture coordinates are left as they are: they stay the 0 the
// mesh was made with, since both draws take theirs from the normals.
void ShapeVertex(MeshVertex& vertex, double phi, double theta, double phase)
{
    const Point p0 = SurfacePoint(phi, theta, phase);
    const Point a = SurfacePoint(phi + phiStep / 10.0, theta, phase) - p0;
    const Point b = SurfacePoint(phi, theta + thetaStep / 10.0, phase) - p0;
    Point n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (length > 0.0) n = {n.x / length, n.y / length, n.z / length};
    vertex.x = static_cast<float>(p0.x);
    vertex.y = static_cast<float>(p0.y);
    vertex.z = static_cast<float>(p0.z);
    vertex.nx = static_cast<float>(n.x);
    vertex.ny = static_cast<float>(n.y);
    vertex.nz = static_cast<float>(n.z);
}

// Each cell's corners in the order (phi, theta), (phi + d, theta),
// (phi + d, theta + d), (phi, theta + d).
void ShapeSurface(float phase)
{
    for (int i = 0; i < cellsPerSide; ++i) {
        const double phi = i * phiStep;
        for (int j = 0; j < cellsPerSide; ++j) {
            const double theta = j * thetaStep;
            MeshVertex* corners = &surface->vertices[4 * (cellsPerSide * i + j)];
            ShapeVertex(corners[0], phi, theta, phase);
            ShapeVertex(corners[1], phi + phiStep, theta, phase);
            ShapeVertex(corners[2], phi + phiStep, theta + thetaStep, phase);
            ShapeVertex(corners[3], phi, theta + thetaStep, phase);
        }
    }
    surface->Upload();
}

double Binomial(int n, int k)
{
    double value = 1.0;
    for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
    return value;
}

void CurvePoint(double u, double* x, double* y)
{
    *x = 0.0;
    *y = 0.0;
    for (int i = 0; i <= curveDegree; ++i) {
        const double weight = Binomial(curveDegree, i) * std::pow(u, i) * std::pow(1.0 - u, curveDegree - i);
        *x += weight * curve[i][0];
        *y += weight * curve[i][1];
    }
}

// The surface turning about all three axes, textured through its normals.
void DrawSurface(float t, float pulse, const char* texture)
{
    g_render->SetTexture(texture, 0);
    g_camera->Set(cVector(0.0f, 1.0f, 7.0f), cVector(0.0f, 0.0f, 0.0f));
    const float s = t * 0.0125f;
    surface->rotation = cVector(0.05f * s, 0.1f * s, 0.03f * s);
    surface->scale = restScale + 0.5f * pulse;
    g_render->SetBlendMode(0, 0);
    g_render->SetBlendMode(1, 0);
    SetState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_ZWRITEENABLE, TRUE);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_render->DrawObject(surface, 0);
}

// The surface's rim for the blur: the surface, then a smaller black copy over
// it. The sphere-map transform is set between the two draws, so the first
// draw of a frame maps through the transform the previous frame left.
void DrawBlurredRim(float t, float pulse)
{
    blur->SetCentre(0.2f, 0.2f);
    blur->BeginRender(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawSurface(t, pulse, "2");
    SetState(D3DRS_ZENABLE, FALSE);
    g_render->SetTexture("black", 0);
    g_render->SetMaterial(1.0f, 0.0f, 0.0f, 0.0f);
    surface->scale = 0.7f + 0.5f * pulse;
    const cMatrix sphereMap = MatrixScaling(0.5f) * MatrixTranslation(0.5f, 0.5f, 0.5f);
    g_device->SetTransform(D3DTS_TEXTURE0, reinterpret_cast<const D3DMATRIX*>(static_cast<const float*>(sphereMap)));
    g_render->DrawObject(surface, 0);
    SetStageFilters(D3DTEXF_LINEAR);
    blur->EndRender();
    SetStageFilters(D3DTEXF_LINEAR);
}

void DrawBackground()
{
    g_render->clearColor = 0;
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    g_render->SetTexture("fxquill_tlo", 0);
    g_render->SetBlendMode(0, 0);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    background->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    background->Draw(g_device);
}

void DrawBlurOverlay()
{
    SetState(D3DRS_LIGHTING, FALSE);
    SetState(D3DRS_CULLMODE, 0);
    SetState(D3DRS_EDGEANTIALIAS, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    CImageQuad overlay(g_device, ~0u, ~0u, ~0u, ~0u);
    overlay.SetTexCoords(0.5f, 0.0f, 1.0f, 1.0f);
    g_render->SetTexture(blur->GetTexture(), 0);
    overlay.Draw(g_device);
}

void DrawSpectrumBars(const float* spectrum)
{
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    g_render->SetTexture("white", 0);
    g_render->SetBlendMode(0, 0);
    if (spectrum == nullptr) return;
    const unsigned blocks = fxquill_SpectrumBars(spectrum, bars);
    if (blocks == 0) return;
    g_device->SetVertexShader(kScreenVertexFvf);
    g_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2 * blocks, bars, sizeof(ScreenVertex));
}

// A new flare sets off every 250 ms of rising show time.
void LaunchFlares(float t)
{
    const int step = static_cast<int>((t - 200000.0f) * 0.004);
    if (step > lastLaunchStep) {
        launchTimes[launched] = t;
        if (launched < maxLaunches) ++launched;
    }
    lastLaunchStep = step;
}

// The flares darken the picture they cover.
void DrawFlares(float t)
{
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    g_render->SetTexture("flarainv", 0);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    SetState(D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR);
    g_device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SUBTRACT);
    g_device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    g_device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    LaunchFlares(t);
    for (unsigned i = 0; i < launched; ++i) {
        QuillFlare flare{};
        if (fxquill_Flare(t - launchTimes[i], lapFactor[i], &flare)) {
            g_render->DrawSprite(flare.x, flare.y, 0.5f, flare.alpha, flare.scale, 0.0f, nullptr);
        }
    }
    sprite->End();
}

} // namespace

float fxquill_Pulse(float t)
{
    float p = 0.0f;
    for (float beat : beats) {
        if (beat <= t && t <= beat + 400.0f) {
            const float d = t - beat;
            p = d < 100.0f ? d * 0.01f : static_cast<float>(1.0 - (d - 100.0f) * 0.0033333333333333335);
        }
    }
    return p;
}

unsigned fxquill_SpectrumBars(const float* spectrum, ScreenVertex* vertices)
{
    unsigned blocks = 0;
    for (unsigned column = 0; column < kQuillColumns; ++column) {
        const float* values = spectrum + 4 * column;
        const float sum = values[0] + values[1] + values[2] + values[3];
        const int count = static_cast<int>(std::min(sum * 60 * 0.1, static_cast<double>(kQuillMaxBlocks)));
        const float left = 15.0f * static_cast<float>(column);
        const float right = left + 13.0f;
        for (int b = 0; b < count; ++b) {
            const float bottom = 480.0f - 13.0f * static_cast<float>(b);
            const float top = bottom - 10.0f;
            const auto corner = [&](float x, float y, float u, float v) {
                return ScreenVertex{x, y, 0.9f, 1.0f, 0x2FFFFFFF, u, v};
            };
            const ScreenVertex corners[6] = {corner(left, top, 0, 0),    corner(right, top, 1, 0),
                                             corner(left, bottom, 0, 1), corner(left, bottom, 0, 1),
                                             corner(right, top, 1, 0),   corner(right, bottom, 1, 1)};
            std::copy(corners, corners + 6, vertices + 6 * blocks);
            ++blocks;
        }
    }
    return blocks;
}

// The flare flashes twice near the end of each lap, a little larger the
// further round it is, and is hidden between the two flashes; elsewhere it
// is drawn fully transparent.
bool fxquill_Flare(float age, float lapFactor, QuillFlare* flare)
{
    const double laps = age / (lapFactor * lapMs);
    const double u = laps - std::trunc(laps);
    if (u >= 0.77 && u < 0.81) return false;
    double x = 0.0, y = 0.0;
    CurvePoint(u, &x, &y);
    const bool flashing = (u >= 0.74 && u < 0.77) || (u >= 0.81 && u < 0.84);
    *flare = {static_cast<float>(x), static_cast<float>(y), flashing ? 1.0f : 0.0f,
              flashing ? static_cast<float>(0.2 * u) : 0.2f};
    return true;
}

void fxquill_Init()
{
    g_render->LoadTexture("data\\flarainv.jpg", "flarainv");
    g_render->LoadTexture("data\\nightglass512.jpg", "fxquill_tlo");
    blur = new CRadialBlur(g_device, 24, 128, 0.02f, 0.005f);
    blur->SetCentre(0.0f, 0.0f);
    background = new CImageQuad(g_device, ~0u, ~0u, ~0u, ~0u);
    background->SetAlpha(1);
    for (float& factor : lapFactor) factor = static_cast<float>(RandomNext() % 1000 * 0.001 + 1.0);
}

// A twin of the surface that nothing draws is not made.
void fxquill_InitSurface()
{
    surface = new cObjectDyn(4 * cellCount, 2 * cellCount, g_device);
    for (int c = 0; c < cellCount; ++c) {
        const std::uint16_t v = static_cast<std::uint16_t>(4 * c);
        const std::uint16_t triangles[6] = {v, static_cast<std::uint16_t>(v + 1), static_cast<std::uint16_t>(v + 2),
                                            v, static_cast<std::uint16_t>(v + 2), static_cast<std::uint16_t>(v + 3)};
        std::copy(triangles, triangles + 6, surface->indices.begin() + 6 * c);
    }
    ShapeSurface(0.0f);
    surface->scale = restScale;
}

void fxquill_Render(float timeMs)
{
    const float t = timeMs;
    const float* spectrum = FSOUND_DSP_GetSpectrum();
    const float pulse = fxquill_Pulse(t);
    ShapeSurface(static_cast<float>(t * 0.0014285714285714286));
    surface->position = cVector(4.5f, 2.5f, 0.0f);

    DrawBlurredRim(t, pulse);
    DrawBackground();
    DrawSurface(t, pulse, "1");
    DrawBlurOverlay();
    DrawSpectrumBars(spectrum);
    DrawFlares(t);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_ZWRITEENABLE, TRUE);
    znaki_Draw(t);
}
