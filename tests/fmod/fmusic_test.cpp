#include "fmod/fmod_fixture.h"

class Fmusic : public VirtualClockTest {
protected:
    void SetUp() override
    {
        VirtualClockTest::SetUp();
        module = FMUSIC_LoadSong(dir.Write("tune.mod", ModFile()).c_str());
        ASSERT_NE(module, nullptr);
    }

    FMUSIC_MODULE* module = nullptr;
};

TEST_F(Fmusic, PlaysThroughItsOrdersAndRowsOnTheClock)
{
    ASSERT_EQ(FMUSIC_PlaySong(module), 1);
    EXPECT_EQ(FMUSIC_GetOrder(module), 0);
    EXPECT_EQ(FMUSIC_GetRow(module), 0);
    SetVirtualSoundTime(500);  // speed 1 at 125 BPM: a row every 20 ms
    EXPECT_EQ(FMUSIC_GetOrder(module), 0);
    EXPECT_NEAR(FMUSIC_GetRow(module), 25, 1);
    SetVirtualSoundTime(1800);
    EXPECT_EQ(FMUSIC_GetOrder(module), 1);
    EXPECT_NEAR(FMUSIC_GetRow(module), 26, 1);
    // 128 rows of 20 ms, and the tail of the last note.
    EXPECT_GE(SoundMixLength(), 2.56 * kRate);
    EXPECT_LT(SoundMixLength(), 2.8 * kRate);

    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    std::vector<float> bins = SpectrumAt(600);
    EXPECT_NEAR(PeakBin(bins), 12, 1);
}

TEST_F(Fmusic, SetOrderJumpsAndRefusesOrdersTheSongLacks)
{
    ASSERT_EQ(FMUSIC_PlaySong(module), 1);
    SetVirtualSoundTime(100);
    EXPECT_EQ(FMUSIC_SetOrder(module, 1), 1);
    EXPECT_EQ(FMUSIC_GetOrder(module), 1);
    EXPECT_EQ(FMUSIC_GetRow(module), 0);
    EXPECT_EQ(FMUSIC_SetOrder(module, 7), 0);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FMUSIC_SetOrder(nullptr, 0), 0);
}

TEST_F(Fmusic, MasterVolumeTakesZeroToTwoHundredFiftySix)
{
    EXPECT_EQ(FMUSIC_GetMasterVolume(module), 256);
    EXPECT_TRUE(FMUSIC_SetMasterVolume(module, 0));
    EXPECT_FALSE(FMUSIC_SetMasterVolume(module, 257));
    EXPECT_EQ(FMUSIC_GetMasterVolume(module), 0);
    ASSERT_EQ(FMUSIC_PlaySong(module), 1);
    std::vector<std::int16_t> mix(2 * 2048);
    ReadSoundMix(0, 2048, mix.data());
    EXPECT_TRUE(std::all_of(mix.begin(), mix.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(Fmusic, FailuresEndInTheLowByteFF)
{
    EXPECT_EQ(FMUSIC_PlaySong(nullptr) & 0xFF, 0xFF);
    EXPECT_EQ(FMUSIC_StopSong(nullptr) & 0xFF, 0xFF);
    EXPECT_EQ(FMUSIC_StopSong(module), 1);
    EXPECT_EQ(FMUSIC_FreeSong(module), 1);
    EXPECT_EQ(FMUSIC_PlaySong(module) & 0xFF, 0xFF);
    EXPECT_EQ(FMUSIC_FreeSong(module), 0);
}
