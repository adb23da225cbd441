#include "aeroplane.h"

#include <cmath>

#include "loft.h"

namespace {

constexpr float pi = 3.14159265f;

struct Station {
    float at;     // along the part's axis
    float across; // half width
    float up;     // half height
    float lift;   // centre offset along +y
};

// A body of revolution-like shape along +z: elliptic loops between two poles.
ObjectMesh Body(const std::vector<Station>& stations, float x, float y, int loopSize)
{
    const cVector along(0, 0, 1);
    const cVector side(1, 0, 0);
    std::vector<LoftSection> sections;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const Station& s = stations[i];
        const cVector centre(x, y + s.lift, s.at);
        if (i == 0 || i + 1 == stations.size()) {
            sections.push_back({centre});
            continue;
        }
        LoftSection loop;
        for (int k = 0; k < loopSize; ++k) {
            const float angle = 2.0f * pi * static_cast<float>(k) / static_cast<float>(loopSize);
            loop.push_back(RingPoint(centre, side, along, angle, s.across, s.up));
        }
        sections.push_back(loop);
    }
    return Loft(sections, false);
}

struct Airfoil {
    cVector root;      // centre of the root section
    cVector spanAxis;  // unit, from root to tip
    cVector chordAxis; // unit, towards the leading edge
    float span;
    float rootChord;
    float tipChord;
    float sweep;       // how far the tip sits behind the root, along -chordAxis
    float rise;        // how far the tip sits above the root, along +y
    float thickness;   // as a fraction of the chord
};

// A tapered lifting surface: airfoil loops, round at the leading edge and
// thin at the trailing edge, closed by a pole at the tip. The root is closed
// too, inside whatever it is attached to.
ObjectMesh Wing(const Airfoil& w)
{
    const float stations[] = {0.0f, 0.15f, 0.35f, 0.55f, 0.75f, 0.9f, 0.97f};
    const int loopSize = 12;
    std::vector<LoftSection> sections;
    sections.push_back({w.root + w.chordAxis * (-0.1f * w.rootChord)});
    for (float f : stations) {
        const float chord = w.rootChord + (w.tipChord - w.rootChord) * f;
        const cVector centre = w.root + w.spanAxis * (w.span * f) - w.chordAxis * (w.sweep * f) +
                               cVector(0, w.rise * f, 0);
        LoftSection loop;
        for (int k = 0; k < loopSize; ++k) {
            const float angle = 2.0f * pi * static_cast<float>(k) / static_cast<float>(loopSize);
            const float camber = 0.65f + 0.35f * std::cos(angle);
            loop.push_back(centre + w.chordAxis * (0.5f * chord * std::cos(angle)) +
                           Cross(w.chordAxis, w.spanAxis) * (0.5f * w.thickness * chord * camber * std::sin(angle)));
        }
        sections.push_back(loop);
    }
    sections.push_back({w.root + w.spanAxis * (w.span * 1.01f) - w.chordAxis * w.sweep + cVector(0, w.rise, 0)});
    return Loft(sections, false);
}

} // namespace

ObjectMesh Aeroplane()
{
    ObjectMesh plane = Body({{-430, 0, 0, 32},
                             {-400, 14, 20, 28},
                             {-300, 26, 34, 18},
                             {-150, 40, 48, 8},
                             {0, 46, 54, 0},
                             {150, 46, 54, 0},
                             {260, 42, 48, 0},
                             {340, 34, 36, -4},
                             {395, 22, 22, -6},
                             {425, 9, 9, -6},
                             {438, 0, 0, -6}},
                            0, 0, 16);
    // The cockpit canopy, a flattened bubble on top of the nose.
    plane.Append(Body({{170, 0, 0, 0}, {190, 14, 10, 0}, {230, 22, 16, 0}, {280, 20, 13, 0}, {315, 10, 6, 0},
                       {325, 0, 0, 0}},
                      0, 42, 12));
    for (float side : {-1.0f, 1.0f}) {
        plane.Append(Wing({{side * 20, -12, 40}, {side, 0, 0}, {0, 0, 1}, 480, 230, 100, 120, 30, 0.12f}));
        plane.Append(Wing({{side * 10, 26, -355}, {side, 0, 0}, {0, 0, 1}, 170, 110, 55, 35, 6, 0.1f}));
        // An engine under each wing.
        plane.Append(Body({{-70, 0, 0, 0},
                           {-60, 10, 10, 0},
                           {-35, 20, 20, 0},
                           {90, 24, 24, 0},
                           {125, 21, 21, 0},
                           {135, 12, 12, 0},
                           {138, 0, 0, 0}},
                          side * 190, -42, 12));
    }
    plane.Append(Wing({{0, 30, -340}, {0, 1, 0}, {0, 0, 1}, 190, 150, 70, 80, 0, 0.1f}));
    return plane;
}
