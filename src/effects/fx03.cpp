#include "effects/fx03.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/demo.h"
#include "effects/float_bits.h"
#include "effects/music_level.h"
#include "effects/paski.h"
#include "effects/wave_mesh.h"
#include "math/rotate_point.h"
#include "objects/object.h"
#include "platform/fmod/fmod.h"
#include "render/image_quad.h"
#include "support/random.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;

constexpr float cutWindows[][2] = {{151266.0f, 152276.0f}, {153663.0f, 155202.0f}};
constexpr float flashRampFrom = 171500.0f;

constexpr int particleCount = 400;

// The tube: rings of vertices round the x axis, each joined to the next.
struct TubeVertex {
    float x, y, z;
    D3DCOLOR color;
};
static_assert(sizeof(TubeVertex) == 16);
constexpr DWORD tubeVertexFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;
constexpr int tubeRings = 42;
constexpr int ringVertices = 18;
constexpr int tubeVertexCount = tubeRings * ringVertices;
constexpr int tubeLines = (tubeRings - 1) * ringVertices * 2;

constexpr int flockSize = 40;

constexpr float purple[4] = {0.7f, 0.518f, 0.753f, 1.0f};

SpriteVertex particles[particleCount];
SpriteVertex particlesAtStart[particleCount];
float particleSpeed[particleCount];

TubeVertex tubeBase[tubeVertexCount];
TubeVertex tube[tubeVertexCount];
WORD tubeIndices[tubeLines * 2];

// Made for its draws from the random generator, which fix everything drawn
// after it; this scene does not show it.
cWaveMesh* waveMesh = nullptr;
CPaski* stripesA = nullptr;
CPaski* stripesB = nullptr;
cObject* wings = nullptr;
CImageQuad* quad = nullptr;
float flockPeriod[flockSize];

void BuildParticles()
{
    for (int i = 0; i < particleCount; ++i) {
        SpriteVertex& p = particles[i];
        p.z = static_cast<float>(RandomNext() % 40 - 20);
        p.y = static_cast<float>(RandomNext() % 40 - 20);
        p.x = static_cast<float>(RandomNext() % 2000 - 1000);
        p.size = static_cast<float>(RandomNext() % 1000) * 0.001f;
        p.color = 0x7FFFFFFF;
        particlesAtStart[i] = p;
        particleSpeed[i] = 1.2f - p.size;
    }
}

// Ring 0 stands a little further out than the spacing of the others.
void BuildTube()
{
    for (int r = 0; r < tubeRings; ++r) {
        const float x = r == 0 ? -880.0f : static_cast<float>(40 * r - 840);
        for (int u = 0; u < ringVertices; ++u) {
            const cVector onRing = RotatePoint(0.0f, 0.0f, 80.0f, 20.0f * static_cast<float>(u), 0.0f, 0.0f);
            tubeBase[r * ringVertices + u] = {x, onRing.y, onRing.z, 0x7FFFFFFF};
        }
    }
    std::copy(std::begin(tubeBase), std::end(tubeBase), tube);
    WORD* index = tubeIndices;
    for (int r = 0; r < tubeRings - 1; ++r) {
        for (int u = 0; u < ringVertices; ++u) {
            *index++ = static_cast<WORD>(ringVertices * r + u);
            *index++ = static_cast<WORD>(ringVertices * r + (u + 1) % ringVertices);
            *index++ = static_cast<WORD>(ringVertices * r + u);
            *index++ = static_cast<WORD>(ringVertices * (r + 1) + u);
        }
    }
}

void SetAdditiveBlending(IDirect3DDevice8* device, DWORD source)
{
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, source);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
}

// The flares stream towards -x and re-enter at the far side; their wobble in
// y and z is added to the stored positions, so it wanders from frame to frame.
void MoveParticles(float t)
{
    for (int i = 0; i < particleCount; ++i) {
        SpriteVertex& p = particles[i];
        float x = particlesAtStart[i].x - t * particleSpeed[i];
        const float k = std::trunc(std::fabs(x + 1200.0f) * 0.0005f);
        p.y += 2.5f * std::sin((t + 100.0f * static_cast<float>(i)) * 0.002f * pi);
        p.z += 2.5f * std::sin((t + 200.0f * static_cast<float>(i)) * pi / 745.0f);
        if (x < -1200.0f) x = 1000.0f - (std::fabs(x + 1200.0f) - 2000.0f * k);
        p.x = x;
    }
}

