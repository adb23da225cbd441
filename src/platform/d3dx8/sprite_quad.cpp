#include "platform/d3dx8/sprite_quad.h"

#include <cmath>

std::array<SpriteVertex, 4> BuildSpriteQuad(UINT textureWidth, UINT textureHeight, const RECT* sourceRect,
                                            const D3DXVECTOR2* scaling, const D3DXVECTOR2* rotationCenter,
                                            float rotation, const D3DXVECTOR2* translation, D3DCOLOR color)
{
    const RECT rect = sourceRect != nullptr
                          ? *sourceRect
                          : RECT{0, 0, static_cast<LONG>(textureWidth), static_cast<LONG>(textureHeight)};
    const D3DXVECTOR2 scale = scaling != nullptr ? *scaling : D3DXVECTOR2(1.0f, 1.0f);
    const D3DXVECTOR2 centre = rotationCenter != nullptr ? *rotationCenter : D3DXVECTOR2();
    const D3DXVECTOR2 offset = translation != nullptr ? *translation : D3DXVECTOR2();
    const float c = std::cos(rotation), s = std::sin(rotation);
    const auto width = static_cast<float>(rect.right - rect.left);
    const auto height = static_cast<float>(rect.bottom - rect.top);

    std::array<SpriteVertex, 4> quad;
    const float corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int i = 0; i < 4; i++) {
        const float px = corners[i][0] * width * scale.x - centre.x;
        const float py = corners[i][1] * height * scale.y - centre.y;
        quad[i].x = px * c + py * s + centre.x + offset.x - 0.5f;
        quad[i].y = -px * s + py * c + centre.y + offset.y - 0.5f;
        quad[i].z = 0.0f;
        quad[i].rhw = 1.0f;
        quad[i].color = color;
        quad[i].u = static_cast<float>(corners[i][0] > 0 ? rect.right : rect.left) / static_cast<float>(textureWidth);
        quad[i].v = static_cast<float>(corners[i][1] > 0 ? rect.bottom : rect.top) / static_cast<float>(textureHeight);
    }
    return quad;
}
