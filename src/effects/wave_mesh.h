#pragma once
// A flat grid mesh, 10 units a cell and centred on the origin, that effects
// lay a background picture on and displace every frame: a slow per-vertex
// swirl, or a ring ripple round a point that circles the grid's centre.
//
//   cWaveMesh background(64, 48, 1.0f, 0.75f);
//   render->SetTexture("fx01_tlo", 0);
//   background.Update(t, 1);   // swirl, upload and draw

#include <cstdint>
#include <vector>

#include "objects/object.h"

struct WaveSwirl {
    float a, b, amp;
};

class cWaveMesh {
public:
    // u runs 0..uScale across the columns, v from vScale down towards 0 over
    // the rows. Draws the swirl parameters of every inner vertex.
    cWaveMesh(unsigned cols, unsigned rows, float uScale, float vScale);
    ~cWaveMesh();
    cWaveMesh(const cWaveMesh&) = delete;
    cWaveMesh& operator=(const cWaveMesh&) = delete;

    // Turns the shared ripple centres a degree on, reshapes the mesh by mode
    // (1 swirl, 2 ripple, anything else leaves it as it is) and draws it.
    void Update(float timeMs, int mode);

    void Swirl(float timeMs);
    void Ripple(float timeMs);

    std::uint32_t cols = 0;
    std::uint32_t rows = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t triangleCount = 0;
    cObjectDyn* mesh = nullptr; // what is drawn
    cObjectDyn* rest = nullptr; // the flat grid the swirl starts from
    std::vector<WaveSwirl> swirl;
    float speed = 1.0f;
};

// The ripple centres every wave mesh shares, in grid units; the angles in
// degrees start at 0 and 69.
struct WaveRipple {
    float angles[2] = {0.0f, 69.0f};
    float centreX[2] = {0.0f, 0.0f};
    float centreY[2] = {0.0f, 0.0f};
};
extern WaveRipple g_waveRipple;
