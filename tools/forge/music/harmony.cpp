#include "harmony.h"

#include <algorithm>
#include <cstdlib>

namespace music {

namespace {

constexpr std::array<Chord, 8> kChords = {{
    {33, {57, 60, 64, 67}}, // Am7
    {29, {53, 57, 60, 64}}, // Fmaj7
    {36, {55, 59, 60, 64}}, // Cmaj7
    {31, {55, 59, 62, 64}}, // G6
    {38, {57, 60, 62, 65}}, // Dm7
    {28, {52, 55, 59, 62}}, // Em7
    {28, {56, 59, 62, 64}}, // E7
    {33, {57, 59, 60, 64}}, // Aadd9
}};

using enum ChordName;
constexpr ChordName kDrift[] = {Am7, Fmaj7, Cmaj7, G6};
constexpr ChordName kDrive[] = {Am7, Fmaj7, Cmaj7, G6, Am7, Fmaj7, Dm7, E7};
constexpr ChordName kSong[] = {Fmaj7, G6, Em7, Am7};
constexpr ChordName kBright[] = {Am7, G6, Fmaj7, G6};
constexpr ChordName kDream[] = {Dm7, Am7, Fmaj7, Cmaj7};
constexpr ChordName kMoody[] = {Dm7, Am7, E7, Am7};

bool HasLeadingTone(const Chord& chord)
{
    return std::any_of(chord.tones.begin(), chord.tones.end(), [](int tone) { return tone % 12 == 8; });
}

bool InScale(int pitch, bool leadingTone)
{
    // A natural minor: A B C D E F G, as pitch classes from C.
    constexpr bool natural[12] = {true, false, true, false, true, true, false, true, false, true, false, true};
    int pc = pitch % 12;
    if (leadingTone) {
        if (pc == 7) return false;
        if (pc == 8) return true;
    }
    return natural[pc];
}

} // namespace

const Chord& ChordOf(ChordName name)
{
    return kChords[static_cast<std::size_t>(name)];
}

Progression DriftProgression() { return kDrift; }
Progression DriveProgression() { return kDrive; }
Progression SongProgression() { return kSong; }
Progression BrightProgression() { return kBright; }
Progression DreamProgression() { return kDream; }
Progression MoodyProgression() { return kMoody; }

int ScaleStep(int pitch, int steps, const Chord& chord)
{
    bool leadingTone = HasLeadingTone(chord);
    int direction = steps > 0 ? 1 : -1;
    for (int moved = 0; moved != steps; moved += direction) {
        do {
            pitch += direction;
        } while (!InScale(pitch, leadingTone));
    }
    return pitch;
}

int NearestChordTone(int pitch, const Chord& chord)
{
    int best = chord.tones[0];
    for (int tone : chord.tones) {
        for (int octave = -3; octave <= 3; ++octave) {
            int candidate = tone + 12 * octave;
            if (std::abs(candidate - pitch) < std::abs(best - pitch)) best = candidate;
        }
    }
    return best;
}

} // namespace music
