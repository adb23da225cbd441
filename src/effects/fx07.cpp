#include "effects/fx07.h"

#include <cmath>

#include "app/demo.h"
#include "effects/effect_lights.h"
#include "effects/wave_mesh.h"
#include "render/image_quad.h"
#include "support/random.h"

namespace {

constexpr float slotStart = 222235.0f;
constexpr float streakRun = 3000.0f;
constexpr D3DCOLOR streakColour = 0x2F000000;

float streakStarts[kFx07Streaks];
CImageQuad* background = nullptr;
CImageQuad* overlay = nullptr;
cWaveMesh* waveMesh = nullptr;

// Render states an effect step changes and puts back afterwards.
template <int count>
class KeptRenderStates {
public:
    KeptRenderStates(IDirect3DDevice8* device, const D3DRENDERSTATETYPE (&states)[count])
        : device(device), states(states)
    {
        for (int i = 0; i < count; ++i) device->GetRenderState(states[i], &values[i]);
    }
    ~KeptRenderStates()
    {
        for (int i = 0; i < count; ++i) device->SetRenderState(states[i], values[i]);
    }
    KeptRenderStates(const KeptRenderStates&) = delete;
    KeptRenderStates& operator=(const KeptRenderStates&) = delete;

private:
    IDirect3DDevice8* device;
    const D3DRENDERSTATETYPE (&states)[count];
    DWORD values[count];
};

constexpr D3DRENDERSTATETYPE overlayStates[] = {D3DRS_SRCBLEND, D3DRS_DESTBLEND, D3DRS_ALPHABLENDENABLE};
constexpr D3DRENDERSTATETYPE streakStates[] = {D3DRS_ALPHABLENDENABLE, D3DRS_ZENABLE,   D3DRS_ZWRITEENABLE,
                                               D3DRS_SRCBLEND,         D3DRS_DESTBLEND, D3DRS_CULLMODE};
constexpr D3DTEXTURESTAGESTATETYPE overlayStages[] = {D3DTSS_COLORARG1, D3DTSS_COLOROP, D3DTSS_COLORARG2};

void DrawBackground()
{
    g_render->SetBlendMode(3, 0);
    g_render->SetTexture("fx07_tlo", 0);
    background->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    background->Draw(g_device);
}

void DrawScene(IDirect3DDevice8* device, float t)
{
    UseLight0(device, DirectionalLight({2.6f, 2.6f, 2.6f, 0.0f}, {}, {0.0f, 0.2f, -0.6f}, 1000.0f));
    device->SetRenderState(D3DRS_AMBIENT, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_DITHERENABLE, FALSE);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF3F3F3F);
    // Ten scene frames a second from the start of the slot.
    if (g_scene != nullptr) g_scene->Render((t - slotStart) * 0.001f * 10.0f);
}

void DrawOverlay(IDirect3DDevice8* device)
{
    const KeptRenderStates kept(device, overlayStates);
    DWORD stages[3];
    for (int i = 0; i < 3; ++i) device->GetTextureStageState(0, overlayStages[i], &stages[i]);
    device->SetRenderState(D3DRS_WRAP0, 0);
    g_render->SetBlendMode(0, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    g_render->SetTexture("laylay", 0);
    overlay->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    overlay->Draw(device);
    for (int i = 0; i < 3; ++i) device->SetTextureStageState(0, overlayStages[i], stages[i]);
}

void DrawStreaks(IDirect3DDevice8* device, float t)
{
    const KeptRenderStates kept(device, streakStates);
    g_render->SetTexture("black", 0);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    const D3DXVECTOR2 scaling(20.0f, 0.02f);
    const D3DXVECTOR2 centre(0.0f, 0.0f);
    for (float& start : streakStarts) {
        const D3DXVECTOR2 translation(0.0f, static_cast<float>(fx07_StreakRow(start, t)));
        sprite->Draw(g_render->currentTexture, nullptr, &scaling, &centre, 0.0f, &translation, streakColour);
    }
    sprite->End();
}

} // namespace

const float* fx07_StreakStarts()
{
    return streakStarts;
}

int fx07_StreakRow(float& start, float t)
{
    if (start + streakRun < t) start = t;
    const auto k = static_cast<int>(t - start);
    return static_cast<int>(static_cast<float>(k) / streakRun * 480.0f);
}

void fx07_Init()
{
    for (float& start : streakStarts) start = slotStart - static_cast<float>(RandomNext() % 3000);
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    g_render->LoadTextureWithAlpha("data\\lay.jpg", "data\\layalpha.jpg", "laylay");
    g_render->LoadTexture("data\\rebirth.jpg", "fx07_tlo");
    IDirect3DDevice8* device = g_render->GetDevice();
    background = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    background->SetAlpha(1);
    overlay = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    overlay->SetAlpha(1);
}

void fx07_Render(float timeMs)
{
    const float t = timeMs;
    IDirect3DDevice8* device = g_render->GetDevice();
    g_render->clearColor = 0xFF000000;
    g_render->BeginFrame(2);
    g_render->SetViewport(0.0f, 0.0f, 640.0f, 480.0f);
    g_render->SetFov(1.75f);
    DrawBackground();
    DrawScene(device, t);
    DrawOverlay(device);
    DrawStreaks(device, t);
}
