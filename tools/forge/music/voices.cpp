#include "voices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "dsp.h"

namespace music {

namespace {

std::size_t Frames(double seconds)
{
    return static_cast<std::size_t>(std::max(0.0, seconds) * kSampleRate);
}

double Time(std::size_t frame)
{
    return static_cast<double>(frame) * kSampleTime;
}

// Constant-power pan, unity in both channels at the centre.
struct Pan {
    explicit Pan(double position)
    {
        double angle = (std::clamp(position, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
        left = std::numbers::sqrt2 * std::cos(angle);
        right = std::numbers::sqrt2 * std::sin(angle);
    }
    double left, right;
};

void Place(StereoBuffer& out, std::size_t frame, double value, const Pan& pan)
{
    out.left[frame] += static_cast<float>(value * pan.left);
    out.right[frame] += static_cast<float>(value * pan.right);
}

// Six square waves at inharmonic ratios: the metallic body of a cymbal.
class Metal {
public:
    explicit Metal(Rng& rng)
    {
        for (Oscillator& oscillator : oscillators) oscillator = Oscillator(rng.Unit());
    }
    double Next()
    {
        constexpr std::array<double, 6> hz = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
        double sum = 0.0;
        for (std::size_t i = 0; i < hz.size(); ++i) sum += oscillators[i].Square(hz[i] * 4.0);
        return sum / 6.0;
    }

private:
    std::array<Oscillator, 6> oscillators;
};

StereoBuffer Kick(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(0.5));
    const Pan pan(note.pan);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double hz = 46.0 + 140.0 * std::exp(-t / 0.028);
        phase += hz * kSampleTime;
        double body = std::sin(kTwoPi * phase) * Strike(t, 0.001, 0.26);
        double click = rng.Bipolar() * std::exp(-t / 0.002) * 0.4;
        Place(out, i, note.velocity * std::tanh(1.6 * body + click), pan);
    }
    return out;
}

StereoBuffer Snare(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(0.45));
    const Pan pan(note.pan);
    Filter body, air;
    body.Set(2200.0, 0.2);
    air.Set(6500.0, 0.0);
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double tone = 0.6 * std::sin(kTwoPi * 185.0 * t) * std::exp(-t / 0.05) +
                      0.3 * std::sin(kTwoPi * 330.0 * t) * std::exp(-t / 0.03);
        double noise = rng.Bipolar();
        double rattle = 1.4 * body.Process(noise, FilterMode::BandPass) * std::exp(-t / 0.11) +
                        0.45 * air.Process(noise, FilterMode::HighPass) * std::exp(-t / 0.07);
        Place(out, i, note.velocity * (tone + rattle) * std::min(1.0, t / 0.001), pan);
    }
    return out;
}

// Cymbals: noise and metal through a band; the hats keep to 5.5..11 kHz,
// where the fx03 background listens for them.
// Hats sit in the middle; a crash spreads across the stereo field.
StereoBuffer Cymbal(const Note& note, Rng& rng, double seconds, double decay, double lowHz, double highHz, bool wide)
{
    StereoBuffer out(Frames(seconds));
    const Pan leftSide(note.pan - 0.5);
    const Pan rightSide(note.pan + 0.5);
    Metal metal(rng);
    std::array<Filter, 3> low, high;
    for (Filter& filter : low) filter.Set(lowHz, 0.1);
    for (Filter& filter : high) filter.Set(highHz, 0.1);
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double envelope = note.velocity * Strike(t, 0.0015, decay);
        double noise = rng.Bipolar();
        std::array<double, 3> raw = {noise, wide ? rng.Bipolar() : noise, 0.5 * metal.Next()};
        for (std::size_t c = 0; c < raw.size(); ++c) {
            raw[c] = high[c].Process(low[c].Process(raw[c], FilterMode::HighPass), FilterMode::LowPass);
        }
        Place(out, i, envelope * (raw[0] + raw[2]), leftSide);
        Place(out, i, envelope * (raw[1] + raw[2]), rightSide);
    }
    return out;
}

StereoBuffer Shaker(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(0.16));
    const Pan pan(note.pan);
    Filter band;
    band.Set(7800.0, 0.2);
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double value = 1.6 * band.Process(rng.Bipolar(), FilterMode::BandPass) * Strike(t, 0.008, 0.035);
        Place(out, i, note.velocity * value, pan);
    }
    return out;
}

