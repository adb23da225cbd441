#pragma once
// The band pictures of the layers overlay: 1024 texels wide, strips stacked
// from the top. The overlay shows strip j from row rows[j] + 2 to row
// rows[j + 1] - 1, so each strip keeps two blank rows above and one below as
// a margin against its neighbours under filtering.

#include <array>

struct BandPicture {
    const char* file;        // as the layers file names it (backslashes)
    int height;
    std::array<int, 6> rows; // boundaries; the last is the picture's height
};

constexpr int kBandWidth = 1024;

// Lettering: the title, the show's name, tape-counter digits and a line of
// small print, each repeated across the width.
constexpr BandPicture kLetterBands{"data\\bands_letters.jpg", 256, {0, 48, 96, 136, 168, 256}};
// Patterns: a barcode, a waveform, sprocket holes, level meters, a dotted rule.
constexpr BandPicture kPatternBands{"data\\bands_patterns.jpg", 128, {0, 24, 56, 80, 112, 128}};
