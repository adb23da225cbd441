// The spectrum ranges the music-driven effects listen to, heard through the
// sound library with pure tones on either side of their range ends.

#include <utility>

#include "effects/fx03.h"
#include "effects/fx04.h"
#include "fmod/fmod_fixture.h"

namespace {

class MusicLevels : public VirtualClockTest {
protected:
    // fx03's and fx04's levels half a second into a full-scale tone centred
    // on FFT bin `bin`.
    std::pair<float, float> LevelsOfToneOnBin(int bin)
    {
        FSOUND_Close();
        SetVirtualSoundTime(0);
        EXPECT_TRUE(FSOUND_Init(kRate, 16, 0));
        FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
        PlayWav("tone.wav", Tone(BinFrequency(bin), kRate));
        SetVirtualSoundTime(500);
        return {fx03_MusicLevel(), fx04_MusicLevel()};
    }
};

} // namespace

// A full-scale tone on bin b reads 1.0 there and 0.5 on bins b - 1 and b + 1.
// fx03 takes the mean of entries 128..255 (sum / 128), fx04 the sum of
// entries 0..255 over 64:
//   bin 100: fx03 0,                        fx04 2 / 64 = 0.03125
//   bin 127: fx03 0.5 / 128 = 0.00390625,   fx04 2 / 64 = 0.03125
//   bin 128: fx03 1.5 / 128 = 0.01171875,   fx04 2 / 64 = 0.03125
//   bin 200: fx03 2 / 128 = 0.015625,       fx04 2 / 64 = 0.03125
//   bin 255: fx03 1.5 / 128 = 0.01171875,   fx04 1.5 / 64 = 0.0234375
//   bin 256: fx03 0.5 / 128 = 0.00390625,   fx04 0.5 / 64 = 0.0078125
//   bin 300: fx03 0,                        fx04 0
TEST_F(MusicLevels, Fx03HearsTheUpperHalfOfTheBandAndFx04AllOfIt)
{
    const struct {
        int bin;
        float fx03;
        float fx04;
    } expected[] = {
        {100, 0.0f, 0.03125f},         {127, 0.00390625f, 0.03125f},   {128, 0.01171875f, 0.03125f},
        {200, 0.015625f, 0.03125f},    {255, 0.01171875f, 0.0234375f}, {256, 0.00390625f, 0.0078125f},
        {300, 0.0f, 0.0f},
    };
    for (const auto& tone : expected) {
        const auto [fx03, fx04] = LevelsOfToneOnBin(tone.bin);
        EXPECT_NEAR(fx03, tone.fx03, 2e-4f) << "bin " << tone.bin;
        EXPECT_NEAR(fx04, tone.fx04, 2e-4f) << "bin " << tone.bin;
    }
}
