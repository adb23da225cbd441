#include "effects/logo.h"

#include "render/render.h"
#include "support/random.h"

void logo_Init()
{
    g_render->LoadTexture("data\\logo.jpg", "logo");
}

LogoBars logo_Bars(float s)
{
    if (s >= 1.0f && s < 1.5f) {
        const float k = (s - 1.0f) * 0.5f;
        return {k * 100.0f, static_cast<unsigned>(k * 223.0f)};
    }
    if (s >= 1.5f && s < 2.0f) return {100.0f, 0xDF};
    return {0.0f, 0};
}

void logo_Render(float timeMs)
{
    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    const float s = timeMs * 0.001f;
    if (s >= 2.0f) return;

    const float alpha = s < 1.5f ? 1.0f : 1.0f - 2.0f * (s - 1.5f);
    g_render->SetTexture("logo", 0);
    g_render->DrawSprite(320.0f, 240.0f, 0.1f, alpha, 1.0f, 0.0f, nullptr);
    if (s < 1.0f) return;

    const LogoBars bars = logo_Bars(s);
    const D3DCOLOR color = (bars.alpha & 0xFF) << 24;
    for (int i = 0; static_cast<float>(i) < bars.count; ++i) {
        const int y = RandomNext() % 480;
        const int bottom = y + RandomNext() % 20 + 5;
        g_render->DrawRect(0.0f, static_cast<float>(y), 640.0f, static_cast<float>(bottom), 0.1f, color);
    }
}
