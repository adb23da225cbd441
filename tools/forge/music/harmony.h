#pragma once
// The track's harmony: a handful of chords in A minor, the progressions the
// sections cycle through, and the scale the lead walks on.

#include <array>
#include <span>

namespace music {

struct Chord {
    int bass;                 // MIDI note of the bass root
    std::array<int, 4> tones; // close voicing around middle C
};

enum class ChordName { Am7, Fmaj7, Cmaj7, G6, Dm7, Em7, E7, Aadd9 };

const Chord& ChordOf(ChordName name);

using Progression = std::span<const ChordName>;

// One chord per bar, cycled.
Progression DriftProgression();  // Am7 Fmaj7 Cmaj7 G6
Progression DriveProgression();  // Am7 Fmaj7 Cmaj7 G6 Am7 Fmaj7 Dm7 E7
Progression SongProgression();   // Fmaj7 G6 Em7 Am7
Progression BrightProgression(); // Am7 G6 Fmaj7 G6
Progression DreamProgression();  // Dm7 Am7 Fmaj7 Cmaj7
Progression MoodyProgression();  // Dm7 Am7 E7 Am7

// The pitch `steps` scale degrees away from `pitch` in A minor; over a chord
// with G sharp (the dominant) the scale takes G sharp too.
int ScaleStep(int pitch, int steps, const Chord& chord);

// The chord tone, in any octave, nearest to `pitch`.
int NearestChordTone(int pitch, const Chord& chord);

} // namespace music
