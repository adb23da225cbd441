#include <chrono>
#include <thread>

#include "fmod/fmod_fixture.h"

TEST(FsoundSetUp, InitRefusesBadArgumentsAndTheWindowAfterInit)
{
    FSOUND_Close();
    EXPECT_EQ(FSOUND_GetVersion(), 3.61f);
    EXPECT_EQ(FSOUND_Stream_OpenFile("music.mp3", FSOUND_NORMAL, 0), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(FSOUND_DSP_GetFFTUnit(), nullptr);

    EXPECT_EQ(FSOUND_Init(0, 16, 0), 0);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FSOUND_SetHWND(nullptr), 1);
    ASSERT_EQ(FSOUND_Init(kRate, 16, 0), 1);
    EXPECT_EQ(FSOUND_SetHWND(nullptr), 0);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_BUSY);
    FSOUND_Close();
}

// Without a device, asked for (dummy) or not to be had (a driver SDL cannot
// start), the output is silent and its position still moves in real time.
TEST(FsoundSetUp, SilentOutputAdvancesInRealTime)
{
    TempDir dir;
    std::string path = dir.Write("long.wav", WavFile(std::vector<std::int16_t>(5 * kRate, 0)));
    for (const char* driver : {"rewind-no-such-driver", "dummy"}) {
        SCOPED_TRACE(driver);
        setenv("SDL_AUDIODRIVER", driver, 1);
        ASSERT_TRUE(FSOUND_Init(kRate, 16, 0));
        FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(path.c_str(), FSOUND_NORMAL, 0);
        ASSERT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        int played = FSOUND_Stream_GetTime(stream);
        EXPECT_GE(played, 140);
        EXPECT_LT(played, 2000);
        FSOUND_Close();
    }
}

using FsoundStream = VirtualClockTest;

TEST_F(FsoundStream, InvalidAndStaleHandlesFailByTheirConventions)
{
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, nullptr), -1);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FSOUND_Stream_Close(nullptr) & 0xFF, 0xFF);
    EXPECT_EQ(FSOUND_Stream_SetPosition(nullptr, 0), 0);
    EXPECT_EQ(FSOUND_Stream_GetTime(nullptr), 0);

    FSOUND_STREAM* stream = PlayWav("a.wav", Tone(440.0, 4410));
    EXPECT_EQ(FSOUND_Stream_Close(stream), 1);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, stream), -1);
    EXPECT_EQ(FSOUND_Stream_Close(stream) & 0xFF, 0xFF);

    // A module handle is no stream.
    FMUSIC_MODULE* module = FMUSIC_LoadSong(dir.Write("tune.mod", ModFile()).c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, reinterpret_cast<FSOUND_STREAM*>(module)), -1);
}

TEST_F(FsoundStream, WindowsNamesFindTheFileWhateverItsCase)
{
    dir.Write("Music/Song.MP3", WavFile(Tone(440.0, 4410)));
    std::string windowsName = dir.Path().string() + "\\music\\song.mp3";
    EXPECT_NE(FSOUND_Stream_OpenFile(windowsName.c_str(), FSOUND_NORMAL, 0), nullptr);
}

TEST_F(FsoundStream, TimeAndBytePositionFollowTheClockAndSeeks)
{
    FSOUND_STREAM* stream = PlayWav("two.wav", std::vector<std::int16_t>(2 * kRate, 0));
    SetVirtualSoundTime(250);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 250);
    EXPECT_EQ(FSOUND_Stream_GetPosition(stream), 250u * 441 / 10 * 2);

    ASSERT_TRUE(FSOUND_Stream_SetPosition(stream, kRate * 2));  // one second of mono 16-bit
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1000);
    SetVirtualSoundTime(750);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1500);
    SetVirtualSoundTime(60000);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 2000);  // held at the end
    EXPECT_EQ(FSOUND_Stream_SetPosition(stream, kRate * 10), 0);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
}

TEST_F(FsoundStream, TruncatedWavFilesPlayWhatTheyHold)
{
    std::string truncated = dir.Write("cut.wav", WavFile(Tone(440.0, 4410), 1, kRate, 10 * kRate));
    FSOUND_STREAM* cut = FSOUND_Stream_OpenFile(truncated.c_str(), FSOUND_NORMAL, 0);
    ASSERT_NE(cut, nullptr);
    ASSERT_GE(FSOUND_Stream_Play(FSOUND_FREE, cut), 0);
    EXPECT_EQ(SoundMixLength(), 4410);
}

TEST_F(FsoundStream, RawFilesPlayAsSixteenBitSignedMono)
{
    std::string bytes;
    for (std::int16_t sample : Tone(BinFrequency(20), kRate / 2)) {
        PutLittle(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    std::string path = dir.Write("tone.raw", bytes);
    FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(path.c_str(), FSOUND_NORMAL, 0);
    ASSERT_NE(stream, nullptr);
    ASSERT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
    EXPECT_EQ(SoundMixLength(), kRate / 2);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    EXPECT_NEAR(SpectrumAt(300)[20], 1.0f, 0.002f);
}

TEST_F(FsoundStream, MixReadsBackTheMusicFromFrameZeroAndClipsSums)
{
    std::vector<std::int16_t> tone = Tone(BinFrequency(7), 3000, 0, 20000.0);
    PlayWav("a.wav", tone);
    std::vector<std::int16_t> mix(2 * 4000, 1);
    ReadSoundMix(0, 4000, mix.data());
    for (size_t frame = 0; frame < tone.size(); ++frame) {
        ASSERT_EQ(mix[2 * frame], tone[frame]) << frame;
        ASSERT_EQ(mix[2 * frame + 1], tone[frame]) << frame;
    }
    EXPECT_TRUE(std::all_of(mix.begin() + 6000, mix.end(), [](std::int16_t s) { return s == 0; }));

    // A second stream on another channel doubles the level past full scale.
    PlayWav("b.wav", tone);
    ReadSoundMix(0, 3000, mix.data());
    auto peak = std::max_element(tone.begin(), tone.end()) - tone.begin();
    EXPECT_EQ(mix[2 * static_cast<size_t>(peak)], 32767);
    EXPECT_EQ(*std::min_element(mix.begin(), mix.begin() + 6000), -32768);
}
