#pragma once
// The distortion grid: a full-screen picture drawn through a coarse grid of
// pre-transformed vertices whose texture coordinates (and sometimes alpha) a
// numbered mode computes per vertex. Texture interpolation across each cell
// turns the per-vertex values into a smooth distortion of whatever texture
// the caller has bound.
//
//   grid->speed = 0.1f;
//   grid->Update(2, t);          // polar map, computed once per entry into mode 2
//   grid->Animate(t, false);     // scroll the computed map into the display
//   grid->Draw();
//
// Modes:
//   0 spiral map        one-shot    6  blob rotozoom       per frame
//   1 sphere            per frame   7  wobble              per frame
//   2 polar map         one-shot    8  projected vortex    one-shot
//   3 floor, ceiling    per frame   9  inversion map       one-shot
//   4 projected vortex  one-shot    10 tunnel              per frame
//   5 sine-table ripple per frame   above 10: nothing
// One-shot modes write the static vertices, which Animate(t, false) scrolls
// into the display vertices; per-frame modes write the display vertices
// directly, and the ray-cast ones (1, 3, 10) need Animate(t, true) to turn
// the shared rotation first.

#include "math/vector.h"
#include "platform/d3d8/d3d8.h"
#include "render/image_quad.h"

class cRender;

class fx {
public:
    fx();
    ~fx();
    fx(const fx&) = delete;
    fx& operator=(const fx&) = delete;

    // Builds the grid for a width x height screen with square cells of `cell`
    // pixels, overhanging by two cells right and below. False (logged where
    // the device refused) when the renderer has no device or a buffer cannot
    // be made or filled; the grid is then unusable.
    bool Init(cRender* render, unsigned width, unsigned height, unsigned cell);

    // Computes mode `mode` at the effect's time t. A one-shot mode runs once
    // per entry into it; a per-frame mode runs on every call. Always true.
    bool Update(unsigned mode, float t);

    // rotateOnly false: display = static vertices scrolled by (0.003, 0.001)
    // x speed x t. rotateOnly true: only turns the shared rotation to time t.
    void Animate(float t, bool rotateOnly);

    // Draws the display vertices with the caller's texture and states. The
    // depth test is switched off for the draw and left on afterwards.
    bool Draw();

    unsigned width = 0;
    unsigned height = 0;
    unsigned cell = 0;
    unsigned cols = 0;
    unsigned rows = 0;
    unsigned triangleCount = 0;
    float speed = 1.0f; // set by the effects before each Update
    ScreenVertex* displayVertices = nullptr;
    ScreenVertex* staticVertices = nullptr;
    WORD* indices = nullptr;
    bool computed = false; // the current mode's one-shot map is in the static vertices
    unsigned mode = 0;
    cRender* render = nullptr;
    IDirect3DDevice8* device = nullptr;

    // Mode 5's sine tables, 0..56 each.
    BYTE sineA[256];
    BYTE sineB[256];
    int rippleP = 135;
    int rippleQ = 35;

    // Rotation of the ray-cast modes, in degrees: angle = rate x speed x t + base.
    float angles[3] = {0.1f, 0.1f, 0.1f};
    float cosines[3];
    float sines[3];
    cVector baseAngles{0.1f, 0.1f, 0.1f};
    cVector angleRates{0.1f, 0.1f, 0.1f}; // effects set for example (0, 0, 25)

    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    IDirect3DIndexBuffer8* indexBuffer = nullptr;

    // Mode 7's wobble, one call behind: each call draws with the values the
    // previous call left.
    float wobbleP0 = 0.0f;
    float wobbleP1 = 0.0f;
    float wobbleA = 0.0f;
    float wobbleB = 0.0f;
    float wobbleAngle = 0.0f;
    float wobbleRates[5] = {0.024f, 0.031f, -0.019f, 0.025f, -0.0083f};

private:
    void BuildRotation(float t);

    void SpiralMap();              // 0
    void SphereMap();              // 1
    void PolarMap();               // 2
    void FloorAndCeiling(float t); // 3
    void ProjectedVortex();        // 4 and 8
    void SineRipple(float t);      // 5
    void BlobRotozoom(float t);    // 6
    void Wobble(float t);          // 7
    void InversionMap();           // 9
    void Tunnel(float t);          // 10
};

// Shared by every grid: the rotation the ray-cast modes turn their rays with
// (row-major, rebuilt by Animate(t, true) of whichever grid ran last), and the
// time values modes 6 and 3 last used.
extern float g_gridRotation[3][3];
extern float g_gridBlobTime;  // mode 6: speed x t
extern float g_gridFloorTime; // mode 3: 5 x speed x t + 20
