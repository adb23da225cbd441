#pragma once
// The signs of the sign matrix, read from data\znaki2.ini, and their large
// dot pictures, read from data\znaki.ini.
//
//   2                        number of signs
//   play                     a title line per sign, not read
//   0 5 2 0 0                four rows of five brightness values, 0 to 5
//   0 5 5 4 1
//   ...
//
// data\znaki.ini has the same count and title lines, with 30 rows of 40
// decimal numbers per sign instead of the four rows.

#include <cstddef>
#include <vector>

class cIniFile;

inline constexpr std::size_t kMaxSigns = 25;
inline constexpr unsigned kSignRows = 4;
inline constexpr unsigned kSignColumns = 5;
inline constexpr unsigned kSignCells = kSignRows * kSignColumns;

struct Sign {
    float values[kSignCells]; // row by row, each 0 to 5
};

inline constexpr unsigned kDotRows = 30;
inline constexpr unsigned kDotColumns = 40;

struct DotSign {
    float dots[kDotRows][kDotColumns];
};

// Read every sign left in an open reader, at most 25. A first line that is
// not one number refuses the whole file; a sign with a row that lacks its
// values, or with a value out of range, is left out and logged, and the
// signs after it are still read.
std::vector<Sign> ReadSigns(cIniFile& ini);
std::vector<DotSign> ReadDotSigns(cIniFile& ini);
