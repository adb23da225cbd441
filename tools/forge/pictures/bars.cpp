// The bar sprite. The stripes overlay and the greetings stretch it 50 times
// along its 16 rows (800 pixels, longer than the screen is wide) and scale
// its 8 columns by size^2 / 100 to the bar's thickness (a size of 5 gives a
// 2-pixel line, 15 an 18-pixel bar), so its alpha is a profile across the
// bar: a solid core with soft edges that keep thin bars smooth.

#include <cmath>

#include "forge/common/shading.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kWidth = 8, kHeight = 16;

float Profile(float x)
{
    const float edge = std::fmin(x, kWidth - x);
    return Smoothstep(0.0f, 2.0f, edge);
}

} // namespace

Image MakeBarColour()
{
    return Image::Colour(kWidth, kHeight, [](float, float) { return Hex(0xFFFFFF); });
}

Image MakeBarAlpha()
{
    return Image::Grey(kWidth, kHeight, [](float x, float) { return Profile(x); });
}
