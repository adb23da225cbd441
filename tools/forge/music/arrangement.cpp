#include "arrangement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "dsp.h"
#include "harmony.h"
#include "melody.h"
#include "timeline.h"

namespace music {

namespace {

enum class Groove { None, Pulse, Break, Four, HalfTime };
enum class Hats { None, Shaker, Eighths, Sixteenths };
enum class BassLine { None, Held, Broken, Offbeat };

struct Section {
    double begin; // seconds; each section starts where an effect takes over
    double end;
    int bars;
    Progression chords;
    Groove groove;
    int grooveFromBar;
    Hats hats;
    BassLine bass;
    int leadFromBar; // -1: no lead
    int theme;
    bool arpeggio;
    bool openHats;
    double energy;     // 0..1, scales the drums and the bass
    double sparkle;    // level of the hats, shaker and ride
    double brightness; // 0..1, how open the pad and bass filters are
};

constexpr int kNoLead = -1;
constexpr int kMainTheme = 1;
constexpr int kSongTheme = 7;

std::array<Section, 13> Sections()
{
    using enum Groove;
    using Hats::Shaker, Hats::Eighths, Hats::Sixteenths;
    using BassLine::Held, BassLine::Broken, BassLine::Offbeat;
    return {{
        // logo: the chord swells in
        {0.0, 2.8, 1, DriftProgression(), None, 0, Hats::None, BassLine::None, kNoLead, 0, false, false, 0.3, 1.0, 0.2},
        // fxobraz: floating, the pulse enters with the drifting bars
        {2.8, 24.753, 11, DriftProgression(), Pulse, 4, Shaker, Held, kNoLead, 0, false, false, 0.5, 1.0, 0.3},
        // fx01 teaser: one bar of the band
        {24.753, 26.6, 1, DriveProgression(), Break, 0, Eighths, Broken, kNoLead, 0, false, false, 0.8, 1.0, 0.6},
        // fxobraz again
        {26.6, 35.65, 4, DriftProgression(), Pulse, 0, Shaker, Held, kNoLead, 0, false, false, 0.55, 1.0, 0.35},
        // fx01: the band proper, the theme from the fifth bar
        {35.65, 60.5, 12, DriveProgression(), Break, 0, Eighths, Broken, 4, kMainTheme, false, false, 0.85, 1.0, 0.6},
        // fx04: the longest and loudest stretch
        {60.5, 110.45, 25, DriveProgression(), Four, 0, Eighths, Offbeat, 4, kMainTheme, true, true, 1.0, 1.5, 0.85},
        // fx06: half time under the stabs
        {110.45, 118.0, 4, MoodyProgression(), HalfTime, 0, Eighths, Held, kNoLead, 0, false, false, 0.7, 1.0, 0.5},
        // fxgreets: the song
        {118.0, 140.0, 11, SongProgression(), Break, 1, Eighths, Broken, 0, kSongTheme, false, false, 0.7, 1.0, 0.5},
        // fx03: bright, busy cymbals for the flashing background
        {140.0, 172.0, 16, BrightProgression(), Four, 0, Sixteenths, Offbeat, 8, kMainTheme, true, true, 1.0, 2.8, 0.9},
        // fxvolu: dreamy half time
        {172.0, 200.0, 14, DreamProgression(), HalfTime, 0, Eighths, Held, 4, kSongTheme, false, false, 0.6, 1.0, 0.45},
        // fx05: the second peak
        {200.0, 222.235, 11, DriveProgression(), Four, 0, Eighths, Offbeat, 0, kMainTheme, true, true, 1.0, 1.5, 0.85},
        // fx07: moody breakbeat
        {222.235, 233.18, 5, MoodyProgression(), Break, 0, Eighths, Broken, kNoLead, 0, false, false, 0.75, 1.0, 0.55},
        // fxquill: the climax before the rewind
        {233.18, 250.0, 8, DriveProgression(), Four, 0, Sixteenths, Offbeat, 0, kMainTheme, true, true, 1.0, 1.3, 0.9},
    }};
}

// Stretches where the band stops and only the pad and the hits sound: the
// two fast runs of fx01, the flickering chess picture of fx04, the fades to
// white and to black.
constexpr std::array<std::array<double, 2>, 5> kBreaks = {{
    {38.8, 41.5},
    {48.8, 51.0},
    {90.22, 91.939},
    {107.084, 110.45},
    {199.0, 200.0},
}};

// Noise sweeps that lift into what follows.
constexpr std::array<std::array<double, 2>, 7> kRisers = {{
    {0.3, 2.78},
    {58.0, 60.5},
    {107.084, 110.45},
    {138.6, 140.0},
    {170.6, 172.0},
    {220.9, 222.235},
    {246.8, 250.0},
}};

// fx03's camera cuts to the side view and back.
constexpr std::array<double, 4> kCameraCuts = {151.266, 152.276, 153.663, 155.202};

// The finale after the rewind.
constexpr double kFinaleStart = 265.0;
constexpr double kFinaleChordLength = 3.2;

bool InBreak(double time)
{
    return std::any_of(kBreaks.begin(), kBreaks.end(),
                       [time](const std::array<double, 2>& range) { return time >= range[0] && time < range[1]; });
}

// The instruments that fall silent in a break.
bool IsBand(Instrument instrument)
{
    switch (instrument) {
    case Instrument::Kick:
    case Instrument::Snare:
    case Instrument::ClosedHat:
    case Instrument::OpenHat:
    case Instrument::Ride:
    case Instrument::Shaker:
    case Instrument::Bass:
        return true;
    default:
        return false;
    }
}

// The drums leave a short gap before each hit laid under a visual beat and
// step aside for it: the hit stands out, to the ear and to the analyser.
bool NearAccent(double time)
{
    return std::any_of(Accents().begin(), Accents().end(), [time](const Accent& accent) {
        return time > accent.time - 0.16 && time < accent.time + 0.1;
    });
}

const Chord& ChordAt(const std::array<Section, 13>& sections, double time)
{
    for (const Section& section : sections) {
        if (time >= section.begin && time < section.end) {
            double bar = (section.end - section.begin) / section.bars;
            auto index = static_cast<std::size_t>((time - section.begin) / bar);
            return ChordOf(section.chords[index % section.chords.size()]);
        }
    }
    return ChordOf(ChordName::Am7);
}

class Composer {
public:
    Score Compose();

private:
    void Add(Instrument instrument, double start, double length, double pitch, double velocity, double pan = 0.0,
             double brightness = 0.5, double attack = 0.0)
    {
        if (IsBand(instrument) && InBreak(start)) return;
        score.push_back({instrument, start, length, pitch, velocity, pan, brightness, attack});
    }
    double Humanise(double velocity) { return std::clamp(velocity * (1.0 + 0.08 * rng.Bipolar()), 0.0, 1.0); }

