#include "effects/fxobraz.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/demo.h"
#include "effects/float_bits.h"
#include "objects/object.h"
#include "objects/object_ps.h"
#include "render/image_quad.h"
#include "support/random.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A bar vertex as the device reads it with format XYZ | DIFFUSE.
struct BarVertex {
    float x, y, z;
    D3DCOLOR colour;
};
static_assert(sizeof(BarVertex) == 16);
constexpr DWORD barVertexFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

constexpr int barCount = 80;
constexpr int verticesPerBar = 6;
constexpr D3DCOLOR whiteBar = 0x7F7F7F7F;
constexpr D3DCOLOR redBar = 0x7F7F0000;

struct RingRecord {
    float x, y;
    cObject* ring;
    float base;
    float size; // the size the ring is drawn with next
    float speed;
};

constexpr float flashTimes[] = {2780,  8283,  10000, 11200, 12900, 13740, 18570, 19260, 20973,
                                23719, 23852, 26453, 27660, 29373, 30185, 33300, 34858};
constexpr float whiteFlashes[] = {17188, 18581};

constexpr D3DVECTOR lightPosition = {1.0f, 1.0f, 30.0f};

cObjectPS* bigFlare = nullptr;
cObjectPSDyn* smallFlares = nullptr;
std::vector<SpriteVertex> smallFlaresBase; // the small flares as loaded
std::vector<float> wobbleP;
std::vector<float> wobbleQ;
cObject* longObject = nullptr;
cObject* donut01 = nullptr;
cObject* donut02 = nullptr;
BarVertex bars[barCount * verticesPerBar];
float barBaseZ[barCount * verticesPerBar];
RingRecord ringsA[3];
RingRecord ringsB[7];
RingRecord ringsC[5];

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    g_device->SetRenderState(state, value);
}

// Texture times diffuse colour, alpha as `alphaOp` makes it.
void SetPictureStage(DWORD alphaOp)
{
    g_device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    g_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    g_device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, alphaOp);
}

void SetTranslucentBlending()
{
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
}

void PlaceFlareCloud(cObjectPS& cloud)
{
    cloud.SetRotation(90.0f, 0.0f, 0.0f);
    cloud.scale = 0.5f;
}

void BuildBars()
{
    for (int bar = 0; bar < barCount; ++bar) {
        const float x0 = static_cast<float>(RandomNext() % 10 - 20);
        const float y0 = static_cast<float>(RandomNext() % 100 - 50);
        const float z0 = static_cast<float>(RandomNext() % 300 - 250);
        const float len = static_cast<float>(RandomNext() % 50 + 50);
        const float wid = static_cast<float>((RandomNext() % 20 + 10) * 0.1);
        const D3DCOLOR colour = RandomNext() % 10 <= 6 ? whiteBar : redBar;
        RandomNext(); // a speed per bar that the drift does not use
        const BarVertex corners[verticesPerBar] = {
            {x0, y0, z0, colour},       {x0 + wid, y0, z0, colour},       {x0 + wid, y0, z0 + len, colour},
            {x0, y0, z0, colour},       {x0 + wid, y0, z0 + len, colour}, {x0, y0, z0 + len, colour}};
        for (int corner = 0; corner < verticesPerBar; ++corner) {
            bars[bar * verticesPerBar + corner] = corners[corner];
            barBaseZ[bar * verticesPerBar + corner] = corners[corner].z;
        }
    }
}

template <int count>
void BuildRings(RingRecord (&records)[count], cObject* ring, bool small)
{
    for (RingRecord& record : records) {
        record.y = static_cast<float>(RandomNext() % 30 - 15 + 20);
        record.x = static_cast<float>(RandomNext() % 30 - 15 - 230);
        record.ring = ring;
        record.base = small ? static_cast<float>(RandomNext() % 100 * 0.005 + 0.01)
                            : static_cast<float>(RandomNext() % 800 * 0.00125 + 0.2);
        record.size = record.base;
        record.speed = static_cast<float>(RandomNext() % 400 * 0.000025 + 0.01);
    }
}