// A deep drum with a sharp crack: loud across the whole band for an instant.
StereoBuffer Impact(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(1.0));
    const Pan pan(note.pan);
    Filter crack, hiss, snap;
    crack.Set(1800.0, 0.1);
    hiss.Set(5000.0, 0.0);
    snap.Set(12000.0, 0.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double hz = 40.0 + 180.0 * std::exp(-t / 0.04);
        phase += hz * kSampleTime;
        double drum = std::tanh(1.8 * std::sin(kTwoPi * phase) * Strike(t, 0.001, 0.35));
        double noise = rng.Bipolar();
        double burst = 1.6 * crack.Process(noise, FilterMode::BandPass) * Strike(t, 0.0005, 0.045) +
                       0.7 * hiss.Process(noise, FilterMode::HighPass) * Strike(t, 0.0005, 0.08) +
                       0.8 * snap.Process(noise, FilterMode::LowPass) * Strike(t, 0.0005, 0.025);
        Place(out, i, note.velocity * (0.8 * drum + burst), pan);
    }
    return out;
}

StereoBuffer Boom(const Note& note)
{
    StereoBuffer out(Frames(1.8));
    const Pan pan(note.pan);
    double hz = MidiToHz(note.pitch);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        phase += hz * (1.0 + 0.5 * std::exp(-t / 0.05)) * kSampleTime;
        double value = std::sin(kTwoPi * phase) + 0.25 * std::sin(2.0 * kTwoPi * phase);
        Place(out, i, note.velocity * value * Strike(t, 0.004, 0.45), pan);
    }
    return out;
}

StereoBuffer Bass(const Note& note)
{
    StereoBuffer out(Frames(note.length + 0.2));
    const Pan pan(note.pan);
    double hz = MidiToHz(note.pitch);
    Oscillator saw, detuned(0.3), sub;
    Filter filter;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        if (i % 16 == 0) filter.Set(hz * (2.0 + 14.0 * note.brightness * std::exp(-t / 0.1)) + 90.0, 0.3);
        double raw = 0.6 * saw.Saw(hz) + 0.35 * detuned.Saw(hz * 1.006) + 0.7 * sub.Sine(hz);
        double value = std::tanh(1.8 * filter.Process(raw, FilterMode::LowPass));
        Place(out, i, note.velocity * value * Swell(t, 0.003, note.length, 0.03), pan);
    }
    return out;
}

// Five detuned saws per chord tone, spread across the stereo field.
StereoBuffer Pad(const Note& note, Rng& rng)
{
    constexpr double kRelease = 0.35;
    StereoBuffer out(Frames(note.length + 5.0 * kRelease));
    const Pan leftSide(note.pan - 0.3);
    const Pan rightSide(note.pan + 0.3);
    double hz = MidiToHz(note.pitch);
    constexpr std::array<double, 5> cents = {-14.0, -7.0, 0.0, 7.0, 14.0};
    std::array<Oscillator, 5> saws;
    std::array<double, 5> voiceHz;
    for (std::size_t v = 0; v < saws.size(); ++v) {
        saws[v] = Oscillator(rng.Unit());
        voiceHz[v] = hz * std::exp2(cents[v] / 1200.0);
    }
    Filter left, right;
    double attack = note.attack > 0.0 ? note.attack : 0.25;
    double lfoPhase = rng.Unit();
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        if (i % 32 == 0) {
            double cutoff = (700.0 + 4200.0 * note.brightness) * (1.0 + 0.15 * std::sin(kTwoPi * (lfoPhase + 0.15 * t)));
            left.Set(cutoff, 0.15);
            right.Set(cutoff, 0.15);
        }
        double l = 0.0, r = 0.0;
        for (std::size_t v = 0; v < saws.size(); ++v) {
            double value = saws[v].Saw(voiceHz[v]);
            (v % 2 ? r : l) += value;
            if (v == 2) r += value;
        }
        double envelope = 0.22 * note.velocity * Swell(t, attack, note.length, kRelease);
        Place(out, i, envelope * left.Process(l, FilterMode::LowPass), leftSide);
        Place(out, i, envelope * right.Process(r, FilterMode::LowPass), rightSide);
    }
    return out;
}

