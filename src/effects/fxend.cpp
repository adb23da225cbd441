#include "effects/fxend.h"

#include "app/demo.h"
#include "effects/fxrewind.h"
#include "effects/stage_states.h"
#include "render/image_quad.h"

namespace {

CImageQuad* quad = nullptr;

void DrawGrid(IDirect3DDevice8* device, float t)
{
    g_render->SetBlendMode(2, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_WRAP0, D3DWRAP_U);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetTextureTimesDiffuse(device);
    g_render->SetTexture("1", 0);
    fxend_PrepareGrid(g_grid3, t);
    g_grid3->Draw();
}

void DrawPicture(IDirect3DDevice8* device)
{
    g_render->SetTexture("fxend_alfa", 0);
    device->SetRenderState(D3DRS_WRAP0, 0);
    g_render->SetBlendMode(0, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    // The top 384 rows of the picture stretched over the screen.
    quad->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(384));
    quad->Draw(device);
}

} // namespace

void fxend_PrepareGrid(fx* grid, float t)
{
    grid->speed = 0.1f;
    grid->baseAngles = cVector(0.0f, 0.0f, 25.0f);
    grid->angleRates = cVector(0.0f, 0.0f, 0.0f);
    grid->Animate(t, false);
    for (unsigned i = 0; grid->displayVertices != nullptr && i < grid->cols * grid->rows; ++i) {
        D3DCOLOR& diffuse = grid->displayVertices[i].diffuse;
        diffuse = 0x40000000 | (diffuse & 0x00FFFFFF);
    }
}

void fxend_Init()
{
    g_render->LoadTextureWithAlpha("data\\fxend_tlo.jpg", "data\\fxend_tloalfa.jpg", "fxend_alfa");
    quad = new CImageQuad(g_render->GetDevice(), ~0u, ~0u, ~0u, ~0u);
    quad->SetAlpha(1);
}

void fxend_Render(float timeMs)
{
    IDirect3DDevice8* device = g_render->GetDevice();
    g_render->clearColor = 0xFF000000;
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    DrawGrid(device, timeMs);
    DrawPicture(device);
    fxrewind_Render(timeMs);
}
