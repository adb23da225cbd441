#pragma once
// The FFT unit's analysis: a 1024-point real FFT of the mono mix under a
// Hann window, as 512 magnitudes scaled so that a full-scale sine centred on
// a bin reads 1.0 there (its neighbours read 0.5: the window's main lobe).

#include <cstdint>

#include <kiss_fftr.h>

constexpr int kSpectrumWindow = 1024;
constexpr int kSpectrumBins = 512;

class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // `stereo` holds kSpectrumWindow interleaved frames; `bins` receives
    // kSpectrumBins values in 0..1, bin k at k * rate / 1024 Hz.
    void Analyse(const std::int16_t* stereo, float* bins);

private:
    kiss_fftr_cfg config;
    float window[kSpectrumWindow];
    float input[kSpectrumWindow];
    kiss_fft_cpx output[kSpectrumWindow / 2 + 1];
};
