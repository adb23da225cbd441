#include "effects/flight_trails.h"

#include <algorithm>
#include <cmath>

#include "effects/ini_numbers.h"
#include "support/ini_file.h"
#include "support/log.h"
#include "support/random.h"

namespace {

constexpr D3DCOLOR loadedColour = 0x5AFFFFFF;
constexpr D3DCOLOR newestColour = 0xAFFFFFFF;

// Moves a coordinate by up to 0.12375 either way.
void Drift(float& coordinate)
{
    const int amount = RandomNext() % 100;
    const bool negative = RandomNext() % 10 < 5;
    coordinate = static_cast<float>(coordinate + (negative ? -amount : amount) * 0.00125);
}

} // namespace

unsigned TrailCount(float e)
{
    const double n = 1.0 - std::trunc(e / 22000.0f * -366.0f);
    if (std::isnan(n)) return 1;
    return static_cast<unsigned>(std::clamp(n, 1.0, static_cast<double>(kTrailCapacity - 1)));
}

D3DCOLOR TrailColour(float age, D3DCOLOR colour)
{
    if (age < 0.0f) return colour;
    if (age < 500.0f) return (static_cast<D3DCOLOR>(age * 0.001 * 255) << 24) | 0xFFFFFF;
    if (age < 1500.0f) return 0x4FFFFFFF;
    const double a = (1.0 - std::min(1.0, (age - 1500.0f) * 0.0001)) * 64;
    return (static_cast<D3DCOLOR>(a) << 24) | 0xFFFFFF;
}

void cFlightTrails::Read(cIniFile& ini, const cVector base[kPlanes])
{
    bool ended = false;
    unsigned refused = 0;
    for (unsigned i = 0; i < kTrailLoaded; ++i) {
        for (unsigned p = 0; p < kPlanes; ++p) {
            float depth = i == 0 ? -base[p].z : points[p][i - 1].z;
            if (!ended && !ini.Next()) {
                ended = true;
                if (g_log) g_log->Print("fxgreets : fly.ini ends after %u of %u lines\n", i * kPlanes + p,
                                        kTrailLoaded * kPlanes);
            }
            // Past the end of the file the trails stop where it does.
            double value = 0.0;
            if (!ended) {
                if (FieldNumber(ini, 0, &value) && std::isfinite(static_cast<float>(value))) {
                    depth = static_cast<float>(value);
                } else if (refused++ == 0 && g_log) {
                    g_log->Print("fxgreets : a line of fly.ini holds no depth, the trail keeps its last one: %s\n",
                                 ini.line);
                }
            }
            points[p][i] = {base[p].x, base[p].y, depth, loadedColour};
        }
    }
    if (refused > 1 && g_log) g_log->Print("fxgreets : %u lines of fly.ini hold no depth\n", refused);
}

void cFlightTrails::Grow(float t, unsigned n)
{
    if (n >= kTrailCapacity) return;
    if (n > previousCount) {
        for (unsigned p = 0; p < kPlanes; ++p) {
            stamp[n] = t;
            const double b = RandomNext() % 1000 * 0.0033333333333333335;
            const double a = RandomNext() % 1000 * 0.0033333333333333335;
            points[p][n].x = static_cast<float>(points[p][n].x + a);
            points[p][n].y = static_cast<float>(points[p][n].y + b);
        }
    }
    for (unsigned p = 0; p < kPlanes; ++p) points[p][n].colour = newestColour;
}

unsigned cFlightTrails::Age(float t, unsigned n)
{
    unsigned first = 0;
    for (unsigned i = 0; i + 1 < n && i < kTrailCapacity; ++i) {
        const float age = t - stamp[i];
        for (unsigned p = 0; p < kPlanes; ++p) {
            TrailPoint& point = points[p][i];
            point.colour = TrailColour(age, point.colour);
            if (age >= 1500.0f) {
                if ((point.colour >> 24) == 0) first = i;
                Drift(point.x);
                Drift(point.z);
            }
        }
    }
    return first;
}
