#include "bird.h"

#include <cmath>

#include "loft.h"

namespace {

constexpr float pi = 3.14159265f;

ObjectMesh BirdBody()
{
    struct Station {
        float x, halfHeight, halfWidth, lift;
    };
    const Station stations[] = {{-40, 0, 0, 2},  {-30, 4, 5, 1},  {-15, 9, 10, 0}, {0, 11, 11, 0},
                                {15, 9, 9, 1},   {25, 6.5f, 6.5f, 3}, {32, 8, 7.5f, 4}, {40, 5, 4.5f, 3},
                                {47, 2, 1.6f, 2}, {54, 0, 0, 1}};
    const cVector along(1, 0, 0);
    const cVector side(0, 1, 0);
    std::vector<LoftSection> sections;
    for (std::size_t i = 0; i < std::size(stations); ++i) {
        const Station& s = stations[i];
        const cVector centre(s.x, s.lift, 0);
        if (i == 0 || i + 1 == std::size(stations)) {
            sections.push_back({centre});
            continue;
        }
        LoftSection loop;
        for (int k = 0; k < 12; ++k) {
            loop.push_back(RingPoint(centre, side, along, 2.0f * pi * static_cast<float>(k) / 12.0f, s.halfHeight,
                                     s.halfWidth));
        }
        sections.push_back(loop);
    }
    return Loft(sections, false);
}

// One wing along z on `side` (+1 or -1): broad at the shoulder, swept back
// and tapering to a pointed tip, bent up like a gull's.
ObjectMesh BirdWing(float side)
{
    const cVector along(0, 0, side);
    const cVector chordAxis(1, 0, 0);
    const int loopSize = 10;
    const int stations = 9;
    std::vector<LoftSection> sections;
    sections.push_back({cVector(0, 2, side * 2)});
    for (int i = 0; i < stations; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(stations);
        const float chord = 44.0f - 32.0f * f;
        const float thickness = 6.0f * (1.0f - 0.6f * f);
        const cVector centre(6.0f - 34.0f * std::pow(f, 1.5f), 2.0f + 16.0f * std::sin(pi * f) - 8.0f * f * f,
                             side * (4.0f + 106.0f * f));
        LoftSection loop;
        for (int k = 0; k < loopSize; ++k) {
            const float angle = 2.0f * pi * static_cast<float>(k) / static_cast<float>(loopSize);
            const float camber = 0.6f + 0.4f * std::cos(angle);
            loop.push_back(centre + chordAxis * (0.5f * chord * std::cos(angle)) +
                           Cross(chordAxis, along) * (0.5f * thickness * camber * std::sin(angle)));
        }
        sections.push_back(loop);
    }
    sections.push_back({cVector(-36, 8, side * 112)});
    return Loft(sections, false);
}

ObjectMesh BirdTail()
{
    const cVector along(-1, 0, 0);
    const cVector side(0, 0, 1);
    std::vector<LoftSection> sections;
    sections.push_back({cVector(-24, 2, 0)});
    const float stations[][3] = {{-30, 6, 2.5f}, {-42, 14, 2}, {-54, 22, 1.5f}, {-61, 26, 1}};
    for (const auto& s : stations) {
        LoftSection loop;
        for (int k = 0; k < 8; ++k) {
            loop.push_back(RingPoint({s[0], 2, 0}, side, along, 2.0f * pi * static_cast<float>(k) / 8.0f, s[1], s[2]));
        }
        sections.push_back(loop);
    }
    sections.push_back({cVector(-64, 2, 0)});
    return Loft(sections, false);
}

} // namespace

ObjectMesh Bird()
{
    ObjectMesh bird = BirdBody();
    bird.Append(BirdWing(1.0f));
    bird.Append(BirdWing(-1.0f));
    bird.Append(BirdTail());
    // Drawn out at this size, then grown to what the flock needs.
    for (ObjectVertex& vertex : bird.vertices) {
        vertex.position = vertex.position * 1.4f;
    }
    return bird;
}
