#include <limits>
#include <string>

#include "sound/snd_fmod_fixture.h"

TEST_F(SndFMODTest, ConstructionLogsOneLineWithTheVersion)
{
    log.Clear();
    SndFMOD other(nullptr);
    EXPECT_EQ(log.Text(), "SndAPI : Creating SndAPI object using FMOD ver. 3.61\n");
    EXPECT_EQ(other.frequency, 44100);
    EXPECT_EQ(other.volume, 1.0f);
    EXPECT_EQ(other.kind, SndAPI::kindNone);
}

TEST_F(SndFMODTest, StartUpPlaysTheStreamAndReportsItsTime)
{
    log.Clear();
    ASSERT_TRUE(player->Init());
    EXPECT_EQ(log.Text(), "SndAPI : Initialized with 44100 Hz\n");
    std::string path = dir.Write("Music.MP3", WavFile(Tone(BinFrequency(32), 2 * kRate)));
    ASSERT_TRUE(player->Load(path.c_str(), 1));
    ASSERT_TRUE(player->Play(1));
    ASSERT_TRUE(player->SetVolume(1.0f));
    EXPECT_EQ(FSOUND_GetVolume(0), 256);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);

    SetVirtualSoundTime(1234);
    EXPECT_EQ(player->GetTime(), 1234u);
    EXPECT_EQ(player->GetPosition(), 54420u * 2);  // 1234 ms is frame 54419.4, rounded up
    const float* bins = FSOUND_DSP_GetSpectrum();
    ASSERT_NE(bins, nullptr);
    EXPECT_NEAR(bins[32], 1.0f, 0.002f);

    log.Clear();
    player->Info();
    EXPECT_EQ(log.Text(), "SndAPI : Start of Info()\n"
                          "SndAPI : Using FMOD ver. 3.61 with 44.1 kHz frequency\n"
                          "SndAPI : SndAPI is initialized and currently playing " +
                              LowerCasePath("Music.MP3") + ".\n"
                              "SndAPI : End of Info()\n");
    EXPECT_EQ(player->fileName, LowerCasePath("Music.MP3"));
}

TEST_F(SndFMODTest, StreamOrModuleIsDecidedByASubstringOfTheLowerCaseName)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::uint32_t kind;
    };
    const std::string wav = WavFile(Tone(440.0, 4410));
    const Case cases[] = {
        {"Song.MP3", wav, SndAPI::kindStream},
        {"a.wav.xm", wav, SndAPI::kindStream},
        {"LOOP.Raw", std::string(400, '\0'), SndAPI::kindStream},
        {"tune.mod", ModFile(), SndAPI::kindModule},
        {"tune", ModFile(), SndAPI::kindModule},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string path = dir.Write(test.name, test.bytes);
        ASSERT_TRUE(player->Init());
        log.Clear();
        ASSERT_TRUE(player->Load(path.c_str(), 1));
        EXPECT_EQ(player->kind, test.kind);
        const char* what = test.kind == SndAPI::kindStream ? "stream" : "module";
        EXPECT_EQ(log.Text(), std::string("SndAPI : Succesfully loaded the ") + what + " " + path + "\n");
    }
}

TEST_F(SndFMODTest, ModulePlaysAndHasNoStreamTime)
{
    ASSERT_TRUE(InitAndLoad("tune.xm.mod", ModFile()));
    ASSERT_TRUE(player->Play(1));
    ASSERT_TRUE(player->SetVolume(1.0f));
    EXPECT_EQ(FMUSIC_GetMasterVolume(player->module), 256);
    log.Clear();
    SetVirtualSoundTime(1500);
    EXPECT_EQ(player->GetTime(), 0u);
    EXPECT_EQ(log.Text(), "SndAPI : cannot do GetTime() because the played file isn't a stream.\n");
    EXPECT_EQ(player->GetOrder(), 1u);
    EXPECT_EQ(player->GetPosition(), 1u);
    EXPECT_NEAR(player->GetRow(), 11, 1);

    log.Clear();
    player->SetOrder(0);
    EXPECT_EQ(player->GetOrder(), 0u);
    player->SetOrder(9);
    EXPECT_EQ(log.Text(), "SndAPI : Wasn't able to set 9 module order\n");
}

