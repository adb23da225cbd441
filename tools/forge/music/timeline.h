#pragma once
// The show's clock as the music must follow it: where its sections change,
// the moments its effects pulse to, and the rewind passage.

#include <span>

namespace music {

constexpr double kTrackLength = 271.0; // seconds; the show ends here

// Real time 250..265 s replays the show backwards at 16.66667 times speed.
constexpr double kRewindStart = 250.0;
constexpr double kRewindEnd = 265.0;
constexpr double kRewindSpeed = 16.66667;
// The picture darkens over this stretch of the rewind; the sound follows it.
constexpr double kRewindFadeStart = 260.3;
constexpr double kRewindFadeEnd = 264.6;

// The analyser reads the 23 ms of sound that end at the play position, so a
// hit meant for time T starts a little before T: the effect that reads the
// spectrum at T sees it, and 15 ms is far too little for anyone to hear.
constexpr double kAccentLead = 0.015;

enum class AccentKind {
    Flash, // a glint over the ambient picture: bell and a soft thump
    Hit,   // a full band hit: drum impact, crash and a chord stab
    Step,  // one of a rising series of stabs
};

struct Accent {
    double time; // seconds, the moment the picture reacts
    AccentKind kind;
    double strength; // 0..1
};

// Every moment an effect pulses to, in time order.
std::span<const Accent> Accents();

} // namespace music
