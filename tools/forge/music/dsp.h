#pragma once
// Small signal-processing parts the voices are built from: a seeded noise
// source, band-limited oscillators, a state-variable filter and envelopes.
// Everything runs in double precision at one fixed sample rate.

#include <cmath>
#include <cstdint>
#include <numbers>

namespace music {

constexpr int kSampleRate = 44100;
constexpr double kSampleTime = 1.0 / kSampleRate;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

inline double MidiToHz(double note)
{
    return 440.0 * std::exp2((note - 69.0) / 12.0);
}

inline double DecibelsToGain(double decibels)
{
    return std::pow(10.0, decibels / 20.0);
}

// xorshift64*: every voice owns one, seeded from its note, so the track is
// the same on every run and on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
    {
        if (state == 0) state = 1;
    }
    std::uint64_t Next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [-1, 1).
    double Bipolar() { return static_cast<double>(Next() >> 11) * (2.0 / 9007199254740992.0) - 1.0; }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    int Below(int count) { return static_cast<int>(Next() % static_cast<std::uint64_t>(count)); }

private:
    std::uint64_t state;
};

// Sawtooth and pulse with the discontinuities smoothed by the polynomial
// band-limited step, so high notes do not fold back as inharmonic whistles.
class Oscillator {
public:
    explicit Oscillator(double startPhase = 0.0) : phase(startPhase) {}
    double Saw(double hz);
    double Square(double hz);
    double Sine(double hz);

private:
    double Advance(double hz);
    double phase;
};

enum class FilterMode { LowPass, BandPass, HighPass };

// Topology-preserving state-variable filter; stable under fast modulation.
class Filter {
public:
    void Set(double cutoffHz, double resonance);
    double Process(double input, FilterMode mode);

private:
    double g = 0.0, k = 2.0, a1 = 1.0, a2 = 0.0, a3 = 0.0;
    double ic1 = 0.0, ic2 = 0.0;
};

// Exponential decay after a short linear attack; the usual shape of a struck
// or plucked sound.
inline double Strike(double t, double attack, double decay)
{
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Attack, hold at full level until `release` begins, then an exponential
// fall; for held notes.
inline double Swell(double t, double attack, double length, double release)
{
    if (t < 0.0) return 0.0;
    double rise = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
    if (t < length) return rise;
    return rise * std::exp(-(t - length) / release);
}

} // namespace music