void DrawFlares(IDirect3DDevice8* device, float t, bool cut)
{
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSCALEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(20.22f));
    device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(20.22f));
    device->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(1.0f));
    device->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(0.0f));
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    SetAdditiveBlending(device, D3DBLEND_SRCALPHA);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    if (cut)
        g_camera->Set(cVector(50.0f, 1.0f, -2.0f), cVector(0.0f, 0.0f, 0.0f));
    else
        g_camera->Set(cVector(0.0f, 0.0f, -250.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetupMatrices(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    g_render->SetTexture("flara03", 0);
    MoveParticles(t);
    device->SetVertexShader(spriteVertexFvf);
    device->DrawPrimitiveUP(D3DPT_POINTLIST, particleCount, particles, sizeof(SpriteVertex));
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
}

// A wave of swelling rings runs along the tube. Each ring's whole position
// is scaled, so the rings also slide along the axis as they swell.
void DrawTube(IDirect3DDevice8* device, float t)
{
    g_render->ClearTexture(0);
    SetAdditiveBlending(device, D3DBLEND_ONE);
    g_render->SetMaterial(purple[0], purple[1], purple[2], purple[3]);
    g_camera->Set(cVector(0.0f, 0.0f, -250.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetupMatrices(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    for (int r = 0; r < tubeRings; ++r) {
        const float swell = std::sin((160.0f * static_cast<float>(r) + t) * 0.0005f * pi) * 0.5f + 1.0f;
        for (int u = 0; u < ringVertices; ++u) {
            const TubeVertex& base = tubeBase[r * ringVertices + u];
            tube[r * ringVertices + u] = {base.x * swell, base.y * swell, base.z * swell, base.color};
        }
    }
    device->SetVertexShader(tubeVertexFvf);
    device->DrawIndexedPrimitiveUP(D3DPT_LINELIST, 0, tubeVertexCount, tubeLines, tubeIndices, D3DFMT_INDEX16, tube,
                                   sizeof(TubeVertex));
}

// The flock flies along +x at half a unit per millisecond, each member bobbing
// at its own period, and wraps round from 2000 to -2000.
void DrawFlock(IDirect3DDevice8* device, float t, bool cut)
{
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    g_render->ClearTexture(0);
    g_render->SetBlendMode(0, 0);
    g_render->SetMaterial(purple[0], purple[1], purple[2], purple[3]);
    if (cut)
        g_camera->Set(cVector(20.0f, 0.0f, 0.0f), cVector(-40.0f, 0.0f, 0.0f));
    else
        g_camera->Set(cVector(20.0f, -120.0f, -250.0f), cVector(-40.0f, 0.0f, 0.0f));
    wings->scale = 0.5f;
    wings->SetRotationSpeed(1.0f, 0.0f, 0.0f);
    wings->Spin();
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    const float h = 0.5f * t;
    for (int i = 0; i < flockSize; ++i) {
        float x = static_cast<float>(100 * i - 2000) + h;
        if (x > 2000.0f) x -= std::trunc((x + 2000.0f) * 0.00025f) * 2.0f * 2000.0f;
        wings->position = cVector(x, 50.0f * std::sin(t / flockPeriod[i] * pi), 0.0f);
        g_render->DrawObject(wings, 0);
    }
}

} // namespace

float fx03_MusicLevel()
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), TRUE);
    return SpectrumSum(128, 128) * 0.0078125f;
}

// Loud music (a mean level from 0.3 up) would carry the alpha past 255, where
// the quad would keep only its low eight bits and the flash would drop out;
// it stays at full instead.
unsigned fx03_FlashAlpha(float t, float level)
{
    const float alpha = t <= flashRampFrom ? std::trunc(level * 6.666666666666667f * 128.0f)
                                           : std::trunc((t - flashRampFrom) * 0.002f * 255.0f);
    return static_cast<unsigned>(std::clamp(alpha, 0.0f, 255.0f));
}

bool fx03_Cut(float t)
{
    for (const auto& window : cutWindows) {
        if (window[0] <= t && t < window[1]) return true;
    }
    return false;
}

void fx03_Init()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    BuildParticles();
    g_render->LoadTexture("data\\flara03.jpg", "flara03");
    BuildTube();
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    stripesA = new CPaski(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
    stripesB = new CPaski(0xEF000000, 4, 8, 15, 70.0f, 5, 20);
    wings = new cObject("obj\\wings2.obj", device);
    wings->ComputeNormals();
    wings->MakeSphereMapCoords();
    wings->BuildWireframe();
    wings->Upload();
    g_render->LoadTexture("data\\fx03_tlo.jpg", "fx03_tlo");
    quad = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
    for (float& period : flockPeriod) period = static_cast<float>(RandomNext() % 600 + 900);
}

void fx03_Render(float timeMs)
{
    const float t = timeMs;
    const bool cut = fx03_Cut(t);
    const float level = fx03_MusicLevel();
    IDirect3DDevice8* device = g_render->GetDevice();

    g_render->clearColor = 0xFF000000;
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    g_render->SetBlendMode(3, 0);

    // The background, then the same picture added onto itself four times as
    // bright, by as much as the music is loud.
    g_render->SetTexture("fx03_tlo", 0);
    quad->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    quad->SetAlpha(255);
    quad->Draw(device);
    SetAdditiveBlending(device, D3DBLEND_SRCALPHA);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE4X);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    quad->SetAlpha(fx03_FlashAlpha(t, level));
    quad->Draw(device);

    g_render->SetBlendMode(3, 0);
    stripesA->sizeFactor = std::fabs(2.0f * std::sin(t * 0.0015707963267948967f));
    stripesA->Update(t);
    stripesA->Draw();

    DrawFlares(device, t, cut);
    DrawTube(device, t);
    DrawFlock(device, t, cut);

    stripesB->Update(t);
    stripesB->Draw();
}
