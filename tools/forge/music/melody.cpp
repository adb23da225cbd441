#include "melody.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "dsp.h"

namespace music {

namespace {

// Onsets of the lead in a bar; a note holds until the next onset.
constexpr std::array<std::string_view, 6> kRhythms = {
    "x..x..x.x...x...",
    "x.......x.x.x...",
    "x.x.x...x..x.x..",
    "x...........x...",
    "x..x..x...x.x.x.",
    "x.....x.....x...",
};

// The lead stays in the octave and a half above middle C.
constexpr int kLowest = 64;
constexpr int kHighest = 81;

int KeepInRange(int pitch)
{
    while (pitch < kLowest) pitch += 12;
    while (pitch > kHighest) pitch -= 12;
    return pitch;
}

} // namespace

std::vector<MelodyNote> LeadBar(int theme, int barOfCycle, const Chord& chord, int& pitch)
{
    Rng rng(static_cast<std::uint64_t>(theme) * 1000 + static_cast<std::uint64_t>(barOfCycle));
    // The cycle's last bar gets the long-note rhythm or the sparse one: the
    // phrase breathes before it repeats.
    std::string_view rhythm = kRhythms[static_cast<std::size_t>(rng.Below(static_cast<int>(kRhythms.size())))];
    if (barOfCycle % 4 == 3) rhythm = kRhythms[rng.Below(2) == 0 ? 3 : 5];

    std::vector<int> onsets;
    for (int step = 0; step < 16; ++step) {
        if (rhythm[static_cast<std::size_t>(step)] == 'x') onsets.push_back(step);
    }
    std::vector<MelodyNote> notes;
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        int step = onsets[i];
        int next = i + 1 < onsets.size() ? onsets[i + 1] : 16;
        bool strong = step % 4 == 0;
        if (strong) {
            // Strong beats land on the chord, a small leap at most.
            int target = ScaleStep(pitch, rng.Below(5) - 2, chord);
            pitch = NearestChordTone(target, chord);
        } else {
            int move = rng.Below(4) + 1;
            if (move > 2) move = 1;
            pitch = ScaleStep(pitch, rng.Below(2) == 0 ? -move : move, chord);
        }
        pitch = KeepInRange(pitch);
        // Most notes are held a little short of the next onset.
        int length = std::max(1, next - step - (rng.Below(3) == 0 ? 1 : 0));
        notes.push_back({step, length, pitch});
    }
    return notes;
}

} // namespace music
