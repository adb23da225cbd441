// When the layers overlay scrolls which band by. The bands come in where the
// music marks a moment (flash and beat times of the effects below them) and
// sit where the effect leaves room: in fx05's and fx07's letterbox bars,
// inside fx04's frame, clear of the sign matrix and the spectrum bars of
// fxquill. Every slot gets at least one; the rewind gets none (the overlay
// stays dark while rewinding).

#include <array>
#include <cstdio>

#include "forge/ini/ini_files.h"
#include "forge/pictures/bands.h"

namespace {

enum Group { kLetters = 0, kPatterns = 1 };
// Strips of the letter bands.
enum { kName = 0, kTitle = 1, kCounter = 2, kSmallPrint = 3, kLargeName = 4 };
// Strips of the pattern bands.
enum { kBarcode = 0, kWave = 1, kSprockets = 2, kMeters = 3, kDots = 4 };

struct Band {
    int start, end, group, strip, y;
    float period;  // milliseconds per texel; negative scrolls the other way
    float alpha;
};

constexpr Band kBands[] = {
    // logo
    {300, 2800, kPatterns, kDots, 60, -6, 0.5f},
    {300, 2800, kPatterns, kDots, 420, 6, 0.5f},
    // fxobraz
    {4800, 7200, kLetters, kTitle, 402, 12, 0.6f},
    {8283, 11200, kPatterns, kWave, 70, -5, 0.5f},
    {12900, 17188, kLetters, kSmallPrint, 455, 8, 0.6f},
    {18570, 23719, kPatterns, kBarcode, 40, -7, 0.5f},
    {19260, 24400, kLetters, kCounter, 440, 10, 0.7f},
    // fx01
    {24753, 26300, kPatterns, kSprockets, 30, 4, 0.6f},
    {24753, 26300, kPatterns, kSprockets, 450, -4, 0.6f},
    // fxobraz again
    {27660, 33300, kLetters, kName, 420, 9, 0.5f},
    {29373, 34858, kPatterns, kMeters, 60, -8, 0.5f},
    // fx01 again, with its two runs of beats
    {36000, 39000, kLetters, kSmallPrint, 455, -10, 0.5f},
    {39000, 41116, kPatterns, kSprockets, 30, 3, 0.7f},
    {39000, 41116, kPatterns, kSprockets, 450, -3, 0.7f},
    {43000, 48800, kLetters, kLargeName, 400, 6, 0.35f},
    {49005, 50712, kPatterns, kBarcode, 240, -4, 0.6f},
    {52000, 57500, kLetters, kTitle, 60, -9, 0.55f},
    // fx04, inside its frame
    {62000, 66000, kPatterns, kWave, 120, 7, 0.4f},
    {66391, 76858, kLetters, kCounter, 400, -12, 0.6f},
    {76858, 81652, kPatterns, kMeters, 380, 6, 0.5f},
    {81652, 87817, kLetters, kName, 110, 8, 0.5f},
    {92000, 98000, kLetters, kLargeName, 360, -7, 0.3f},
    {98000, 103595, kPatterns, kBarcode, 120, 5, 0.5f},
    {103595, 107084, kLetters, kTitle, 240, 10, 0.6f},
    // fx06
    {111000, 117700, kPatterns, kDots, 455, 5, 0.6f},
    {112808, 116681, kLetters, kSmallPrint, 30, -8, 0.5f},
    // fxgreets: light, the stripes carry the words here
    {118500, 139700, kPatterns, kDots, 12, -6, 0.4f},
    {125000, 139700, kLetters, kSmallPrint, 470, 11, 0.45f},
    // fx03, with its two camera cuts
    {141000, 151266, kPatterns, kWave, 430, -6, 0.5f},
    {151266, 152276, kLetters, kLargeName, 240, 3, 0.5f},
    {153663, 155202, kLetters, kLargeName, 240, -3, 0.5f},
    {156000, 164000, kLetters, kCounter, 50, 9, 0.6f},
    {164000, 171600, kPatterns, kMeters, 440, -7, 0.5f},
    // fxvolu
    {173000, 181000, kLetters, kTitle, 440, 10, 0.5f},
    {183000, 190000, kPatterns, kBarcode, 40, -6, 0.5f},
    {191000, 199000, kLetters, kSmallPrint, 455, 8, 0.5f},
    // fx05, in its letterbox bars
    {201500, 210000, kPatterns, kDots, 20, 5, 0.7f},
    {201500, 208509, kPatterns, kDots, 460, -5, 0.7f},
    {208509, 218790, kLetters, kSmallPrint, 460, 10, 0.6f},
    {212000, 221900, kPatterns, kSprockets, 20, -4, 0.6f},
    {218790, 221900, kPatterns, kDots, 460, -5, 0.7f},
    // fx07, in the top letterbox bar
    {223000, 228000, kLetters, kSmallPrint, 30, -12, 0.45f},
    {228000, 232880, kPatterns, kWave, 30, 6, 0.4f},
    // fxquill
    {234000, 241000, kLetters, kTitle, 230, -9, 0.35f},
    {241000, 249990, kPatterns, kBarcode, 250, 6, 0.4f},
    {243147, 248616, kPatterns, kDots, 210, -4, 0.5f},
    // fxend
    {265500, 271000, kLetters, kSmallPrint, 30, -10, 0.4f},
    {266000, 271000, kPatterns, kDots, 455, 8, 0.5f},
    // sparks on single beats, short and bright
    {65892, 66391, kPatterns, kSprockets, 60, 2, 0.6f},
    {76858, 77300, kPatterns, kSprockets, 60, -2, 0.6f},
    {87817, 88300, kPatterns, kSprockets, 60, 2, 0.6f},
    {103595, 104100, kPatterns, kSprockets, 60, -2, 0.6f},
    {203528, 204400, kLetters, kLargeName, 240, 4, 0.3f},
    {218790, 219700, kLetters, kLargeName, 240, -4, 0.3f},
    {237662, 238200, kPatterns, kWave, 400, 3, 0.4f},
    {240193, 240700, kPatterns, kWave, 400, -3, 0.4f},
    {245713, 246300, kPatterns, kWave, 400, 3, 0.4f},
    {248616, 249200, kPatterns, kWave, 400, -3, 0.4f},
};

std::string GroupLine(const BandPicture& picture)
{
    std::string line = std::string(picture.file) + " " + std::to_string(picture.rows.size());
    for (int row : picture.rows) {
        line += " " + std::to_string(row);
    }
    return line + "\n";
}

} // namespace

std::string LayerIni()
{
    std::string text = "# band pictures: count, then file, row count, rows\n"
                       "2\n" +
                       GroupLine(kLetterBands) + GroupLine(kPatternBands) +
                       "# bands: start end picture strip y period alpha\n";
    for (const Band& band : kBands) {
        char line[96];
        std::snprintf(line, sizeof line, "%d %d %d %d %d %.1f %.2f\n", band.start, band.end, band.group, band.strip,
                      band.y, static_cast<double>(band.period), static_cast<double>(band.alpha));
        text += line;
    }
    return text;
}
