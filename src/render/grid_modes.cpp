// The grid's modes: per vertex, a texture coordinate (and for some an alpha)
// from the vertex's column and row and its pixel position.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/grid.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Radians to 256ths of a turn (256 / 2 pi), and to 256ths of a half turn.
constexpr double kAtanToTurn = 40.74366543152521;
constexpr double kAtanToRayTurn = 81.48733086305042;
constexpr float kBlobSkew = 1.445430040359497f;
constexpr D3DCOLOR kOpaqueWhite = 0xFFFFFFFF;

// Calls visit(vertex, col, row, X, Y) for every vertex of `vertices`, X and Y
// being the vertex's pixel position.
template <typename Visit>
void ForEachVertex(const fx& grid, ScreenVertex* vertices, Visit visit)
{
    for (unsigned row = 0; row < grid.rows; ++row) {
        for (unsigned col = 0; col < grid.cols; ++col) {
            visit(vertices[row * grid.cols + col], static_cast<int>(col), static_cast<int>(row),
                  static_cast<int>(grid.cell * col), static_cast<int>(grid.cell * row));
        }
    }
}

// The ray direction turned by the shared rotation and made unit length.
cVector RotateRay(const cVector& d)
{
    const float(&m)[3][3] = g_gridRotation;
    return VectorNormalize(cVector(m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z,
                                   m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
                                   m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z));
}

// Distance along the ray to a surface centred on the eye, from the quadratic
// with no linear term: the positive root, or the negative one when that is
// not positive.
double RayDistance(double discriminant, double denominator)
{
    const double s = std::sqrt(discriminant) / denominator;
    return s > 0.0 ? s : -std::sqrt(discriminant) / denominator;
}

float Squared(float x)
{
    return x * x;
}

} // namespace

void fx::SpiralMap()
{
    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    const double wobble = std::cos(2.0 * kPi) * std::sin(11.68672467135403) * 0.3;
    ForEachVertex(*this, staticVertices, [&](ScreenVertex& vertex, int, int, int X, int Y) {
        const double dx = (X - halfW) - 20.5;
        const double dy = (Y - halfH) - 12.5;
        const double w = (std::atan2(dx, dy) * kAtanToTurn + 1228.0) * 4096.0;
        const int k = static_cast<int>(w) >> 11;
        const int m = static_cast<int>(4096.0 / std::sqrt(dx * dx + dy * dy) *
                                       (1.0 + wobble * std::sin(w * 1.917476e-5 + 31.0)) * 4000.0) >>
                      11;
        vertex.u = static_cast<float>(k / 256.0 - std::floor(k / 256.0));
        vertex.v = static_cast<float>(m / 256.0);
        vertex.diffuse = kOpaqueWhite;
    });
}

void fx::SphereMap()
{
    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int, int, int X, int Y) {
        const cVector d = RotateRay(cVector((X - 128) / 120.0f, (Y - 128) / 120.0f - 0.04f, 1.7f));
        const double lengthSquared = d.x * d.x + d.y * d.y + d.z * d.z;
        const double s = RayDistance(4.0 * 456.0 * 456.0 * lengthSquared, 2.0 * lengthSquared);
        const double hx = s * d.x, hy = s * d.y, hz = s * d.z;
        vertex.u = static_cast<float>(hz * 0.001);
        vertex.v = static_cast<float>(std::atan2(hy, hx) * kAtanToRayTurn * 0.01);
        vertex.diffuse = kOpaqueWhite;
    });
}

void fx::PolarMap()
{
    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    ForEachVertex(*this, staticVertices, [&](ScreenVertex& vertex, int, int, int X, int Y) {
        int dx = X - halfW - 160;
        const int dy = Y - halfH;
        if (dx == 0 && dy == 0) {
            dx = 1;
        }
        const double rho = std::sqrt(static_cast<double>(dx * dx + dy * dy)) / std::sqrt(160000.0);
        const unsigned angle = static_cast<unsigned>(static_cast<int>(std::atan2(dx, dy) * kAtanToTurn + 128.0));
        const unsigned radius = static_cast<unsigned>(static_cast<int>(240.0 - rho * 240.0));
        vertex.u = static_cast<float>((angle & 0xFFFF) / 255.0);
        vertex.v = static_cast<float>((radius & 0xFFFF) / 255.0);
        vertex.diffuse = kOpaqueWhite;
    });
}

