#include "effects/paski.h"

#include <cmath>
#include <numbers>

#include "render/render.h"
#include "support/log.h"
#include "support/random.h"

namespace {

float GroupSize(int group)
{
    switch (group) {
    case 0: return static_cast<float>(RandomNext() % 5) * 2.0f + 5.0f;
    case 1: return static_cast<float>(RandomNext() % 5) * 1.5f + 2.0f;
    default: return static_cast<float>(RandomNext() % 10) * 1.5f + 2.0f;
    }
}

} // namespace

CPaski::CPaski(D3DCOLOR color, unsigned countA, unsigned countB, unsigned countC, float width, unsigned widthSpread,
               unsigned flipPercent)
{
    if (g_render && !g_render->SetTexture("CPaski", 0)) {
        if (g_log) g_log->Print("CPaski : loading texture for the first time\n");
        g_render->LoadTextureWithAlpha("data\\pasek.jpg", "data\\pasekalpha.jpg", "CPaski");
    }
    const unsigned counts[3] = {countA, countB, countC};
    const int alpha = static_cast<int>(color >> 24);
    // A spread of 0 would divide by zero; it gives every stripe the base width.
    for (int group = 0; group < 3; ++group) {
        for (unsigned i = 0; i < counts[group]; ++i) {
            PaskiStripe stripe{};
            stripe.baseY = static_cast<float>(RandomNext() % 480);
            stripe.y = stripe.baseY;
            stripe.size = GroupSize(group);
            stripe.speed = static_cast<float>(RandomNext() % 900) / 900.0f + 0.2f;
            if (static_cast<unsigned>(RandomNext() % 100) > flipPercent) stripe.speed = -stripe.speed;
            const int spread = widthSpread > 0 ? RandomNext() % static_cast<int>(widthSpread) : 0;
            stripe.width = static_cast<float>(spread) + width;
            stripe.angle = static_cast<float>(std::atan2(640.0, static_cast<double>(stripe.width)) * 180.0 / std::numbers::pi);
            const int lowest = alpha / 4;
            const int range = alpha - lowest;
            const int stripeAlpha = (range > 0 ? RandomNext() % range : 0) + lowest;
            stripe.color = (static_cast<D3DCOLOR>(stripeAlpha) << 24) | (color & 0x00FFFFFF);
            stripes.push_back(stripe);
        }
    }
    stripeCount = static_cast<std::uint32_t>(stripes.size());
}

void CPaski::Update(float t)
{
    if (startTime == 0.0f) startTime = t;
    const float k = (t - startTime) * 0.1f * speedFactor;
    for (PaskiStripe& stripe : stripes) {
        float y = stripe.baseY - k * stripe.speed;
        const float extent = stripe.size + stripe.width;
        if (y + extent < 0.0f) {
            const float over = std::fabs(y + extent);
            y = 480.0f - (over - std::trunc(over / 480.0f) * 480.0f);
        } else if (y > 480.0f) {
            const float m = extent + 480.0f;
            y = y - std::trunc(y / m) * m - extent;
        }
        stripe.y = y;
    }
}

void CPaski::Draw()
{
    if (!g_render) return;
    IDirect3DDevice8* device = g_render->GetDevice();
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    g_render->SetTexture("CPaski", 0);
    g_render->SetBlendMode(0, 0);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    const D3DXVECTOR2 centre(0.0f, 0.0f);
    for (const PaskiStripe& stripe : stripes) {
        const D3DXVECTOR2 scaling(stripe.size * stripe.size * sizeFactor * 0.01f, 50.0f);
        const D3DXVECTOR2 translation(-50.0f, stripe.y);
        sprite->Draw(g_render->currentTexture, nullptr, &scaling, &centre, stripe.angle * 0.017453292f, &translation,
                     stripe.color);
    }
    sprite->End();
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}
