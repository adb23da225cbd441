#include "dsp.h"

#include <algorithm>

namespace music {

namespace {

// Correction for a unit step at phase 0 of an oscillator advancing by `step`.
double PolyBlep(double phase, double step)
{
    if (phase < step) {
        double x = phase / step;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - step) {
        double x = (phase - 1.0) / step;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

} // namespace

double Oscillator::Advance(double hz)
{
    double step = hz * kSampleTime;
    phase += step;
    if (phase >= 1.0) phase -= std::floor(phase);
    return step;
}

double Oscillator::Saw(double hz)
{
    double step = std::min(hz * kSampleTime, 0.5);
    double value = 2.0 * phase - 1.0 - PolyBlep(phase, step);
    Advance(hz);
    return value;
}

double Oscillator::Square(double hz)
{
    double step = std::min(hz * kSampleTime, 0.5);
    double value = phase < 0.5 ? 1.0 : -1.0;
    value += PolyBlep(phase, step);
    double half = phase + 0.5;
    value -= PolyBlep(half - std::floor(half), step);
    Advance(hz);
    return value;
}

double Oscillator::Sine(double hz)
{
    double value = std::sin(kTwoPi * phase);
    Advance(hz);
    return value;
}

void Filter::Set(double cutoffHz, double resonance)
{
    cutoffHz = std::clamp(cutoffHz, 10.0, kSampleRate * 0.45);
    g = std::tan(std::numbers::pi * cutoffHz * kSampleTime);
    // Resonance 0 is the flat Butterworth response, 1 sits near self-oscillation.
    double r = std::clamp(resonance, 0.0, 1.0);
    k = std::numbers::sqrt2 * (1.0 - r) + 0.05 * r;
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

double Filter::Process(double input, FilterMode mode)
{
    double v3 = input - ic2;
    double v1 = a1 * ic1 + a2 * v3;
    double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    switch (mode) {
    case FilterMode::LowPass: return v2;
    case FilterMode::BandPass: return v1;
    case FilterMode::HighPass: return input - k * v1 - v2;
    }
    return v2;
}

} // namespace music
