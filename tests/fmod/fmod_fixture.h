#pragma once
// Each test starts FSOUND on the virtual clock at time 0 and closes it after.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/temp_dir.h"
#include "fmod/sound_files.h"
#include "platform/fmod/fmod.h"
#include "platform/fmod/virtual_clock.h"

class VirtualClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseVirtualSoundClock(true);
        SetVirtualSoundTime(0);
        ASSERT_TRUE(FSOUND_Init(kRate, 16, 0));
    }

    void TearDown() override
    {
        FSOUND_Close();
        UseVirtualSoundClock(false);
        SetVirtualSoundTime(0);
    }

    FSOUND_STREAM* PlayWav(const std::string& name, const std::vector<std::int16_t>& samples,
                           int channels = 1, int rate = kRate)
    {
        std::string path = dir.Write(name, WavFile(samples, channels, rate));
        FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(path.c_str(), FSOUND_NORMAL, 0);
        EXPECT_NE(stream, nullptr);
        EXPECT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
        return stream;
    }

    // The spectrum with the play position at `milliseconds`.
    static std::vector<float> SpectrumAt(std::uint32_t milliseconds)
    {
        SetVirtualSoundTime(milliseconds);
        const float* bins = FSOUND_DSP_GetSpectrum();
        return bins == nullptr ? std::vector<float>() : std::vector<float>(bins, bins + 512);
    }

    static int PeakBin(const std::vector<float>& bins)
    {
        return static_cast<int>(std::max_element(bins.begin(), bins.end()) - bins.begin());
    }

    // The largest value more than one bin away from `bin` (a Hann window
    // spreads a centred sine over its two neighbours).
    static float LargestAwayFrom(const std::vector<float>& bins, int bin)
    {
        float largest = 0.0f;
        for (int k = 0; k < static_cast<int>(bins.size()); ++k) {
            if (std::abs(k - bin) > 1) {
                largest = std::max(largest, bins[static_cast<size_t>(k)]);
            }
        }
        return largest;
    }

    TempDir dir;
};
