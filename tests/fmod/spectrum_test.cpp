#include <cstdio>

#include "fmod/fmod_fixture.h"

using Spectrum = VirtualClockTest;

TEST_F(Spectrum, FullScaleSineOnABinReadsOneThereAndNearZeroElsewhere)
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    PlayWav("tone.wav", Tone(BinFrequency(32), kRate));
    std::vector<float> bins = SpectrumAt(500);
    ASSERT_EQ(bins.size(), 512u);
    std::printf("tone of %.1f Hz: peak at bin %d reading %.5f, bin 31 %.5f, largest elsewhere %.6f\n",
                BinFrequency(32), PeakBin(bins), bins[32], bins[31], LargestAwayFrom(bins, 32));
    EXPECT_EQ(PeakBin(bins), 32);
    EXPECT_NEAR(bins[32], 1.0f, 0.002f);
    EXPECT_NEAR(bins[31], 0.5f, 0.002f);
    EXPECT_LT(LargestAwayFrom(bins, 32), 0.001f);
}

TEST_F(Spectrum, ToneStartingAtOneSecondShowsOnlyOnceTheWindowHoldsIt)
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    FSOUND_STREAM* stream = PlayWav("late.wav", Tone(BinFrequency(100), 2 * kRate, kRate));

    for (std::uint32_t silent : {0u, 500u, 999u, 1000u}) {
        std::vector<float> bins = SpectrumAt(silent);
        EXPECT_EQ(*std::max_element(bins.begin(), bins.end()), 0.0f) << silent << " ms";
    }
    // 24 ms into the tone the snapshot still ends at 1000 ms: it is taken
    // every 25 ms of audio.
    EXPECT_EQ(SpectrumAt(1024)[100], 0.0f);
    EXPECT_GT(SpectrumAt(1025)[100], 0.5f);
    std::vector<float> bins = SpectrumAt(1030);
    EXPECT_EQ(PeakBin(bins), 100);
    EXPECT_NEAR(bins[100], 1.0f, 0.002f);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1030);
}

TEST_F(Spectrum, ZerosWhileNothingPlaysAndNullWhileTheUnitIsOff)
{
    FSOUND_DSPUNIT* unit = FSOUND_DSP_GetFFTUnit();
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(FSOUND_DSP_GetSpectrum(), nullptr);
    FSOUND_DSP_SetActive(unit, 1);
    std::vector<float> nothing = SpectrumAt(100);
    ASSERT_EQ(nothing.size(), 512u);
    EXPECT_EQ(*std::max_element(nothing.begin(), nothing.end()), 0.0f);
    FSOUND_DSP_SetActive(unit, 0);
    EXPECT_EQ(FSOUND_DSP_GetSpectrum(), nullptr);

    FSOUND_DSP_SetActive(unit, 1);
    FSOUND_Close();
    EXPECT_EQ(FSOUND_DSP_GetSpectrum(), nullptr);
    EXPECT_EQ(FSOUND_DSP_GetFFTUnit(), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_UNINITIALIZED);
}

TEST_F(Spectrum, FollowsTheVolumeAsHeard)
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    PlayWav("tone.wav", Tone(BinFrequency(32), kRate));
    EXPECT_TRUE(FSOUND_SetVolumeAbsolute(FSOUND_ALL, 128));
    EXPECT_NEAR(SpectrumAt(500)[32], 0.5f, 0.002f);
    EXPECT_TRUE(FSOUND_SetVolumeAbsolute(FSOUND_ALL, 0));
    EXPECT_EQ(SpectrumAt(500)[32], 0.0f);
    EXPECT_FALSE(FSOUND_SetVolumeAbsolute(FSOUND_ALL, 257));
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FSOUND_GetVolume(0), 0);
}

TEST_F(Spectrum, StereoFilesAreAnalysedAsTheirMonoMix)
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    std::vector<std::int16_t> left = Tone(BinFrequency(40), kRate);
    std::vector<std::int16_t> stereo;
    for (std::int16_t sample : left) {
        stereo.push_back(sample);
        stereo.push_back(0);
    }
    PlayWav("left.wav", stereo, 2);
    EXPECT_NEAR(SpectrumAt(300)[40], 0.5f, 0.002f);
}

TEST_F(Spectrum, OtherFileRatesAreResampledToTheMixRate)
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    const int fileRate = 22050;
    PlayWav("low.wav", Tone(BinFrequency(64), fileRate, 0, 32767.0, fileRate), 1, fileRate);
    std::vector<float> bins = SpectrumAt(500);
    EXPECT_EQ(PeakBin(bins), 64);
    EXPECT_GT(bins[64], 0.95f);
    EXPECT_NEAR(static_cast<double>(SoundMixLength()), kRate, 64.0);
}
