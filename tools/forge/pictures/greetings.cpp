// The greetings cells: one craft per 128x31 cell, 4 columns by 4 rows. The
// greetings effect cuts cell (c, r) from texel 127c to 128c + 128 across and
// 31r to 31r + 30 down, so each word is centred in its 128-texel column and
// kept clear of the cell's first and last texels.

#include <algorithm>
#include <cmath>

#include "forge/common/text.h"
#include "forge/pictures/greetings_crafts.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kWidth = 512, kHeight = 128;

Image CellLettering()
{
    Image mask(kWidth, kHeight, 1);
    const Font& font = BoldFont();
    for (size_t i = 0; i < kCrafts.size(); ++i) {
        const int column = static_cast<int>(i) % kCraftColumns, row = static_cast<int>(i) / kCraftColumns;
        int size = 18;
        while (size > 10 && font.Measure(kCrafts[i], size) > 112.0f) --size;
        const float width = font.Measure(kCrafts[i], size);
        const float left = static_cast<float>(column * kCraftCellWidth) + (kCraftCellWidth - width) * 0.5f;
        const float baseline = static_cast<float>(row * kCraftCellPitch) + 15.0f + font.CapHeight(size) * 0.5f;
        font.Draw(mask, left, baseline, kCrafts[i], size);
    }
    return mask;
}

} // namespace

Image MakeGreetingsColour()
{
    // The words are drawn dark over the light greetings stripes.
    return Image::Colour(kWidth, kHeight, [](float, float) { return Hex(0x020308); });
}

Image MakeGreetingsAlpha()
{
    return CellLettering();
}