// The bars drift towards the camera and re-enter 250 units further back.
void DrawBars(float t)
{
    const int alpha = fxobraz_BarAlpha(t);
    for (int bar = 0; bar < barCount; ++bar) {
        BarVertex* vertices = &bars[bar * verticesPerBar];
        for (int corner = 0; corner < verticesPerBar; ++corner) {
            vertices[corner].z = static_cast<float>(barBaseZ[bar * verticesPerBar + corner] - 0.05 * t);
        }
        const float z = vertices[0].z;
        if (z < -200.0f) {
            const double turns = std::trunc(std::trunc(std::fabs(z + 200.0f)) * 0.004);
            const float shift = static_cast<float>(250.0 * (1.0 + turns));
            for (int corner = 0; corner < verticesPerBar; ++corner) vertices[corner].z += shift;
        }
        const bool red = (vertices[0].colour & 0xFF) == 0;
        const D3DCOLOR colour = (static_cast<D3DCOLOR>(alpha) << 24) + (red ? 0xFF0000u : 0xFFFFFFu);
        for (int corner = 0; corner < verticesPerBar; ++corner) vertices[corner].colour = colour;
    }
    if (t >= 11000.0f) {
        g_device->SetVertexShader(barVertexFvf);
        g_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, barCount * 2, bars, sizeof(BarVertex));
    }
}

void DrawBackground(float t)
{
    g_device->LightEnable(0, TRUE);
    SetState(D3DRS_LIGHTING, TRUE);
    g_render->SetBlendMode(2, 0);
    SetState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetState(D3DRS_WRAP0, D3DWRAP_U | D3DWRAP_V);
    SetTranslucentBlending();
    SetPictureStage(D3DTOP_SELECTARG2);
    g_render->SetTexture("back2", 0);
    fx* grid = g_grid1;
    if (grid == nullptr) return;
    grid->speed = 0.05f;
    grid->Update(2, t);
    grid->Animate(t, false);
    if (grid->displayVertices != nullptr) {
        const D3DCOLOR colour = (static_cast<D3DCOLOR>(fxobraz_GridAlpha(t)) << 24) | 0xFFFFFF;
        for (unsigned i = 0; i < grid->cols * grid->rows; ++i) grid->displayVertices[i].diffuse = colour;
    }
    grid->Draw();
}

void DrawPicture(const char* texture, float opacity)
{
    g_render->SetTexture(texture, 0);
    CImageQuad quad(g_device, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
    quad.SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    quad.SetAlpha(static_cast<unsigned>(static_cast<int>(opacity * 255.0f)));
    quad.SetDepth(0.1f);
    g_render->SetMaterial(opacity, 1.0f, 1.0f, 1.0f);
    quad.Draw(g_device);
}

void DrawPictures(float t)
{
    SetState(D3DRS_WRAP0, 0);
    SetTranslucentBlending();
    SetPictureStage(D3DTOP_MODULATE);
    const ObrazPictureOpacities opacities = fxobraz_PictureOpacities(t);
    DrawPicture("tlo2", opacities.first);
    DrawPicture("tlo", opacities.second);
}

// Black, translucent by the material's alpha.
void SetRingStates()
{
    g_render->SetTexture("black", 0);
    g_render->SetBlendMode(2, 0);
    g_render->SetBlendMode(0, 0);
    g_render->SetMaterial(0.15f, 1.0f, 1.0f, 1.0f);
    SetPictureStage(D3DTOP_SELECTARG2);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
}

// Each ring is drawn at the size the previous frame gave it.
template <int count>
void DrawRings(RingRecord (&records)[count], float e)
{
    for (RingRecord& record : records) {
        record.ring->SetRotation(90.0f, 0.0f, 0.0f);
        record.ring->position = cVector(record.x, record.y, 0.0f);
        record.ring->scale = record.size;
        const ObrazRingPulse pulse = fxobraz_RingPulse(record.base, record.speed, e);
        record.size = pulse.size;
        g_render->SetMaterial(pulse.brightness, 1.0f, 1.0f, 1.0f);
        g_render->DrawObject(record.ring, 0);
    }
}

void BeginRings()
{
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_ZENABLE, FALSE);
    g_camera->Set(cVector(0.0f, 1.0f, 250.0f), cVector(0.0f, 0.0f, 0.0f));
}

void DrawRingsC(float t)
{
    BeginRings();
    SetState(D3DRS_LIGHTING, TRUE);
    g_render->SetProjectionShift(cVector(0.0f, 0.0f, 0.0f));
    if (t > 11800.0f) {
        SetRingStates();
        DrawRings(ringsC, t - 11800.0f);
    }
}

void DrawRingsAB(float t)
{
    g_render->SetProjectionShift(cVector(0.0f, 0.0f, 0.0f));
    BeginRings();
    SetState(D3DRS_LIGHTING, TRUE);
    SetRingStates();
    if (t > 11000.0f) {
        DrawRings(ringsA, t - 11000.0f);
        DrawRings(ringsB, t - 11000.0f);
    }
}

void SetPointSprites(float scaleC)
{
    SetState(D3DRS_POINTSIZE, FloatBits(10.2f));
    SetState(D3DRS_POINTSIZE_MIN, FloatBits(10.2f));
    SetState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_C, FloatBits(scaleC));
}