TEST_F(SndFMODTest, VolumeIsRefusedOutsideZeroToOneAndBeforePlaying)
{
    log.Clear();
    EXPECT_FALSE(player->SetVolume(0.5f));
    EXPECT_EQ(log.Text(), "SndAPI : SndAPI not initialized !!! - cannot set volume\n");

    ASSERT_TRUE(InitAndLoad("a.wav", WavFile(Tone(440.0, kRate))));
    EXPECT_FALSE(player->SetVolume(0.5f));
    EXPECT_EQ(log.Text(), "SndAPI : SndAPI is not currently plyaing...\n");

    ASSERT_TRUE(player->Play(1));
    ASSERT_TRUE(player->SetVolume(0.999f));
    EXPECT_EQ(FSOUND_GetVolume(0), 255);  // truncated, not rounded
    ASSERT_TRUE(player->SetVolume(0.0f));
    EXPECT_EQ(FSOUND_GetVolume(0), 0);
    ASSERT_TRUE(player->SetVolume(0.5f));
    log.Clear();
    EXPECT_FALSE(player->SetVolume(1.0001f));
    EXPECT_FALSE(player->SetVolume(-0.1f));
    // NaN compares false with both limits; it must be refused all the same,
    // not converted to an integer volume.
    EXPECT_FALSE(player->SetVolume(std::numeric_limits<float>::quiet_NaN()));
    const std::string refused = "SndAPI : requested volume exceeds the limit (0.0...1.0)\n";
    EXPECT_EQ(log.Text(), refused + refused + refused);
    EXPECT_EQ(player->volume, 0.5f);
    EXPECT_EQ(FSOUND_GetVolume(0), 128);
}

TEST_F(SndFMODTest, StopAndCloseEndTheSoundAndTheirPreconditionsAreLogged)
{
    ASSERT_TRUE(InitAndLoad("a.wav", WavFile(Tone(440.0, kRate))));
    EXPECT_FALSE(player->Stop());
    ASSERT_TRUE(player->Play(1));
    EXPECT_TRUE(player->Stop());
    EXPECT_FALSE(player->playing);
    EXPECT_TRUE(player->Close());
    EXPECT_FALSE(player->initialized || player->loaded);
    EXPECT_EQ(player->GetTime(), 0u);
    EXPECT_FALSE(player->Stop());
    EXPECT_FALSE(player->Close());
    EXPECT_EQ(log.Text(), "SndAPI : SndAPI is not currently plyaing...\n"
                          "SndAPI : SndAPI not initialized !!! - cannot do GetTime()\n"
                          "SndAPI : SndAPI not initialized !!! - nothing to stop\n"
                          "SndAPI : SndAPI not initialized !!! - nothing to close\n");

    ASSERT_TRUE(InitAndLoad("tune.mod", ModFile()));
    ASSERT_TRUE(player->Play(1));
    EXPECT_TRUE(player->Stop());
    EXPECT_TRUE(player->Close());
    log.Clear();
    player->Info();
    EXPECT_NE(log.Text().find("SndAPI : SndAPI isn't initialized.\n"), std::string::npos);
}

TEST_F(SndFMODTest, PositionQueriesWithoutTheirHandleAreLogged)
{
    ASSERT_TRUE(player->Init());
    log.Clear();
    EXPECT_EQ(player->GetPosition(), 0u);
    EXPECT_EQ(player->GetRow(), 0u);
    EXPECT_EQ(player->GetOrder(), 0u);
    player->SetOrder(1);
    player->SetPosition(10);
    player->Info();
    EXPECT_EQ(log.Text(), "SndAPI : Wasn't able to get module row, module was NULL\n"
                          "SndAPI : Wasn't able to get module position, module was NULL\n"
                          "SndAPI : Wasn't able to set module order, module was NULL\n"
                          "SndAPI : Wasn't able to set streams position, stream was NULL\n"
                          "SndAPI : Start of Info()\n"
                          "SndAPI : Using FMOD ver. 3.61 with 44.1 kHz frequency\n"
                          "SndAPI : SndAPI is initialized and currently not playing any sounds.\n"
                          "SndAPI : End of Info()\n");

    ASSERT_TRUE(InitAndLoad("a.wav", WavFile(std::vector<std::int16_t>(kRate, 0))));
    player->SetPosition(kRate);  // half a second of mono 16-bit
    EXPECT_EQ(player->GetTime(), 500u);
    player->SetPosition(kRate * 4);
    EXPECT_EQ(log.Text(), "SndAPI : Wasn't able to set streams position\n");
}
