#include "effects/fx04.h"

#include <cmath>
#include <numbers>

#include "app/demo.h"
#include "effects/effect_lights.h"
#include "effects/float_bits.h"
#include "effects/fxrewind.h"
#include "effects/music_level.h"
#include "effects/paski.h"
#include "effects/wave_mesh.h"
#include "effects/stage_states.h"
#include "objects/object.h"
#include "render/image_quad.h"
#include "support/random.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;
constexpr float flashBeats[] = {65892, 66391, 76858, 81652, 87817, 103595};
constexpr float chessFrom = 90220.0f;
constexpr float chessTo = 91939.0f;
constexpr float lateFrom = 107084.0f;
constexpr int fountainSize = 1000;
constexpr int fountainLaunches = 750;

struct FountainVertex {
    float x, y, z;
    D3DCOLOR color;
};
constexpr DWORD fountainFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;
static_assert(sizeof(FountainVertex) == 16);

fx* grid4 = nullptr;
cObject* geosphere = nullptr;
cObject* pyramid = nullptr;
cWaveMesh* waveMesh = nullptr;
CPaski* stripesA = nullptr;
CPaski* stripesB = nullptr;
CImageQuad* quad = nullptr;

FountainVertex fountain[fountainSize];
cVector velocity[fountainSize];
float startClock[fountainSize];
int started = 0;
int lastStep = 0;
float phases[400];

void SetPointSprites(IDirect3DDevice8* device, float size)
{
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(size));
    device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(2.5f));
    device->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    device->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
}

void MoveFountain(float t)
{
    const float f = (t - 60500.0f) * 0.0002f;
    const int step = static_cast<int>((t - 60500.0f) * 0.06666667f);
    if (step > lastStep && started < fountainLaunches) {
        startClock[started] = f;
        ++started;
    }
    for (int p = 0; p < started; ++p) {
        const float age = f - startClock[p];
        fountain[p].color = age < 0.3f ? (static_cast<D3DCOLOR>(static_cast<int>(age / 0.3f * 255.0f)) << 24) | 0x00FFFFFF
                                       : 0xFFFFFFFF;
        fountain[p].x = age * velocity[p].x;
        fountain[p].y = age * velocity[p].y;
        fountain[p].z = age * velocity[p].z;
        if (fountain[p].y < 0.0f) startClock[p] -= 2.0f / velocity[p].y;
        if (fountain[p].y > 2.0f) startClock[p] = f;
    }
    lastStep = step;
}

// Two fountains rising either side of the pyramid field, seen from a little
// below their tops (the placement of the two draws is ours to choose).
void DrawFountain(IDirect3DDevice8* device)
{
    g_camera->Set(cVector(0.0f, 1.2f, -2.6f), cVector(0.0f, 0.9f, 0.0f));
    const float sides[2] = {-1.9f, 1.9f};
    for (float side : sides) {
        g_render->SetupMatrices(side, -0.6f, 0.6f, 0.0f, 0.0f, 0.0f, 1.0f);
        device->SetVertexShader(fountainFvf);
        device->DrawPrimitiveUP(D3DPT_POINTLIST, static_cast<UINT>(started), fountain, sizeof(FountainVertex));
    }
}

} // namespace

float fx04_FlashEnvelope(float t)
{
    float e = 0.0f;
    for (float beat : flashBeats) {
        if (beat <= t && t < beat + 400.0f) {
            const float d = t - beat;
            e = d < 100.0f ? 2.0f * (d * 0.01f) : 2.0f * (1.0f - (d - 100.0f) / 300.0f);
        }
    }
    return e;
}

Fx04Pyramid fx04_Pyramid(unsigned i, unsigned j, float t, float level)
{
    const float e = t - 62135.0f;
    float h = std::sin((e + phases[6 * i + j]) * 0.001f * pi);
    h = h < 0.0f ? 30.0f * h : 30.0f * h * (3.0f * level * level + 1.0f);
    Fx04Pyramid p{60.0f * static_cast<float>(i), h, 70.0f * static_cast<float>(j) + 700.0f - 0.2f * e, 0.0f};
    if (p.z < -300.0f) p.z += (std::trunc((-300.0f - p.z) / 1150.0f) + 1.0f) * 1150.0f;
    if (p.z >= 500.0f) {
        p.alpha = 0.0f;
    } else if (p.z >= 400.0f) {
        p.alpha = std::fabs(p.z - 500.0f) * 0.01f * 0.5f;
        const float drop = 1.0f - std::fabs(p.z - 500.0f) * 0.01f;
        p.y += drop * drop * 200.0f;
    } else if (p.z >= -200.0f) {
        p.alpha = 0.5f;
    } else {
        p.alpha = (1.0f - (std::fabs(p.z) - 200.0f) * 0.01f) * 0.5f;
        const float sink = std::fabs(p.z + 200.0f) * 0.01f;
        p.y -= sink * sink * 200.0f;
    }
    return p;
}

