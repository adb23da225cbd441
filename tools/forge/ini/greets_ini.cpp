// The greetings stripes. Each entry draws the bar sprite from (0, stripeY)
// along the direction (dirY, dirX), 800 pixels long and 8 x length^2 / 100
// thick (length 22.1 gives 39 pixels), and slides its cell leftwards along
// the line y = stripeY + x * dirX / dirY - 15 at 40 pixels a second,
// starting at x = textX + dirY. The 31-row cell, 37 pixels tall at the
// sprite's 1.2 scale, thus rides inside its bar. Some bars carry two words, the second
// well behind the first; two bars carry none.

#include <cstdio>
#include <iterator>

#include "forge/ini/ini_files.h"
#include "forge/pictures/greetings_crafts.h"

namespace {

struct StripeEntry {
    float stripeY, length, dirX, dirY, textX;
    int craft;  // index into the crafts, or -1 for a bar without a word
};

constexpr StripeEntry kEntries[] = {
    {62, 22.1f, 1.0f, 10, 650, 0},
    {100, 22.1f, -0.8f, 10, 760, 1},
    {142, 22.1f, 1.4f, 10, 700, 2},
    {176, 22.1f, -0.5f, 10, 900, 3},
    {216, 22.1f, 0.6f, 10, 820, 4},
    {254, 22.1f, -1.2f, 10, 660, 5},
    {300, 22.1f, 0.9f, 10, 980, 6},
    {334, 22.1f, -0.6f, 10, 740, 7},
    {372, 22.1f, 1.1f, 10, 860, 8},
    {408, 22.1f, -1.0f, 10, 700, 9},
    {446, 22.1f, 0.5f, 10, 940, 10},
    {470, 22.1f, -0.4f, 10, 780, 11},
    {62, 22.1f, 1.0f, 10, 1180, 12},
    {216, 22.1f, 0.6f, 10, 1340, 13},
    {334, 22.1f, -0.6f, 10, 1260, 14},
    {446, 22.1f, 0.5f, 10, 1420, 15},
    {20, 11.3f, 0.3f, 10, 0, -1},
    {236, 9.9f, -0.2f, 10, 0, -1},
};

} // namespace

std::string GreetsIni()
{
    std::string text =
        "# stripes: count, then stripeY length dirX dirY textX [cell column, cell row]\n" +
        std::to_string(std::size(kEntries)) + "\n";
    for (const StripeEntry& entry : kEntries) {
        char line[96];
        std::snprintf(line, sizeof line, "%.1f %.1f %.1f %.1f %.1f", entry.stripeY, entry.length, entry.dirX,
                      entry.dirY, entry.textX);
        text += line;
        if (entry.craft >= 0) {
            text += " " + std::to_string(entry.craft % kCraftColumns) + " " + std::to_string(entry.craft / kCraftColumns);
        }
        text += "\n";
    }
    return text;
}