void fx::FloorAndCeiling(float t)
{
    const float travelled = 5.0f * speed * t + 20.0f;
    g_gridFloorTime = travelled;
    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int, int, int X, int Y) {
        const cVector d = RotateRay(cVector((X - halfW) / 90.0f, (Y - halfH) / 90.0f, 2.0f));
        const float sign = d.y > 0.0f ? 1.0f : -1.0f;
        const float k = sign * 215.0f / d.y;
        vertex.u = static_cast<float>(k * d.x * 0.001);
        vertex.v = static_cast<float>((k * d.z + travelled) * 0.001);
        const float distanceSquared = Squared(k * d.x) + Squared(k * d.z);
        unsigned fade = 0;
        if (distanceSquared > 1e-6f) {
            fade = static_cast<unsigned>(std::min(std::sqrt(distanceSquared) / 6.0f, 255.0f));
        }
        vertex.diffuse = (~fade << 24) | 0x00FFFFFF;
    });
}

void fx::ProjectedVortex()
{
    constexpr double R = 530.0;
    constexpr double A = 400.0;
    for (float p = 200.0f; p > 0.0f; p = static_cast<float>(p - (p * 0.002 + 0.03))) {
        const double q = 0.005 * p;
        const double z = 1000.0 * q;
        const double cq = std::cos(q);
        const double sq = std::sin(q) * z;
        for (float a = 200.0f; a > 0.0f; a = static_cast<float>(a - (a * 0.002 + 0.015))) {
            const double g = a * 0.005 * 6.2831844;
            const double sx = (std::sin(g) * R * cq + sq) * A / (z + A + 20.0) + 320.0;
            const double sy = (std::cos(g) * A * cq + sq) * A / (z + R) + 240.0;
            const int ix = static_cast<int>(sx);
            const int iy = static_cast<int>(sy);
            if (iy < 0 || iy >= 496 || ix < 0 || ix >= 656) {
                continue;
            }
            const unsigned col = static_cast<unsigned>(ix) / cell;
            const unsigned row = static_cast<unsigned>(iy) / cell;
            // The window above fits the 640x480 grid; a smaller grid only
            // takes the points that land on it.
            if (col >= cols || row >= rows) {
                continue;
            }
            ScreenVertex& vertex = staticVertices[row * cols + col];
            vertex.u = static_cast<int>(1.28 * a) / 256.0f;
            vertex.v = static_cast<int>(1.28 * p) / 256.0f;
            vertex.diffuse = kOpaqueWhite;
        }
    }
}

void fx::SineRipple(float t)
{
    const BYTE firstA = sineA[0];
    std::memmove(sineA, sineA + 1, 255);
    sineA[255] = firstA;
    std::memmove(sineB, sineB + 1, 255);
    sineB[255] = sineA[0];

    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int col, int row, int X, int Y) {
        const int ix = halfW - X;
        const int iy = halfH - Y;
        const int across = sineB[(sineB[(rippleP + iy + ix) & 255] + row) & 255];
        const int down = sineB[(sineA[(iy - rippleQ + ix) & 255] + 255) & 255];
        vertex.u = static_cast<float>(col) / static_cast<float>(cols) - (across - 10) * 0.0078125f;
        vertex.v = static_cast<float>(row) / static_cast<float>(rows) + down * 0.0078125f;
    });

    const float T = speed * t;
    rippleP = static_cast<int>(T + 135.0f);
    rippleQ = static_cast<int>(4.0f * T + 35.0f);
}

void fx::BlobRotozoom(float t)
{
    const double T = speed * t;
    g_gridBlobTime = static_cast<float>(T);
    const double e = std::cos(0.017432 * T) * 0.9 + std::sin(0.011234 * T) * 3.9;
    const double s4 = std::sin(0.01131235 * e);
    const double ce = std::cos(e);
    const double se = std::sin(e);

    const double P1 = 10.0 * std::sin(0.0612456 * T) + 20.5;
    const double P2 = 10.0 * std::sin(0.061735321 * T) + 12.5;
    const double P3 = 10.0 * std::sin(0.061532543 * T) + 12.5;
    const double P4 = 10.0 * std::sin(0.06122432 * T) + 20.5;
    const double q = 13.0 * std::sin((e - 10.0) * 0.0543345) + 20.5;
    const double h = 0.5 * s4;
    const double D1 = -((std::sin(0.0171434 * T) + 1.5) * 100.0);
    const double E1 = -2.0 * std::cos(0.02913453 * T);
    const double D2 = (std::cos(0.0181234 * T) + 1.5) * 100.0;
    const double E2 = 2.0 * std::sin(0.01715453 * T);
    const double L = 2.6 * std::sin((T - 15.0) * 0.01) + 12.5;

    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int col, int row, int, int) {
        const double x = col;
        const double y = 1.2 * row;
        const double f1x = (x * kBlobSkew + y - P1) * (x - P4) * 0.4;
        const double f1y = (x - P3) * (y - P2) * 0.4;
        const double f2x = (x - P2 - kBlobSkew * y) * (x - P1) * 0.4;
        const double f2y = (y - P4) * (y - P3) * 0.4;
        const double bump =
            1.0 / ((f1y * f1y + f1x * f1x) * h / D1 + E1) + 1.0 / ((f2x * f2x + f2y * f2y) * h / D2 + E2);
        vertex.u = static_cast<float>((ce * (x - 20.5) - se * (y - 12.5) + (x - q) * bump) / 256.0);
        vertex.v = static_cast<float>(((x - 20.5) * se + (y - 12.5) * ce + (y - L) * bump) / 256.0);
        const double a = std::min(std::fabs(12.0 * bump), 31.0);
        vertex.diffuse = (static_cast<DWORD>(static_cast<int>(255.0 - 8.0 * a)) << 24) | 0x00FFFFFF;
    });
}