void DrawSmallFlares(float t)
{
    SetState(D3DRS_ZWRITEENABLE, TRUE);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_POINTSPRITEENABLE, TRUE);
    SetState(D3DRS_POINTSCALEENABLE, TRUE);
    SetPointSprites(40.0f);
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_render->SetMaterial(1.0f, 0.2f, 0.2f, 0.2f);

    ObrazFlash flash{};
    if (fxobraz_Flash(t, &flash)) {
        g_render->SetMaterial(1.0f, flash.brightness, flash.brightness, flash.brightness);
        SetState(D3DRS_POINTSIZE_MIN, FloatBits(flash.minPointSize));
    }

    for (std::size_t i = 0; i < smallFlares->particles.size(); ++i) {
        const float w = static_cast<float>(0.2 * std::sin(pi * (t + wobbleP[i] + 500.0f) / (wobbleQ[i] + 1000.0f)));
        SpriteVertex& particle = smallFlares->particles[i];
        particle.x = smallFlaresBase[i].x + w;
        particle.y = smallFlaresBase[i].y + w;
        particle.z = smallFlaresBase[i].z + w;
    }
    smallFlares->Update();

    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_render->SetProjectionShift(cVector(0.6f, 0.0f, 0.0f));
    g_camera->Set(cVector(0.0f, 1.0f, 10.0f), cVector(0.0f, 0.0f, 0.0f));
    smallFlares->scale = 1.85f;
    smallFlares->SetRotation(0.0f, 0.0f, static_cast<float>(t * 0.1 * 0.6));
    smallFlares->Spin();
    smallFlares->position = cVector(0.0f, 0.0f, 0.0f);
    g_render->SetTexture("flara3", 0);
    g_render->DrawParticles(smallFlares);
}

void DrawBigFlare(float t)
{
    SetPointSprites(1.0f);
    const float v = fxobraz_BigFlareBrightness(t);
    g_render->SetMaterial(v, v, v, v);
    bigFlare->scale = 0.85f;
    bigFlare->SetRotation(0.0f, 0.0f, static_cast<float>(t * 0.025 * 0.6));
    bigFlare->Spin();
    bigFlare->position = cVector(0.0f, 0.0f, 0.0f);
    g_render->DrawParticles(bigFlare);
    SetState(D3DRS_POINTSPRITEENABLE, FALSE);
    SetState(D3DRS_POINTSCALEENABLE, FALSE);
}

// The column takes its texture coordinates from the camera-space normals,
// under a dim point light, and fades out over two seconds from 30000 ms.
void DrawLongObject(float t)
{
    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    SetState(D3DRS_ZWRITEENABLE, TRUE);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    SetState(D3DRS_AMBIENT, 0xFF000000);
    g_render->SetBlendMode(2, 0);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_render->SetTexture("t5", 0);
    SetState(D3DRS_AMBIENT, 0xFF202020);
    g_render->SetBlendMode(1, 0);

    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.2f, 0.2f, 0.2f, 0.0f};
    light.Position = lightPosition;
    light.Range = 100.0f;
    g_device->SetLight(0, &light);
    g_device->LightEnable(0, TRUE);
    SetState(D3DRS_LIGHTING, TRUE);
    SetState(D3DRS_CULLMODE, D3DCULL_CW);

    longObject->scale = 1.0f;
    longObject->rotation.z = static_cast<float>(t * 0.001 * 0.39);
    longObject->position = cVector(0.0f, 0.0f, static_cast<float>((t - 12000.0f) * 0.0016666666666666668 - 45.0));
    if (t > 30000.0f) {
        const float fade = static_cast<float>(1.0 - std::min(1.0, (t - 30000.0f) * 0.0005));
        g_render->SetMaterial(fade, 1.0f, 1.0f, 1.0f);
    }
    g_camera->Set(cVector(2.0f, 2.0f, 10.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetFog(0.0f, 30.0f, 0x00FFFFFF);
    g_render->SetBlendMode(0, 0);
    g_render->DrawObject(longObject, 0);
    g_render->SetProjectionShift(cVector(0.0f, 0.0f, 0.0f));
    g_render->SetFog(0.0f, 0.0f, 0x00FFFFFF);
    g_device->LightEnable(0, FALSE);
    SetState(D3DRS_LIGHTING, FALSE);
}

} // namespace

int fxobraz_BarAlpha(float t)
{
    int alpha = 32;
    if (t >= 11000.0f && t < 11500.0f) {
        alpha = static_cast<int>((t - 11000.0f) * 0.002 * 32);
    }
    for (float flash : whiteFlashes) {
        if (flash <= t && t < flash + 500.0f) {
            alpha = static_cast<int>(255 - (t - flash) * 0.002 * 224);
        }
    }
    return alpha;
}

