// The planes' trails. Trail point i of plane p is drawn at (x_p, y_p, z_i)
// through a world matrix that turns it half round the vertical axis, the
// plane's own turn, so it lands at world depth -z_i. Point i becomes the
// newest one i 366ths into the 22-second slot, when the plane, flying
// 0.045 units per millisecond from its formation depth, has reached
// depth_p - 0.045 * i * 22000 / 366. Laying each point at the plane's depth
// of that moment lays the trail exactly along the flight path. The half turn
// also mirrors x, so trail p is drawn behind plane 4 - p and takes that
// plane's depths.

#include <array>
#include <cstdio>

#include "forge/ini/ini_files.h"

namespace {

constexpr int kTrailPoints = 366;
constexpr float kSlotMs = 22000.0f;
constexpr float kSpeed = 0.045f;
constexpr std::array<float, 5> kFormationDepth = {750.0f, 720.0f, 700.0f, 710.0f, 740.0f};

} // namespace

std::string FlyIni()
{
    std::string text;
    text.reserve(kTrailPoints * kFormationDepth.size() * 10);
    for (int i = 0; i < kTrailPoints; ++i) {
        const float elapsed = static_cast<float>(i) * kSlotMs / static_cast<float>(kTrailPoints);
        for (std::size_t plane = 0; plane < kFormationDepth.size(); ++plane) {
            const float depth = kFormationDepth[kFormationDepth.size() - 1 - plane];
            char line[32];
            std::snprintf(line, sizeof line, "%.3f\n", kSpeed * elapsed - depth);
            text += line;
        }
    }
    return text;
}