void fx::Wobble(float t)
{
    const double sinW = std::sin(wobbleAngle);
    const double cosW = std::cos(wobbleAngle);
    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int col, int row, int, int) {
        const double ar = 0.09239978392911156 * row;
        const double ac = 0.10471975511965977 * col;
        vertex.u = static_cast<float>(
            (15.0 * std::sin(sinW * std::cos(ar)) + wobbleA * std::sin(ac) + 14.0 * wobbleP0 + 4.0 * col) / 256.0);
        vertex.v = static_cast<float>(
            (30.0 * wobbleB * std::sin(cosW * std::sin(ar)) * std::cos(ac) + 21.0 * wobbleP1 + 3.0 * row) / 256.0);
    });

    // For the next call, from the raw time.
    wobbleP0 = static_cast<float>(kPi * std::sin((t + 250.0) * 0.1 * wobbleRates[1]));
    wobbleP1 = static_cast<float>(kPi * std::sin(t * 0.1 * wobbleRates[2]));
    wobbleA = static_cast<float>(3.852 * std::cos((t + 500.0) * 0.00025 * kPi) - 2.232);
    wobbleB = static_cast<float>(2.255 * std::sin(t * 0.00025 * kPi) - 3.574);
    wobbleAngle = static_cast<float>(t * 0.01 * wobbleRates[0] * speed);
}

void fx::InversionMap()
{
    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    const int step = static_cast<int>(cell);
    for (int y = -halfH; y < halfH + step; y += step) {
        for (int x = -halfW; x < halfW + step; x += step) {
            double q = static_cast<double>(x) * x + static_cast<double>(y) * y;
            if (q < 5400.0) {
                q = 5400.0 - (q - 5400.0);
            }
            const double f = 23040.0 / q;
            const unsigned col = static_cast<unsigned>(x + halfW) / cell;
            const unsigned row = static_cast<unsigned>(halfH + y) / cell;
            ScreenVertex& vertex = staticVertices[row * cols + col];
            vertex.u = static_cast<int>(f * x) / 256.0f;
            vertex.v = static_cast<int>(f * y) / 256.0f;
            vertex.diffuse = kOpaqueWhite;
        }
    }
}

void fx::Tunnel(float t)
{
    const double travelled = 3.0 * speed * t + 20.0;
    const int halfW = static_cast<int>(width / 2);
    const int halfH = static_cast<int>(height / 2);
    ForEachVertex(*this, displayVertices, [&](ScreenVertex& vertex, int, int, int X, int Y) {
        const cVector d = RotateRay(cVector((X - halfW) / 64.0f, (Y - halfH) / 64.0f, 1.0f));
        const double across = static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y;
        const double s = RayDistance(4.0 * 256.0 * 256.0 * across, 2.0 * across + 1e-6);
        vertex.u = static_cast<int>(std::fabs(s * d.z + travelled) * 0.6) / 256.0f;
        vertex.v = static_cast<int>(std::fabs(std::atan2(s * d.y, s * d.x) * kAtanToRayTurn)) / 256.0f;
        // A ray straight down the axis meets no wall (s = -0): dark, like
        // the far end of the tunnel around it.
        const double brightness = std::clamp(20000.0 / s, 0.0, 63.0);
        vertex.diffuse = static_cast<DWORD>(static_cast<int>(brightness)) * 0x04040404u;
    });
}
