#include "rewind_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "dsp.h"
#include "timeline.h"

namespace music {

namespace {

// Running sums make the mean of any stretch of the source one subtraction:
// reading it sixteen times too fast, each output sample is the mean of the
// source samples it sweeps over, which keeps the worst of the aliasing out.
class SweptSource {
public:
    explicit SweptSource(const std::vector<float>& channel) : sums(channel.size() + 1, 0.0)
    {
        for (std::size_t i = 0; i < channel.size(); ++i) sums[i + 1] = sums[i] + channel[i];
    }
    double Mean(double from, double to) const
    {
        if (to < from) std::swap(from, to);
        if (to - from < 1.0) to = from + 1.0;
        return (SumTo(to) - SumTo(from)) / (to - from);
    }

private:
    double SumTo(double position) const
    {
        double clamped = std::clamp(position, 0.0, static_cast<double>(sums.size() - 1));
        auto whole = static_cast<std::size_t>(clamped);
        if (whole + 1 >= sums.size()) return sums.back();
        double fraction = clamped - static_cast<double>(whole);
        return sums[whole] + fraction * (sums[whole + 1] - sums[whole]);
    }
    std::vector<double> sums;
};

// Where the tape is at real time `seconds` of the passage.
double TapePosition(double seconds)
{
    return (kRewindStart - (seconds - kRewindStart) * kRewindSpeed) * kSampleRate;
}

// The "rewind" sign pulses between 0.3 and 1.0 every 2.5 seconds.
double SignPulse(double seconds)
{
    return std::abs(std::sin((seconds - kRewindStart) * 0.4 * std::numbers::pi)) * 0.7 + 0.3;
}

double Darkening(double seconds)
{
    if (seconds < kRewindFadeStart) return 1.0;
    return std::max(0.0, 1.0 - (seconds - kRewindFadeStart) / (kRewindFadeEnd - kRewindFadeStart));
}

// The mechanical clunk of the deck's keys.
double Clunk(double sinceKey, Rng& rng)
{
    if (sinceKey < 0.0 || sinceKey > 0.12) return 0.0;
    double thump = std::sin(kTwoPi * 95.0 * sinceKey) * std::exp(-sinceKey / 0.03);
    double click = rng.Bipolar() * std::exp(-sinceKey / 0.004);
    return 0.5 * thump + 0.3 * click;
}

} // namespace

void LayRewind(StereoBuffer& mix)
{
    auto begin = static_cast<std::size_t>(kRewindStart * kSampleRate);
    auto end = std::min(mix.Frames(), static_cast<std::size_t>(kRewindEnd * kSampleRate));
    SweptSource left(mix.left), right(mix.right);
    Rng rng(250);
    Filter hissLeft, hissRight, motorTone, squealLeft, squealRight;
    hissLeft.Set(3500.0, 0.0);
    hissRight.Set(3500.0, 0.0);
    motorTone.Set(1400.0, 0.2);
    squealLeft.Set(9000.0, 0.0);
    squealRight.Set(9000.0, 0.0);
    Oscillator motor;
    for (std::size_t i = begin; i < end; ++i) {
        double seconds = static_cast<double>(i) * kSampleTime;
        double from = TapePosition(seconds);
        double to = TapePosition(seconds + kSampleTime);
        double level = SignPulse(seconds) * Darkening(seconds);
        // The reels spin up over the first second and a half, wobbling a little.
        double spin = std::min(1.0, (seconds - kRewindStart) / 1.5);
        double motorHz = (80.0 + 70.0 * spin) * (1.0 + 0.01 * std::sin(kTwoPi * 3.0 * seconds));
        double whine = 0.05 * spin * motorTone.Process(motor.Saw(motorHz), FilterMode::LowPass);
        double tape = 1.6 * level;
        double l = tape * squealLeft.Process(left.Mean(from, to), FilterMode::LowPass);
        double r = tape * squealRight.Process(right.Mean(from, to), FilterMode::LowPass);
        double hiss = 0.06 * Darkening(seconds);
        double keys = Clunk(seconds - kRewindStart, rng) + Clunk(seconds - kRewindFadeEnd, rng);
        mix.left[i] = static_cast<float>(l + hiss * hissLeft.Process(rng.Bipolar(), FilterMode::HighPass) +
                                         whine * Darkening(seconds) + keys);
        mix.right[i] = static_cast<float>(r + hiss * hissRight.Process(rng.Bipolar(), FilterMode::HighPass) +
                                          whine * Darkening(seconds) + keys);
    }
}

} // namespace music
