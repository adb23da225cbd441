#include "app/fades.h"

#include "app/demo.h"
#include "render/image_quad.h"

namespace {

void Fade(const char* texture, float t, float start, float duration, bool rising)
{
    const float a = FadeAlpha(t, start, duration, rising);
    if (a < 0.0f) {
        return;
    }
    g_render->SetBlendMode(0, 0);
    g_device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    CImageQuad quad(g_device, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
    g_render->SetTexture(texture, 0);
    quad.SetAlpha(static_cast<unsigned>(static_cast<int>(a * 255.0f)));
    g_render->SetMaterial(a, 0.0f, 0.0f, 0.0f);
    quad.Draw(g_device);
}

} // namespace

float FadeAlpha(float t, float start, float duration, bool rising)
{
    if (!(start <= t && t < start + duration)) {
        return -1.0f;
    }
    const float progress = (t - start) / duration;
    return rising ? progress : 1.0f - progress;
}

void FadeToBlack(float t, float start, float duration) { Fade("black", t, start, duration, true); }
void FadeFromBlack(float t, float start, float duration) { Fade("black", t, start, duration, false); }
void FadeToWhite(float t, float start, float duration) { Fade("white", t, start, duration, true); }
void FadeFromWhite(float t, float start, float duration) { Fade("white", t, start, duration, false); }
