#pragma once
// The greetings stripes, read from data\greets.ini: slanted translucent bars
// across the screen, most of them carrying a word cut from the "greets"
// picture that slides along the bar.
//
//   18                                  number of stripes
//   62.0 22.1 1.0 10.0 650.0 0 0        stripeY length dirX dirY textX column row
//   20.0 11.3 0.3 10.0 0.0              a bar without a word
//
// A bar starts at (0, stripeY) and runs along the screen direction
// (dirY, dirX); length^2 / 100 scales the bar picture's width. The word is
// the picture's cell (column, row), which starts at x = textX + dirY and
// slides left at 40 pixels a second, riding 15 pixels above the bar's line.

#include <cstddef>
#include <vector>

#include "platform/d3d8/d3d8.h"

class cIniFile;

struct GreetsStripe {
    float stripeY;
    float length;
    float dirX;
    float dirY;
    float textX;
    float angle; // degrees, of the direction (dirX, dirY)
    float slope; // dirX / dirY
    bool hasCell;
    unsigned cellColumn;
    unsigned cellRow;
};

inline constexpr std::size_t kMaxGreetsStripes = 256;

// Reads every stripe left in an open reader. The first record's first
// integer is the number of stripes; each stripe line holds five numbers,
// then, for a bar with a word, the cell's column and row. The numbers may be
// written with or without a decimal point. Refused lines are logged and
// skipped: what is kept is finite and names a cell inside a 2048-texel
// picture.
std::vector<GreetsStripe> ReadGreetsStripes(cIniFile& ini);

// The cell's rectangle in the "greets" picture: 128 + column texels wide,
// 30 rows tall, on a pitch of 127 across and 31 down.
RECT GreetsCellSource(const GreetsStripe& stripe);

// The centre of the stripe's word e milliseconds into the greetings.
struct GreetsPoint {
    float x, y;
};
GreetsPoint GreetsCellCentre(const GreetsStripe& stripe, float e);
