#pragma once
// The five aeroplanes' trails of glowing points. Each trail is laid out once
// from the depths in data\fly.ini; while the greetings run, one more point
// of each trail lights up every 366th of the 22-second flight, jolted a
// little sideways, and the older points brighten, hold, then fade over ten
// seconds while they drift.
//
// data\fly.ini holds 366 groups of five lines, one line per plane; the first
// field of a line is the depth of that plane's trail point.

#include <cstdint>

#include "math/vector.h"
#include "platform/d3d8/d3d8.h"

class cIniFile;

// A trail point as the device reads it with format XYZ | DIFFUSE.
struct TrailPoint {
    float x, y, z;
    D3DCOLOR colour;
};
static_assert(sizeof(TrailPoint) == 16);

inline constexpr unsigned kPlanes = 5;
inline constexpr unsigned kTrailLoaded = 366;
inline constexpr unsigned kTrailCapacity = 7500;

// The number of trail points in use e milliseconds into the flight: 1 at the
// start, one more every 22000 / 366 ms; never below 1 nor past the capacity.
unsigned TrailCount(float e);

// A trail point's colour at `age` milliseconds after it became the newest:
// rising to alpha 255 over half a second, alpha 0x4F for a second, then
// falling from 64 to 0 over ten seconds. A negative age keeps `colour`.
D3DCOLOR TrailColour(float age, D3DCOLOR colour);

class cFlightTrails {
public:
    // Lays trail point i of plane p at (base[p].x, base[p].y, depth) with the
    // depths of data\fly.ini; reads exactly 366 x 5 lines. A line that holds
    // no depth is logged and repeats the plane's previous depth (the first
    // point's is -base[p].z, the plane's start seen through its half turn).
    void Read(cIniFile& ini, const cVector base[kPlanes]);

    // Lights point n when n has grown since the last frame: stamps it with t
    // and jolts it by up to 3.33 across and up, drawing from the process-wide
    // random generator. Point n is always the bright newest point.
    void Grow(float t, unsigned n);

    // Colours and moves the points before the newest at show time t and
    // returns the first point worth drawing: the last one that has faded
    // out, or 0.
    unsigned Age(float t, unsigned n);

    TrailPoint points[kPlanes][kTrailCapacity] = {};
    float stamp[kTrailCapacity] = {};
    // The count of the previous frame; larger than any count at first, so the
    // first frame jolts nothing.
    unsigned previousCount = 0xFFEEFFEE;
};