int fxobraz_GridAlpha(float t)
{
    if (t < 7400.0f) return 0;
    if (t < 8250.0f) return static_cast<int>((t - 7400.0f) / 850.0f * 127.0f);
    return 128;
}

ObrazPictureOpacities fxobraz_PictureOpacities(float t)
{
    if (t < 4800.0f) return {static_cast<float>((t - 2800.0f) * 0.0005), 0.0f};
    if (t < 7200.0f) return {1.0f, 0.0f};
    if (t < 8050.0f) {
        const float f = (t - 7200.0f) / 850.0f;
        return {1.0f - f, f};
    }
    return {0.0f, 1.0f};
}

ObrazRingPulse fxobraz_RingPulse(float base, float speed, float e)
{
    const float s = static_cast<float>(std::fabs(std::sin(pi * e / (speed * 100000.0 + 4000.0))));
    return {s, std::max(base + 4.0f * s, 0.09f)};
}

// Where two flashes overlap, the later one counts.
bool fxobraz_Flash(float t, ObrazFlash* flash)
{
    bool flashing = false;
    for (float start : flashTimes) {
        if (start <= t && t <= start + 350.0f) {
            const float v = static_cast<float>(1.0 - (t - start) / 350.0 + 0.2);
            *flash = {v, v * 10.0f + 10.2f};
            flashing = true;
        }
    }
    return flashing;
}

float fxobraz_BigFlareBrightness(float t)
{
    if (t < 7400.0f) return 0.0f;
    if (t < 8250.0f) return (t - 7400.0f) / 850.0f;
    return static_cast<float>(0.7 + 0.3 * std::sin(pi * (t - 8250.0f) * 0.001));
}

void fxobraz_InitPictures()
{
    g_render->LoadTexture("data\\obraz.jpg", "obraz1");
    g_render->LoadTexture("data\\obrazalpha.jpg", "obraz2");
    g_render->LoadTexture("data\\black.jpg", "black");
}

// The second cloud of small flares and the third ring are never drawn, and
// are not loaded: a missing object file ends the show, and it should not end
// for files nothing shows.
void fxobraz_Init()
{
    g_render->LoadTextureWithAlpha("data\\obraz.jpg", "data\\obrazalpha22.jpg", "tlo");
    g_render->LoadTextureWithAlpha("data\\obraz.jpg", "data\\obrazalpha3.jpg", "tlo2");
    g_render->LoadTexture("data\\back2.jpg", "back2");
    g_render->LoadTexture("data\\t5.jpg", "t5");
    g_render->LoadTexture("data\\red.jpg", "czerwona");

    bigFlare = new cObjectPS("obj\\flara_duza2.obj", g_device);
    PlaceFlareCloud(*bigFlare);
    smallFlares = new cObjectPSDyn("obj\\flara_mala1.obj", g_device);
    PlaceFlareCloud(*smallFlares);
    smallFlaresBase = smallFlares->particles;
    wobbleP.resize(smallFlares->particles.size());
    wobbleQ.resize(smallFlares->particles.size());
    for (std::size_t i = 0; i < smallFlares->particles.size(); ++i) {
        wobbleP[i] = static_cast<float>(RandomNext() % 1000 * 0.001 * 2000);
        wobbleQ[i] = static_cast<float>(RandomNext() % 1000 * 0.001 * 2000);
    }

    longObject = new cObject("obj\\dlugi.obj", g_device);
    longObject->ComputeNormals();
    longObject->MakeSphereMapCoords();
    longObject->Upload();
    longObject->SetRotation(90.0f, 0.0f, 0.0f);

    donut01 = new cObject("obj\\donut01.obj", g_device);
    donut02 = new cObject("obj\\donut02.obj", g_device);

    BuildBars();
    BuildRings(ringsA, donut02, true);
    BuildRings(ringsB, donut01, false);
    BuildRings(ringsC, donut01, false);
}

void fxobraz_Render(float timeMs)
{
    const float t = timeMs;
    g_render->BeginFrame(2);
    SetState(D3DRS_WRAP0, 0);
    g_render->ClearTexture(0);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_device->LightEnable(0, FALSE);
    SetState(D3DRS_LIGHTING, FALSE);
    g_render->SetBlendMode(0, 0);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    g_camera->Set(cVector(40.0f, 80.0f, -20.0f), cVector(0.0f, 40.0f, 0.0f));
    g_render->SetupMatrices(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);

    DrawBars(t);
    DrawBackground(t);
    DrawPictures(t);
    DrawRingsC(t);
    DrawSmallFlares(t);
    DrawBigFlare(t);
    if (t > 10000.0f) {
        DrawLongObject(t);
    }
    DrawRingsAB(t);
}
