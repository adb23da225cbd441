#pragma once
// The crafts the greetings greet, in cell order (row by row), and the cell
// grid they are laid out on; the greetings file refers to cells by column
// and row.

#include <array>

constexpr int kCraftColumns = 4;
constexpr int kCraftCellWidth = 128;
constexpr int kCraftCellPitch = 31;

constexpr std::array<const char*, 16> kCrafts = {
    "coders",  "musicians",       "pixel artists", "3d modellers",
    "trackers", "sound designers", "animators",     "shader writers",
    "sysops",  "organisers",      "swappers",      "video artists",
    "writers", "party visitors",  "tool makers",   "dreamers",
};
