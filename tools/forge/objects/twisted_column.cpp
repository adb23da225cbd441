#include "twisted_column.h"

#include <cmath>

#include "loft.h"

ObjectMesh TwistedColumn(float length, float radius, int lobes, float turns)
{
    constexpr float pi = 3.14159265f;
    const int stations = 48;
    const int loopSize = 40;
    const float half = length * 0.5f;
    const cVector along(0, 1, 0);
    const cVector side(1, 0, 0);
    std::vector<LoftSection> sections;
    sections.push_back({cVector(0, -half, 0)});
    for (int i = 1; i < stations; ++i) {
        const float y = -half + length * static_cast<float>(i) / static_cast<float>(stations);
        const float end = std::fabs(y) / half;
        const float taper = std::cbrt(1.0f - std::pow(end, 6.0f));
        const float twist = 2.0f * pi * turns * (y + half) / length;
        LoftSection loop;
        for (int k = 0; k < loopSize; ++k) {
            const float angle = 2.0f * pi * static_cast<float>(k) / static_cast<float>(loopSize);
            const float r = radius * taper * (1.0f + 0.22f * std::cos(static_cast<float>(lobes) * (angle + twist)));
            loop.push_back(RingPoint({0, y, 0}, side, along, angle, r, r));
        }
        sections.push_back(loop);
    }
    sections.push_back({cVector(0, half, 0)});
    return Loft(sections, false);
}
