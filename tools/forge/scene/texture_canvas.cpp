#include "texture_canvas.h"

#include <algorithm>
#include <cmath>

namespace {
std::uint32_t Byte(float value)
{
    return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}
} // namespace

std::uint32_t PackColour(float red, float green, float blue, float alpha)
{
    return Byte(alpha) << 24 | Byte(red) << 16 | Byte(green) << 8 | Byte(blue);
}