StereoBuffer Stab(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(0.8));
    const Pan pan(note.pan);
    double hz = MidiToHz(note.pitch);
    Oscillator a(rng.Unit()), b(rng.Unit()), c(rng.Unit());
    Filter filter;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        if (i % 16 == 0) filter.Set(900.0 + 6000.0 * std::exp(-t / 0.08), 0.2);
        double raw = a.Saw(hz * 0.996) + b.Saw(hz) + c.Saw(hz * 1.004);
        double value = 0.3 * filter.Process(raw, FilterMode::LowPass) * Strike(t, 0.003, 0.2);
        Place(out, i, note.velocity * value, pan);
    }
    return out;
}

StereoBuffer Lead(const Note& note)
{
    StereoBuffer out(Frames(note.length + 0.5));
    const Pan pan(note.pan);
    double hz = MidiToHz(note.pitch);
    Oscillator saw, square(0.25), vibrato;
    Filter filter;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        // Vibrato creeps in on held notes only.
        double depth = 0.2 * std::clamp((t - 0.2) / 0.4, 0.0, 1.0);
        double pitch = hz * std::exp2(depth * vibrato.Sine(5.5) / 12.0);
        if (i % 16 == 0) filter.Set(1000.0 + hz * (2.0 + 6.0 * note.brightness * std::exp(-t / 0.25)), 0.25);
        double raw = 0.7 * saw.Saw(pitch) + 0.4 * square.Square(pitch * 1.003);
        double value = filter.Process(raw, FilterMode::LowPass) * Swell(t, 0.008, note.length, 0.1);
        Place(out, i, note.velocity * value, pan);
    }
    return out;
}

// Two-operator FM: a bright pluck for the arpeggio, a ringing bell for the
// flashes.
StereoBuffer Fm(const Note& note, double seconds, double ratio, double index, double indexDecay, double decay)
{
    StereoBuffer out(Frames(seconds));
    const Pan pan(note.pan);
    double hz = MidiToHz(note.pitch);
    Oscillator modulator;
    double phase = 0.0;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double t = Time(i);
        double modulation = index * std::exp(-t / indexDecay) * modulator.Sine(hz * ratio);
        phase += hz * kSampleTime;
        double value = std::sin(kTwoPi * phase + modulation) * Strike(t, 0.002, decay);
        Place(out, i, note.velocity * value, pan);
    }
    return out;
}

StereoBuffer Riser(const Note& note, Rng& rng)
{
    StereoBuffer out(Frames(note.length));
    const Pan leftSide(-0.7);
    const Pan rightSide(0.7);
    Filter left, right;
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        double progress = Time(i) / note.length;
        if (i % 16 == 0) {
            double cutoff = 300.0 * std::pow(30.0, progress);
            left.Set(cutoff, 0.55);
            right.Set(cutoff * 1.1, 0.55);
        }
        double envelope = note.velocity * progress * progress;
        Place(out, i, envelope * left.Process(rng.Bipolar(), FilterMode::BandPass), leftSide);
        Place(out, i, envelope * right.Process(rng.Bipolar(), FilterMode::BandPass), rightSide);
    }
    return out;
}

} // namespace

StereoBuffer RenderVoice(const Note& note, std::uint64_t seed)
{
    Rng rng(seed);
    switch (note.instrument) {
    case Instrument::Kick: return Kick(note, rng);
    case Instrument::Snare: return Snare(note, rng);
    case Instrument::ClosedHat: return Cymbal(note, rng, 0.12, 0.025, 5500.0, 11000.0, false);
    case Instrument::OpenHat: return Cymbal(note, rng, 0.7, 0.16, 5500.0, 11000.0, false);
    case Instrument::Ride: return Cymbal(note, rng, 0.45, 0.09, 5000.0, 11000.0, false);
    case Instrument::Shaker: return Shaker(note, rng);
    case Instrument::Crash: return Cymbal(note, rng, 2.6, 0.7, 3500.0, 16000.0, true);
    case Instrument::Impact: return Impact(note, rng);
    case Instrument::Boom: return Boom(note);
    case Instrument::Bass: return Bass(note);
    case Instrument::Pad: return Pad(note, rng);
    case Instrument::Stab: return Stab(note, rng);
    case Instrument::Lead: return Lead(note);
    case Instrument::Arp: return Fm(note, 0.35, 2.0, 2.0, 0.05, 0.09);
    case Instrument::Bell: return Fm(note, 3.5, 3.5, 3.0, 0.4, 0.9);
    case Instrument::Riser: return Riser(note, rng);
    case Instrument::Count: break;
    }
    return StereoBuffer();
}

} // namespace music
