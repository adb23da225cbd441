#pragma once
// The signs of the 4x5 matrix, brightness 0 to 5 per square: the controls of
// a tape deck. The matrix shows them in order, one per five seconds, from the
// moment fxquill first draws, so the fourth, rewind, comes up just before the
// show rewinds.

#include <array>

struct Sign {
    const char* title;
    std::array<std::array<int, 5>, 4> rows;
};

constexpr std::array<Sign, 7> kSigns = {{
    {"play", {{{0, 5, 2, 0, 0}, {0, 5, 5, 4, 1}, {0, 5, 5, 4, 1}, {0, 5, 2, 0, 0}}}},
    {"forward", {{{4, 1, 4, 1, 0}, {5, 5, 5, 5, 1}, {5, 5, 5, 5, 1}, {4, 1, 4, 1, 0}}}},
    {"pause", {{{0, 5, 0, 5, 0}, {0, 5, 0, 5, 0}, {0, 5, 0, 5, 0}, {0, 5, 0, 5, 0}}}},
    {"rewind", {{{0, 1, 4, 1, 4}, {1, 5, 5, 5, 5}, {1, 5, 5, 5, 5}, {0, 1, 4, 1, 4}}}},
    {"record", {{{0, 2, 4, 2, 0}, {1, 5, 5, 5, 1}, {1, 5, 5, 5, 1}, {0, 2, 4, 2, 0}}}},
    {"stop", {{{0, 0, 0, 0, 0}, {0, 5, 5, 5, 0}, {0, 5, 5, 5, 0}, {0, 5, 5, 5, 0}}}},
    {"eject", {{{0, 1, 5, 1, 0}, {1, 5, 5, 5, 1}, {0, 0, 0, 0, 0}, {5, 5, 5, 5, 5}}}},
}};
