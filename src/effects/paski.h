#pragma once
// The stripes overlay: long translucent black bars laid slantwise across the
// screen, drifting up or down at their own speeds and wrapping round the
// 480-pixel height. Most effects of the first half of the show draw two sets.
//
//   CPaski stripes(0xEF000000, 4, 8, 20, 40.0f, 5, 50);
//   stripes.Update(t);
//   stripes.Draw();

#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8_types.h"

struct PaskiStripe {
    float baseY;
    float y;
    float size;  // thickness, squared into the sprite's horizontal scale
    float speed; // pixels per 10 ms; negative ones move down
    float width; // how far the stripe falls across the screen's width
    D3DCOLOR color;
    float angle; // degrees
};

class CPaski {
public:
    // countA, countB and countC stripes of three thickness groups; the alpha of
    // each stripe is drawn between a quarter of the colour's alpha and three
    // quarters. A stripe moves up unless a draw of 0..99 exceeds flipPercent.
    CPaski(D3DCOLOR color, unsigned countA, unsigned countB, unsigned countC, float width, unsigned widthSpread,
           unsigned flipPercent);

    // Moves the stripes to time t (ms); the first call sets the start.
    void Update(float t);
    void Draw();

    std::vector<PaskiStripe> stripes;
    std::uint32_t stripeCount = 0;
    std::uint32_t unused = 0;
    float speedFactor = 1.0f;
    float sizeFactor = 1.0f;
    float startTime = 0.0f;
};
