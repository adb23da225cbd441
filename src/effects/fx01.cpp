#include "effects/fx01.h"

#include <cmath>
#include <numbers>

#include "app/demo.h"
#include "effects/effect_lights.h"
#include "effects/paski.h"
#include "effects/wave_mesh.h"
#include "effects/stage_states.h"
#include "objects/object.h"
#include "render/image_quad.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;
constexpr float beatsA[] = {39000, 39400, 39746, 40090, 40431, 40768, 41116};
constexpr float beatsB[] = {49005, 49661, 50027, 50358, 50712};

cWaveMesh* waveMesh = nullptr;
CPaski* stripesA = nullptr;
CPaski* stripesB = nullptr;
CImageQuad* quad = nullptr;
cObject* blob = nullptr;
cObject* wire = nullptr;

void PrepareObject(cObject* object)
{
    object->ComputeNormals();
    object->Upload();
    object->SetRotation(0.0f, 0.0f, -90.0f);
    object->position = cVector(0.0f, 0.0f, 0.0f);
}

// The states the wire and the blob share before their draw.
void SolidObjectStates(IDirect3DDevice8* device, float s)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    g_render->SetMaterial(std::fabs(s), 1.0f, 1.0f, 1.0f);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_render->ClearTexture(0);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_ZBIAS, 0);
    device->SetRenderState(D3DRS_AMBIENT, 0x20202020);
}

} // namespace

void fx01_Init()
{
    waveMesh = new cWaveMesh(64, 48, 1.0f, 0.75f);
    g_render->LoadTexture("data\\fx01_tlo.jpg", "fx01_tlo");
    g_render->LoadTexture("data\\wisnia.jpg", "wisnia");
    g_render->LoadTexture("data\\czarna.jpg", "czarna");
    stripesA = new CPaski(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
    stripesB = new CPaski(0xEF000000, 6, 10, 20, 70.0f, 5, 20);
    quad = new CImageQuad(g_device, ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
    IDirect3DDevice8* device = g_render->GetDevice();
    blob = new cObject("obj\\01blob.obj", device);
    wire = new cObject("obj\\01wire.obj", device);
    PrepareObject(blob);
    blob->BuildWireframe();
    PrepareObject(wire);
}

D3DVIEWPORT8 fx01_Viewport(float t)
{
    D3DVIEWPORT8 viewport{0, 0, 640, 480, 0.0f, 1.0f};
    for (float beat : beatsA) {
        if (beat <= t && t < beat + 200.0f) {
            const float f = (t - beat) * 0.005f;
            viewport.Y = static_cast<DWORD>(220.0f * f);
            viewport.Height = static_cast<DWORD>(480.0f - 440.0f * f);
        }
    }
    for (float beat : beatsB) {
        if (beat <= t && t < beat + 200.0f) {
            const float f = (t - beat) * 0.005f;
            viewport.Y = static_cast<DWORD>(110.0f * f);
            viewport.Height = static_cast<DWORD>(480.0f - 220.0f * f);
        }
    }
    return viewport;
}

unsigned fx01_BandAlpha(unsigned col, float t)
{
    return static_cast<unsigned>(128.0f * std::fabs(std::sin(0.1f * pi * (static_cast<float>(col) + 0.01f * t))));
}

float fx01_SpinAngle(float t)
{
    float m = 0.4f;
    if (38980.0f < t && t < 41560.0f)
        m = 0.8f;
    else if (49000.0f < t && t < 50750.0f)
        m = 0.6f;
    return 0.002f * t * m;
}

void fx01_Render(float timeMs)
{
    const float t = timeMs;
    const float s = std::sin(0.001f * pi * t);
    IDirect3DDevice8* device = g_render->GetDevice();

    g_render->SetViewport(0.0f, 0.0f, 640.0f, 480.0f);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    const D3DVIEWPORT8 pulse = fx01_Viewport(t);
    if (pulse.Height != 480)
        g_render->SetViewport(static_cast<float>(pulse.X), static_cast<float>(pulse.Y),
                              static_cast<float>(pulse.Width), static_cast<float>(pulse.Height));

    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    // The swirling background.
    g_render->SetTexture("fx01_tlo", 0);
    g_camera->Set(cVector(0.0f, 0.0f, -196.0f), cVector(0.0f, 0.0f, 0.0f));
    waveMesh->speed = 1.0f;
    waveMesh->Update(t, 1);

    // Bands of the grid layer drifting sideways.
    g_render->SetBlendMode(2, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetTextureTimesDiffuse(device);
    g_render->SetTexture("1", 0);
    fx* grid = g_grid3;
    grid->speed = 0.1f;
    grid->Update(7, t);
    grid->Animate(t, true);
    for (unsigned row = 0; row < grid->rows; ++row)
        for (unsigned col = 0; col < grid->cols; ++col)
            grid->displayVertices[row * grid->cols + col].diffuse = (fx01_BandAlpha(col, t) << 24) | 0x00FFFFFF;
    grid->Draw();

    // The wire object.
    g_camera->Set(cVector(2.0f, 1.0f, -10.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    SolidObjectStates(device, s);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    wire->scale = 0.802f;
    UseLight0(device, DirectionalLight({0.5f, 0.5f, 0.5f, 0.0f}, {}, {0.0f, 0.0f, -1.0f}, 1.0f));
    g_render->DrawObject(wire, 0);

    stripesA->Update(t);
    stripesA->Draw();

    // The blob, turning faster on two stretches of the music.
    UseLight0(device, DirectionalLight({1.5f, 1.5f, 1.5f, 0.0f}, {3.5f, 3.5f, 3.5f, 0.0f}, {0.0f, 0.0f, -1.0f}, 10.0f));
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_PHONG);
    const float k = fx01_SpinAngle(t);
    blob->rotation = cVector(k, k, -90.0f);
    wire->rotation = cVector(k, k, -90.0f);
    SolidObjectStates(device, s);
    g_render->SetTexture("czarna", 0);
    g_render->SetBlendMode(1, 0);
    g_render->SetFov(1.75f + 0.25f * s);
    g_render->DrawObject(blob, 0);

    if (58000.0f < t && t < 60500.0f) stripesB->sizeFactor = (t - 58000.0f) * 0.0004f * 32.0f + 1.0f;
    stripesB->Update(t);
    stripesB->Draw();
}