void fx04_Init()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    grid4 = new fx();
    grid4->Init(g_render, 256, 256, 16);
    geosphere = new cObject("obj\\geosphere.obj", device);
    pyramid = new cObject("obj\\pyramid.obj", device);
    pyramid->ComputeNormals();
    pyramid->Upload();
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    stripesA = new CPaski(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
    stripesB = new CPaski(0xEF000000, 6, 10, 20, 70.0f, 5, 20);
    quad = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
    g_render->LoadTexture("data\\back.jpg", "fx04_tex");
    g_render->LoadTexture("data\\layers.jpg", "layers");
    g_render->LoadTextureWithAlpha("data\\fx04_tlo.jpg", "data\\fx04_tloalpha.jpg", "fx04_alpha");

    g_grid3->Update(0, 0.0f);
    for (int p = 0; p < fountainSize; ++p) {
        const Fx04FountainRecord record = fx04_DrawFountainRecord();
        fountain[p] = {0.0f, 0.0f, 0.0f, 0x7FFFFFFF};
        velocity[p] = record.velocity;
        startClock[p] = record.startClock;
    }
    for (float& phase : phases) phase = static_cast<float>(RandomNext() % 1000 + 500);
}

float fx04_MusicLevel()
{
    return SpectrumSum(0, 256) * 0.015625f;
}

Fx04FountainRecord fx04_DrawFountainRecord()
{
    const int r1 = RandomNext(), r2 = RandomNext(), r3 = RandomNext(), r4 = RandomNext();
    Fx04FountainRecord record;
    record.velocity.z = static_cast<float>(r1 % 2000 - 1000) / 9000.0f + 0.1f;
    record.velocity.y = static_cast<float>(r2 % 1000) / 7000.0f + 0.6f;
    record.velocity.x = static_cast<float>(r3 % 2000 - 1000) / 9000.0f + 0.1f;
    record.startClock = static_cast<float>(r4 % 10000) * 0.001f;
    return record;
}

void fx04_Render(float timeMs)
{
    const float t = timeMs;
    const bool late = t > lateFrom;
    const bool chess = chessFrom <= t && t < chessTo;
    IDirect3DDevice8* device = g_render->GetDevice();
    const float level = fx04_MusicLevel();

    if (late) {
        g_renderTarget->BeginRender(device);
        g_render->SetViewport(0.0f, 0.0f, 256.0f, 256.0f);
    }
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    g_render->SetTexture(chess ? "chess2" : "fx04_tex", 0);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U | D3DWRAP_V);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetTextureTimesDiffuse(device);

    // The ray-cast floor and ceiling.
    fx* floor = late ? grid4 : g_grid3;
    floor->speed = 0.1f;
    floor->Update(3, t);
    floor->baseAngles = cVector(0.0f, 0.0f, 315.0f);
    floor->angleRates = cVector(0.01f, 0.1f, 0.0f);
    floor->Animate(t, true);
    floor->Draw();

    // The pyramid field. The pyramids blend over what lies behind them by
    // their alpha (inverse-alpha destination), so the framed picture drawn
    // next with the same blend covers the scene where its alpha is opaque.
    g_render->SetFov(1.65f);
    g_render->SetMaterial(0.5f, 0.8f, 0.373f, 0.075f);
    g_render->ClearTexture(0);
    g_camera->Set(cVector(250.0f, 250.0f, -350.0f), cVector(-100.0f, 0.0f, 0.0f));
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    pyramid->scale = 0.25f;
    for (unsigned i = 0; i < 6; ++i) {
        for (unsigned j = 0; j < 16; ++j) {
            const Fx04Pyramid p = fx04_Pyramid(i, j, t, level);
            g_render->SetMaterial(p.alpha, 0.8f, 0.373f, 0.075f);
            pyramid->position = cVector(p.x, p.y, p.z);
            if (!chess) g_render->DrawObject(pyramid, 0);
        }
    }

    // The framed picture.
    g_render->SetFov(1.75f);
    device->SetRenderState(D3DRS_WRAP0, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    g_render->SetTexture("fx04_alpha", 0);
    quad->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    if (late)
        quad->SetRect(0.0f, 0.0f, 255.0f, 255.0f);
    else
        quad->SetRect(0.0f, 0.0f, 640.0f, 480.0f);
    if (!chess) quad->Draw(device);

    // The flare fountain.
    if (t > 63140.0f) {
        g_render->SetTexture("flara3", 0);
        SetPointSprites(device, fx04_FlashEnvelope(t) + 3.5f);
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        device->SetRenderState(D3DRS_ZENABLE, FALSE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
        MoveFountain(t);
        if (!chess) DrawFountain(device);
        device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
    }

    if (late) {
        g_renderTarget->EndRender(device);
        g_render->BeginFrame(2);
        g_render->SetViewport(0.0f, 0.0f, 640.0f, 480.0f);
        g_render->SetTexture(g_renderTarget->GetTexture(), 0);
        // The copy draws with the states the fountain and the framed picture
        // left: additive blending by source alpha, texture x diffuse colour,
        // alpha from the texture. The target's own alpha weights it.
        // The target's picture fills 255 of its 256 texels each way.
        CImageQuad screen(device, 0, 0, 640, 480);
        screen.SetTexCoords(0.0f, 0.0f, 255.0f / 256.0f, 255.0f / 256.0f);
        screen.Draw(device);
    }
    fxrewind_Render(t);
}
