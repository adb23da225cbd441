#pragma once
// The lead line. A theme is a seed: each bar of a progression cycle gets a
// rhythm and a contour drawn from it, so the melody repeats with the chords
// and the same theme sounds alike wherever it returns.

#include <vector>

#include "harmony.h"

namespace music {

struct MelodyNote {
    int step;   // sixteenth of the bar the note starts on
    int length; // in sixteenths
    int pitch;  // MIDI
};

constexpr int kMelodyStartPitch = 72;

// One bar of the lead over `chord`. `pitch` carries the melody from bar to
// bar: it enters as the last pitch played and leaves as this bar's last.
std::vector<MelodyNote> LeadBar(int theme, int barOfCycle, const Chord& chord, int& pitch);

} // namespace music