    void SectionStart(const Section& section);
    void Harmony(const Section& section, int bar, double start, double barLength, const Chord& chord);
    void Drums(const Section& section, double start, double step);
    void BassBar(const Section& section, double start, double step, const Chord& chord);
    void LeadBar(const Section& section, int bar, double start, double step, const Chord& chord, int& pitch);
    void Arpeggio(const Section& section, double start, double step, const Chord& chord);
    void AccentHits();
    void Finale();

    std::array<Section, 13> sections = Sections();
    Score score;
    Rng rng{271};
};

void Composer::SectionStart(const Section& section)
{
    if (section.begin <= 0.0) return;
    if (section.groove == Groove::None || section.energy < 0.6) {
        Add(Instrument::Boom, section.begin, 0.0, 33.0, 0.6 * section.energy + 0.2);
        Add(Instrument::Crash, section.begin, 0.0, 0.0, 0.35, -0.3);
    } else {
        Add(Instrument::Crash, section.begin, 0.0, 0.0, 0.7 * section.energy, -0.3);
        if (!NearAccent(section.begin)) Add(Instrument::Kick, section.begin, 0.0, 0.0, section.energy);
    }
}

void Composer::Harmony(const Section& section, int bar, double start, double barLength, const Chord& chord)
{
    bool firstBar = bar == 0 && section.begin <= 0.0;
    double attack = firstBar ? 2.2 : 0.0;
    double velocity = 0.5 + 0.25 * section.energy;
    for (std::size_t i = 0; i < chord.tones.size(); ++i) {
        double pan = -0.6 + 0.4 * static_cast<double>(i);
        Add(Instrument::Pad, start, barLength, chord.tones[i], velocity, pan, section.brightness, attack);
    }
}

void Composer::Drums(const Section& section, double start, double step)
{
    std::string_view kick, snare;
    switch (section.groove) {
    case Groove::None: break;
    case Groove::Pulse: kick = "x.......x......."; break;
    case Groove::Break: kick = "x.....x...x....."; snare = "....x..x....x..x"; break;
    case Groove::Four: kick = "x...x...x...x..."; snare = "....x.......x..."; break;
    case Groove::HalfTime: kick = "x.........x....."; snare = "........x......."; break;
    }
    double energy = section.energy;
    double sparkle = section.energy * section.sparkle;
    for (int s = 0; s < 16; ++s) {
        double time = start + s * step;
        auto at = static_cast<std::size_t>(s);
        bool clear = !NearAccent(time);
        if (!clear) continue;
        if (!kick.empty() && kick[at] == 'x') Add(Instrument::Kick, time, 0.0, 0.0, Humanise(energy));
        if (!snare.empty() && snare[at] == 'x') {
            // The off-beat snares of the breakbeat are ghost notes.
            double velocity = s % 4 == 0 ? energy : 0.35 * energy;
            Add(Instrument::Snare, time, 0.0, 0.0, Humanise(velocity), 0.1);
        }
        switch (section.hats) {
        case Hats::None: break;
        case Hats::Shaker: Add(Instrument::Shaker, time, 0.0, 0.0, Humanise(s % 2 ? 0.5 : 0.25) * sparkle, 0.4); break;
        case Hats::Eighths:
            if (s % 2 == 0) Add(Instrument::ClosedHat, time, 0.0, 0.0, Humanise(s % 4 ? 0.8 : 0.45) * sparkle, 0.3);
            break;
        case Hats::Sixteenths:
            Add(Instrument::ClosedHat, time, 0.0, 0.0, Humanise(s % 4 == 2 ? 1.0 : 0.7) * sparkle, 0.3);
            Add(Instrument::Shaker, time, 0.0, 0.0, Humanise(s % 2 ? 0.8 : 0.5) * sparkle, -0.4);
            if (s % 2 == 0) Add(Instrument::Ride, time, 0.0, 0.0, Humanise(s % 4 ? 0.9 : 0.6) * sparkle, -0.2);
            break;
        }
        if (section.openHats && s % 4 == 2) Add(Instrument::OpenHat, time, 0.0, 0.0, Humanise(0.7) * sparkle, -0.2);
    }
}

void Composer::BassBar(const Section& section, double start, double step, const Chord& chord)
{
    double root = chord.bass;
    double bright = section.brightness;
    double energy = section.energy;
    switch (section.bass) {
    case BassLine::None: break;
    case BassLine::Held:
        Add(Instrument::Bass, start, 8 * step, root, 0.6 * energy + 0.2, 0.0, 0.2 * bright);
        Add(Instrument::Bass, start + 8 * step, 8 * step, root, 0.5 * energy + 0.2, 0.0, 0.2 * bright);
        break;
    case BassLine::Broken: {
        constexpr std::array<int, 6> steps = {0, 3, 6, 8, 10, 14};
        constexpr std::array<int, 6> octave = {0, 0, 12, 0, 0, 12};
        for (std::size_t i = 0; i < steps.size(); ++i) {
            int length = (i + 1 < steps.size() ? steps[i + 1] : 16) - steps[i];
            Add(Instrument::Bass, start + steps[i] * step, (length - 0.5) * step, root + octave[i], Humanise(energy), 0.0,
                bright);
        }
        break;
    }
    case BassLine::Offbeat:
        for (int s = 0; s < 16; s += 2) {
            // The root under the kick, the octave in between: a rolling line.
            double pitch = s % 4 == 2 ? root + 12 : root;
            Add(Instrument::Bass, start + s * step, 1.6 * step, pitch, Humanise(s % 4 == 2 ? energy : 0.8 * energy),
                0.0, bright);
        }
        break;
    }
}

void Composer::LeadBar(const Section& section, int bar, double start, double step, const Chord& chord, int& pitch)
{
    int barOfCycle = bar % static_cast<int>(section.chords.size());
    for (const MelodyNote& note : music::LeadBar(section.theme, barOfCycle, chord, pitch)) {
        double time = start + note.step * step;
        if (InBreak(time)) continue;
        Add(Instrument::Lead, time, note.length * step * 0.92, note.pitch, Humanise(0.75), 0.1, section.brightness);
    }
}

void Composer::Arpeggio(const Section& section, double start, double step, const Chord& chord)
{
    constexpr std::array<int, 8> order = {0, 1, 2, 3, 2, 1, 3, 2};
    for (int s = 0; s < 16; ++s) {
        double time = start + s * step;
        if (InBreak(time)) continue;
        int pitch = chord.tones[static_cast<std::size_t>(order[static_cast<std::size_t>(s % 8)])] + 24;
        double pan = (s % 2 ? 0.5 : -0.5);
        Add(Instrument::Arp, time, step, pitch, Humanise(s % 4 == 0 ? 0.6 : 0.4), pan, section.brightness);
    }
}

void Composer::AccentHits()
{
    int stepCount = 0;
    for (const Accent& accent : Accents()) {
        double start = accent.time - kAccentLead;
        const Chord& chord = ChordAt(sections, accent.time);
        switch (accent.kind) {
        case AccentKind::Flash: {
            int pitch = chord.tones[static_cast<std::size_t>(rng.Below(4))] + 24;
            Add(Instrument::Bell, start, 0.0, pitch, accent.strength, rng.Bipolar() * 0.6);
            Add(Instrument::Boom, start, 0.0, chord.bass, 0.7 * accent.strength);
            Add(Instrument::Impact, start, 0.0, 0.0, 0.7 * accent.strength);
            break;
        }
        case AccentKind::Hit:
            Add(Instrument::Impact, start, 0.0, 0.0, accent.strength);
            Add(Instrument::Crash, start, 0.0, 0.0, 0.35 * accent.strength, 0.3);
            for (int tone : chord.tones) Add(Instrument::Stab, start, 0.0, tone + 12, 0.7 * accent.strength);
            break;
        case AccentKind::Step: {
            // The surface grows step by step; the stabs climb with it.
            Add(Instrument::Impact, start, 0.0, 0.0, 0.8 * accent.strength);
            for (int tone : chord.tones) Add(Instrument::Stab, start, 0.0, tone + stepCount, 0.7 * accent.strength);
            int bell = ScaleStep(72, stepCount, chord);
            Add(Instrument::Bell, start, 0.0, bell + 12, 0.6 * accent.strength, stepCount % 2 ? 0.4 : -0.4);
            ++stepCount;
            break;
        }
        }
    }
    for (double cut : kCameraCuts) Add(Instrument::Crash, cut - kAccentLead, 0.0, 0.0, 0.6, 0.5);
    for (const auto& riser : kRisers) Add(Instrument::Riser, riser[0], riser[1] - riser[0], 0.0, 0.8);
}

void Composer::Finale()
{
    // The tape stops, the picture comes back: one low chord rings out and
    // three bell notes answer it.
    const Chord& chord = ChordOf(ChordName::Aadd9);
    Add(Instrument::Boom, kFinaleStart, 0.0, chord.bass, 0.9);
    Add(Instrument::Bass, kFinaleStart, kFinaleChordLength, chord.bass, 0.7, 0.0, 0.1);
    for (std::size_t i = 0; i < chord.tones.size(); ++i) {
        Add(Instrument::Pad, kFinaleStart, kFinaleChordLength, chord.tones[i], 0.7, -0.6 + 0.4 * static_cast<double>(i),
            0.4, 0.4);
    }
    constexpr std::array<int, 3> bells = {76, 71, 69};
    for (std::size_t i = 0; i < bells.size(); ++i) {
        Add(Instrument::Bell, kFinaleStart + 0.8 + 0.7 * static_cast<double>(i), 0.0, bells[i] + 12, 0.6,
            i % 2 ? 0.4 : -0.4);
    }
}

Score Composer::Compose()
{
    for (const Section& section : sections) {
        SectionStart(section);
        double barLength = (section.end - section.begin) / section.bars;
        double step = barLength / 16.0;
        int pitch = kMelodyStartPitch;
        for (int bar = 0; bar < section.bars; ++bar) {
            double start = section.begin + bar * barLength;
            const Chord& chord = ChordOf(section.chords[static_cast<std::size_t>(bar) % section.chords.size()]);
            Harmony(section, bar, start, barLength, chord);
            if (bar >= section.grooveFromBar) Drums(section, start, step);
            BassBar(section, start, step, chord);
            if (section.leadFromBar != kNoLead && bar >= section.leadFromBar) LeadBar(section, bar, start, step, chord, pitch);
            if (section.arpeggio) Arpeggio(section, start, step, chord);
        }
    }
    AccentHits();
    Finale();
    return score;
}

} // namespace

Score Arrange()
{
    return Composer().Compose();
}

} // namespace music
