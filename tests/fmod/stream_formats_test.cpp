#include <sndfile.h>

#include "fmod/fmod_fixture.h"

using StreamFormats = VirtualClockTest;

// The compressed formats the music may come in, written by libsndfile's
// encoders; the tone must come back at its frequency and length.
TEST_F(StreamFormats, CompressedFilesDecodeToTheirTone)
{
    struct Case {
        const char* name;
        int format;
    };
    const Case cases[] = {
        {"music.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
        {"music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {"music.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    };
    std::vector<std::int16_t> tone = Tone(BinFrequency(32), 2 * kRate, 0, 16384.0);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string path = (dir.Path() / test.name).string();
        SF_INFO info = {};
        info.samplerate = kRate;
        info.channels = 1;
        info.format = test.format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        sf_writef_short(file, tone.data(), static_cast<sf_count_t>(tone.size()));
        sf_close(file);

        SetVirtualSoundTime(0);
        FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(path.c_str(), FSOUND_NORMAL, 0);
        ASSERT_NE(stream, nullptr);
        ASSERT_GE(FSOUND_Stream_Play(0, stream), 0);
        EXPECT_NEAR(static_cast<double>(SoundMixLength()), 2.0 * kRate, 0.1 * kRate);
        std::vector<float> bins = SpectrumAt(1000);
        EXPECT_EQ(PeakBin(bins), 32);
        EXPECT_NEAR(bins[32], 0.5f, 0.08f);  // lossy encoders shave a little
        EXPECT_TRUE(FSOUND_Stream_Close(stream));
    }
}
