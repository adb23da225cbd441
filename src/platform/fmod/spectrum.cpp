#include "platform/fmod/spectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

SpectrumAnalyser::SpectrumAnalyser()
    : config(kiss_fftr_alloc(kSpectrumWindow, 0, nullptr, nullptr))
{
    // The periodic Hann window: a sine centred on a bin leaks into its two
    // neighbours only.
    for (int n = 0; n < kSpectrumWindow; ++n) {
        window[n] = static_cast<float>(
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / kSpectrumWindow));
    }
}

SpectrumAnalyser::~SpectrumAnalyser()
{
    kiss_fftr_free(config);
}

void SpectrumAnalyser::Analyse(const std::int16_t* stereo, float* bins)
{
    for (int n = 0; n < kSpectrumWindow; ++n) {
        float mono = (static_cast<float>(stereo[2 * n]) + stereo[2 * n + 1]) / 65536.0f;
        input[n] = mono * window[n];
    }
    kiss_fftr(config, input, output);
    // A sine of amplitude A centred on bin k gives |X[k]| = A * N / 4 under
    // the Hann window (its coherent gain is one half).
    constexpr float kScale = 4.0f / kSpectrumWindow;
    for (int k = 0; k < kSpectrumBins; ++k) {
        float magnitude = std::hypot(output[k].r, output[k].i) * kScale;
        bins[k] = std::min(magnitude, 1.0f);
    }
}
