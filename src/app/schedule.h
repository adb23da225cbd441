#pragma once
// The show's timetable: which slot owns each millisecond, the state calls
// and fades of each slot, and the rewind passage that replays it backwards.

#include <cstdint>

enum class FadeKind { ToBlack, FromBlack, ToWhite, FromWhite };

struct ScheduledFade {
    FadeKind kind;
    float start;
    float duration;
};

using EffectRender = void (*)(float timeMs);

constexpr int maxSlotFades = 9;

struct Slot {
    int id; // -1: the moment between the rewind's start and its first falling time
    std::uint32_t from; // inclusive
    std::uint32_t to; // exclusive
    const char* effect; // the effect's name, for people reading logs and tests
    EffectRender render; // null for the moment between the rewind's start and its first falling time
    ScheduledFade fades[maxSlotFades];
    int fadeCount;
};

constexpr std::uint32_t rewindStart = 250000;
constexpr std::uint32_t rewindEnd = 265000;
constexpr std::uint32_t showEnd = 271000;

// The rewind passage's own fade, on the real clock: the screen darkens from
// 260300 and is black from 264600 until the passage ends.
constexpr ScheduledFade rewindDarkening{FadeKind::ToBlack, 260300.0f, 4300.0f};

// The slot of show time t, or null at and after the end of the show.
const Slot* SlotAt(std::uint32_t t);

// Real elapsed time to show time: inside the rewind passage time falls from
// 250000 at 16.66667 times real speed. `rewinding` tells whether it does.
std::uint32_t ShowTime(std::uint32_t realTime, bool* rewinding);

// The rewind overlay's pulse, 0.3 to 1.0 with a period of 2500 ms.
float RewindPulse(float rewindClock);
