#include "effects/fxrewind.h"

#include "app/demo.h"
#include "support/random.h"

namespace {

RewindStreak streaks[kRewindStreaks];

// The render states the noise changes, kept for the caller.
constexpr D3DRENDERSTATETYPE keptStates[] = {D3DRS_ALPHABLENDENABLE, D3DRS_ZENABLE,   D3DRS_ZWRITEENABLE,
                                             D3DRS_SRCBLEND,         D3DRS_DESTBLEND, D3DRS_CULLMODE};
constexpr int keptStateCount = sizeof keptStates / sizeof keptStates[0];

constexpr float streakJumpMs = 50.0f;

// The whole texture, scaled and moved to (x, y).
void DrawNoise(ID3DXSprite* sprite, IDirect3DTexture8* texture, float scaleX, float scaleY, float x, float y,
               D3DCOLOR colour)
{
    const D3DXVECTOR2 scaling(scaleX, scaleY);
    const D3DXVECTOR2 centre(0.0f, 0.0f);
    const D3DXVECTOR2 translation(x, y);
    sprite->Draw(texture, nullptr, &scaling, &centre, 0.0f, &translation, colour);
}

void DrawBlotches(ID3DXSprite* sprite, IDirect3DTexture8* texture)
{
    for (int blotch = 0; blotch < kRewindBlotches; ++blotch) {
        const int x = RandomNext() % 660 - 10;
        const int y = RandomNext() % 500 - 10;
        RandomNext();
        RandomNext();
        const int a = RandomNext() % 15 + 5;
        const int b = RandomNext() % 20 + 5;
        DrawNoise(sprite, texture, static_cast<float>(b * 0.1), static_cast<float>(a * 0.1), static_cast<float>(x),
                  static_cast<float>(y), 0x1FFFFFFF);
    }
}

void DrawStreaks(ID3DXSprite* sprite, IDirect3DTexture8* texture, float t)
{
    for (RewindStreak& streak : streaks) {
        if (t > streak.time + streakJumpMs) {
            streak.time = t;
            streak.y = static_cast<float>(RandomNext() % 490 - 5);
            streak.size = static_cast<float>((RandomNext() % 20 + 5) * 0.04);
            streak.colour = 0x1F000000;
        }
        DrawNoise(sprite, texture, 20.0f, static_cast<float>(streak.size * 0.3 + 0.1), 0.0f, streak.y, streak.colour);
    }
}

} // namespace

void fxrewind_InitChess()
{
    g_render->LoadTexture("data\\dupa2.jpg", "chess2");
}

void fxrewind_Init()
{
    for (RewindStreak& streak : streaks) {
        streak.time = -1000.0f;
        streak.y = static_cast<float>(RandomNext() % 490 - 5);
        streak.size = static_cast<float>(RandomNext() % 20 + 4);
        streak.colour = 0xFF000000;
    }
}

void fxrewind_Render(float timeMs)
{
    DWORD kept[keptStateCount] = {};
    for (int index = 0; index < keptStateCount; ++index) {
        g_device->GetRenderState(keptStates[index], &kept[index]);
    }

    // Without "black" the sprite has no texture and draws nothing, but the
    // streaks still jump and the generator advances as in every other call.
    IDirect3DTexture8* texture = g_render->SetTexture("black", 0) ? g_render->currentTexture : nullptr;
    g_device->SetRenderState(D3DRS_ZENABLE, FALSE);
    g_device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    DrawBlotches(sprite, texture);
    DrawStreaks(sprite, texture, timeMs);
    sprite->End();

    for (int index = 0; index < keptStateCount; ++index) {
        g_device->SetRenderState(keptStates[index], kept[index]);
    }
}

const RewindStreak* fxrewind_Streaks()
{
    return streaks;
}
