#pragma once
// The score: every sound of the track as one note event, in seconds.

#include <vector>

namespace music {

enum class Instrument {
    Kick,
    Snare,
    ClosedHat,
    OpenHat,
    Ride,
    Shaker,
    Crash,
    Impact, // the band hit under a visual beat: a big drum and a crack
    Boom,   // a soft low thump under a flash
    Bass,
    Pad,
    Stab,
    Lead,
    Arp,
    Bell,
    Riser, // a noise sweep that lifts into the next section
    Count,
};

struct Note {
    Instrument instrument;
    double start;  // seconds from the start of the track
    double length; // seconds the note is held; struck sounds ring on by themselves
    double pitch;  // MIDI note number
    double velocity; // 0..1
    double pan;      // -1 left .. 1 right
    double brightness; // 0..1, how far the voice's filter opens
    double attack = 0.0; // seconds of fade-in for held notes; 0 keeps the voice's own
};

using Score = std::vector<Note>;

} // namespace music
