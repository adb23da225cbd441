#include "effects/fxvolu.h"

#include <cmath>

#include "app/demo.h"
#include "effects/float_bits.h"
#include "effects/paski.h"
#include "objects/object.h"
#include "objects/object_ps.h"
#include "render/image_quad.h"
#include "render/radial_blur.h"
#include "render/texture_renderer.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr float slotStart = 172000.0f;
constexpr float lastSecond = 199000.0f;
constexpr int pictureCount = 5;
constexpr const char* pictures[pictureCount] = {"volu1", "volu2", "volu3", "volu4", "volu5"};

CTextureRenderer* target = nullptr;
CRadialBlur* blur = nullptr;
CPaski* stripes = nullptr;
cObject* blob = nullptr;
cObjectPSDyn* cloud = nullptr;
CImageQuad* background = nullptr;

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    g_device->SetRenderState(state, value);
}

void SetStageFilters(DWORD filter)
{
    g_device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
    g_device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

void LookAtBlob()
{
    g_camera->Set(cVector(0.0f, 0.0f, -60.0f), cVector(0.0f, 0.0f, 0.0f));
}

void PlaceBlobAndCloud(float x, float y)
{
    cloud->position = cVector(x, y, 0.0f);
    blob->position = cVector(x, y, 0.0f);
}

// The 64x64 picture that textures the cloud's sprites.
void DrawPictures(float t)
{
    target->BeginRender(g_device);
    g_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0);
    g_device->BeginScene();
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    const VoluPictures shown = fxvolu_Pictures(t);
    g_render->SetTexture(pictures[shown.first], 0);
    g_render->DrawSprite(31.0f, 31.0f, 0.1f, shown.firstAlpha, 1.0f, 0.0f, nullptr);
    g_render->SetTexture(pictures[shown.second], 0);
    g_render->DrawSprite(31.0f, 31.0f, 0.1f, shown.secondAlpha, 1.0f, 0.0f, nullptr);
    sprite->End();
    g_device->EndScene();
    target->EndRender(g_device);
}

// The cloud of sprites and the stripes, into the blur's scene.
void DrawBlurredScene(float t, float s1, float s2, float s3)
{
    blur->BeginRender(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    LookAtBlob();
    g_render->SetTexture(target->GetTexture(), 0);
    SetState(D3DRS_POINTSPRITEENABLE, TRUE);
    SetState(D3DRS_POINTSCALEENABLE, TRUE);
    SetState(D3DRS_POINTSIZE, FloatBits(5.2f));
    SetState(D3DRS_POINTSIZE_MIN, FloatBits(5.2f));
    SetState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    cloud->rotation = cVector(0.2f * s2, 0.5f * s1, 0.1f * s3);
    cloud->scale = 22.0f;
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_render->DrawParticles(cloud);
    SetState(D3DRS_POINTSPRITEENABLE, FALSE);
    SetState(D3DRS_POINTSCALEENABLE, FALSE);

    LookAtBlob();
    g_render->ClearTexture(0);
    blob->rotation = cVector(0.3f * s2, static_cast<float>((t - slotStart) * 0.0003333333333333333), 0.3f * s1);
    SetState(D3DRS_AMBIENT, 0);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_LIGHTING, FALSE);
    SetState(D3DRS_CULLMODE, D3DCULL_CW);
    SetState(D3DRS_DITHERENABLE, FALSE);
    SetState(D3DRS_SPECULARENABLE, FALSE);
    SetState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    g_render->SetMaterial(1.0f, 0.0f, 0.0f, 0.0f);
    SetState(D3DRS_ZBIAS, 0);
    blob->scale = 5.0f;
    stripes->Update(t);
    stripes->Draw();

    // The blur samples the scene texel for texel.
    SetStageFilters(D3DTEXF_POINT);
    blur->EndRender();
    SetStageFilters(D3DTEXF_LINEAR);
}

void DrawBackgroundAndGlows(float t)
{
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    SetState(D3DRS_WRAP0, 0);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_render->SetTexture("volu_tlo", 0);
    background->Draw(g_device);

    g_render->SetTexture("foko", 0);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    const float turn = t * 0.2f;
    g_render->DrawSprite(515.0f, 245.0f, 0.9f, 0.2f, 0.4f, turn, nullptr);
    g_render->DrawSprite(430.0f, 315.0f, 0.9f, 0.2f, 0.4f, turn, nullptr);
    sprite->End();
    stripes->Draw();
}

// A strong point light close in front of the blob, weakened by a constant
// attenuation of 2.
void LightBlob()
{
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {20.6f, 20.6f, 20.6f, 0.0f};
    light.Position = {-30.0f, 5.0f, 60.0f};
    light.Direction = {0.0f, 0.0f, 0.8f};
    light.Range = 1000.0f;
    light.Attenuation0 = 2.0f;
    g_device->SetLight(0, &light);
    g_device->LightEnable(0, TRUE);
}

