#include "master.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "dsp.h"

namespace music {

namespace {

constexpr double kMasterGain = 0.75;
constexpr double kEncoderCutoff = 16500.0;
constexpr double kLookAhead = 0.005; // seconds
constexpr double kRelease = 0.12;    // seconds
constexpr double kFadeOutStart = 269.6;
constexpr double kFadeOutEnd = 270.9;

// Gain per frame that keeps the peaks under the ceiling: the lowest gain any
// frame of the next look-ahead window needs, released slowly, then averaged
// over one window so it never steps. Averaging keeps the gain at a peak no
// higher than the peak needs, as every gain in the window before it is.
std::vector<float> LimiterGain(const StereoBuffer& mix)
{
    std::size_t frames = mix.Frames();
    auto window = static_cast<std::size_t>(kLookAhead * kSampleRate);
    std::vector<double> needed(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        double peak = std::max(std::abs(mix.left[i]), std::abs(mix.right[i]));
        needed[i] = peak > kCeiling ? kCeiling / peak : 1.0;
    }
    // Sliding minimum over [i, i + window) with a monotonic queue.
    std::vector<double> ahead(frames);
    std::deque<std::size_t> queue;
    for (std::size_t j = frames; j-- > 0;) {
        while (!queue.empty() && needed[queue.back()] >= needed[j]) queue.pop_back();
        queue.push_back(j);
        while (queue.front() >= j + window) queue.pop_front();
        ahead[j] = needed[queue.front()];
    }
    double releaseStep = 1.0 - std::exp(-1.0 / (kRelease * kSampleRate));
    double held = 1.0;
    for (std::size_t i = 0; i < frames; ++i) {
        held = std::min(ahead[i], held + (1.0 - held) * releaseStep);
        ahead[i] = held;
    }
    std::vector<float> gain(frames);
    double sum = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        sum += ahead[i];
        if (i >= window) sum -= ahead[i - window];
        gain[i] = static_cast<float>(sum / static_cast<double>(std::min(i + 1, window)));
    }
    return gain;
}

double FadeOut(double seconds)
{
    if (seconds < kFadeOutStart) return 1.0;
    double left = (kFadeOutEnd - seconds) / (kFadeOutEnd - kFadeOutStart);
    return std::max(0.0, left) * std::max(0.0, left);
}

} // namespace

void Master(StereoBuffer& mix)
{
    // A gentle high-pass at 15 Hz takes out the offset that pitch-swept drums
    // leave behind.
    double pole = std::exp(-kTwoPi * 15.0 * kSampleTime);
    double lastInLeft = 0.0, lastInRight = 0.0, lastOutLeft = 0.0, lastOutRight = 0.0;
    // The encoder drops everything above about 17 kHz anyway; doing it here
    // lets the limiter see the peaks the decoder will give back, not ones the
    // cut-off would push past the ceiling.
    Filter topLeft, topRight;
    topLeft.Set(kEncoderCutoff, 0.0);
    topRight.Set(kEncoderCutoff, 0.0);
    for (std::size_t i = 0; i < mix.Frames(); ++i) {
        lastOutLeft = mix.left[i] - lastInLeft + pole * lastOutLeft;
        lastOutRight = mix.right[i] - lastInRight + pole * lastOutRight;
        lastInLeft = mix.left[i];
        lastInRight = mix.right[i];
        double gain = kMasterGain * FadeOut(static_cast<double>(i) * kSampleTime);
        mix.left[i] = static_cast<float>(topLeft.Process(lastOutLeft, FilterMode::LowPass) * gain);
        mix.right[i] = static_cast<float>(topRight.Process(lastOutRight, FilterMode::LowPass) * gain);
    }
    std::vector<float> gain = LimiterGain(mix);
    for (std::size_t i = 0; i < mix.Frames(); ++i) {
        mix.left[i] *= gain[i];
        mix.right[i] *= gain[i];
    }
}

} // namespace music