// The blob twice, translucent and flat-shaded (the second larger, turned
// and seen from a little higher, without the depth test), then its white
// wireframe.
void DrawBlob()
{
    LookAtBlob();
    g_render->ClearTexture(0);
    LightBlob();
    SetState(D3DRS_AMBIENT, 0);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_LIGHTING, TRUE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetState(D3DRS_CULLMODE, D3DCULL_CW);
    SetState(D3DRS_DITHERENABLE, FALSE);
    SetState(D3DRS_SPECULARENABLE, FALSE);
    SetState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    g_render->SetMaterial(0.2f, 1.0f, 1.0f, 0.0f);
    SetState(D3DRS_ZBIAS, 0);
    blob->scale = 6.0f;
    g_render->DrawObject(blob, 0);

    SetState(D3DRS_ZENABLE, FALSE);
    g_camera->Set(cVector(0.0f, 5.0f, -50.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetMaterial(0.3f, 1.0f, 1.0f, 0.0f);
    blob->scale = 7.0f;
    blob->rotation.y += 2.0f;
    g_render->DrawObject(blob, 0);

    SetState(D3DRS_ZWRITEENABLE, TRUE);
    g_device->LightEnable(0, FALSE);
    SetState(D3DRS_LIGHTING, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    SetState(D3DRS_AMBIENT, 0xFF7F7F7F);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    SetState(D3DRS_ZFUNC, D3DCMP_LESS);
    SetState(D3DRS_CULLMODE, D3DCULL_CW);
    SetState(D3DRS_EDGEANTIALIAS, TRUE);
    SetState(D3DRS_ZBIAS, 16);
    SetState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    g_render->DrawObject(blob, 0);
    SetState(D3DRS_ZBIAS, 0);
    SetState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    SetState(D3DRS_FILLMODE, D3DFILL_SOLID);
    SetState(D3DRS_EDGEANTIALIAS, FALSE);
    SetState(D3DRS_CULLMODE, 0);
}

// The right halves of the 64x64 picture and of the blur, added over the
// whole screen.
void DrawOverlays(float t)
{
    stripes->Draw();
    SetState(D3DRS_LIGHTING, FALSE);
    SetState(D3DRS_CULLMODE, 0);
    SetState(D3DRS_EDGEANTIALIAS, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);

    CImageQuad overlay(g_device, ~0u, ~0u, ~0u, ~0u);
    overlay.SetColor(fxvolu_OverlayColor(t));
    overlay.SetTexCoords(0.5f, 0.0f, 1.0f, 1.0f);
    g_render->SetTexture(target->GetTexture(), 0);
    overlay.Draw(g_device);
    overlay.SetTexCoords(0.5f, 0.0f, 1.0f, 1.0f);
    g_render->SetTexture(blur->GetTexture(), 0);
    overlay.Draw(g_device);
}

} // namespace

VoluPictures fxvolu_Pictures(float t)
{
    const double e = t - 140000.0f;
    const int k = static_cast<int>(e * 0.0005);
    const int i = (k % pictureCount + pictureCount) % pictureCount;
    const float f = static_cast<float>(1.0 - (e - 2000.0 * k) * 0.0005);
    return {i, (i + 1) % pictureCount, f, 1.0f - f};
}

D3DCOLOR fxvolu_OverlayColor(float t)
{
    if (t < lastSecond) return 0xFFFFFFFF;
    const int c = static_cast<int>((1.0f - (t - lastSecond) * 0.001f) * 255.0f);
    return static_cast<D3DCOLOR>(c) * 0x01010101u;
}

float fxvolu_StripeSizeFactor(float t, float current)
{
    return t >= lastSecond ? (t - lastSecond) * 0.001f * 10.0f + 1.0f : current;
}

void fxvolu_Init()
{
    g_render->LoadTexture("data\\foko.jpg", "foko");
    g_render->LoadTexture("data\\volu1.jpg", "volu1");
    g_render->LoadTexture("data\\volu2.jpg", "volu2");
    g_render->LoadTexture("data\\volu3.jpg", "volu3");
    g_render->LoadTexture("data\\volu4.jpg", "volu4");
    g_render->LoadTexture("data\\volu5.jpg", "volu5");
    g_render->LoadTexture("data\\flara3zzz.jpg", "flara3zzz");
    g_render->LoadTexture("data\\fx05_tlo.jpg", "volu_tlo");

    target = new CTextureRenderer(g_device, 1, 64, 64, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
    blur = new CRadialBlur(g_device, 32, 128, 0.02f, 0.005f);
    blur->SetCentre(0.0f, 0.0f);
    stripes = new CPaski(0xEF000000, 6, 12, 24, 55.0f, 5, 0);

    blob = new cObject("obj\\blob01.obj", g_device);
    blob->scale = 6.0f;
    blob->ComputeNormals();
    blob->Upload();
    cloud = new cObjectPSDyn("obj\\blob01.obj", g_device);
    cloud->Update();

    // The background shows the top 359 rows of its picture.
    background = new CImageQuad(g_device, ~0u, ~0u, ~0u, ~0u);
    background->SetDepth(0.01f);
    background->SetAlpha(1);
    g_render->SetTexture("volu_tlo", 0);
    background->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(359));
}

void fxvolu_Render(float timeMs)
{
    const float t = timeMs;
    stripes->sizeFactor = fxvolu_StripeSizeFactor(t, stripes->sizeFactor);
    DrawPictures(t);
    blur->SetCentre(0.0f, static_cast<float>(0.2 + 0.1 * std::sin(pi * t * 0.0002)));

    const float s1 = static_cast<float>(std::sin(pi * (t + 6000.0f) * 0.0006666666666666666));
    const float s2 = static_cast<float>(std::sin(pi * (t + 1000.0f) * 0.0005));
    const float s3 = static_cast<float>(std::sin(pi * (t + 14000.0f) * 0.00025));
    PlaceBlobAndCloud(-40.0f, 40.0f);
    DrawBlurredScene(t, s1, s2, s3);

    PlaceBlobAndCloud(-40.0f, 20.0f);
    DrawBackgroundAndGlows(t);
    DrawBlob();
    DrawOverlays(t);
}
