#include <optional>

#include "sound/snd_fmod_fixture.h"

// The start-up calls after the player's: the effects then read no spectrum.
static void SwitchOnTheSpectrum()
{
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
}

TEST_F(SndFMODTest, BadMusicFilesFailToLoadAndTheShowRunsOnSilent)
{
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // none: no file at all
        const char* failure;
    };
    const std::string wavHeader = WavFile(Tone(440.0, 4410)).substr(0, 20);
    const Case cases[] = {
        {"music.mp3", std::nullopt, "stream %s failed - File not found"},
        {"music.mp3", "", "stream %s failed - Unknown file format"},
        {"music.mp3", "ID3 but not really an mp3 at all, only text", "stream %s failed - Unknown file format"},
        {"music.mp3", ModFile(), "stream %s failed - Unknown file format"},
        {"music.wav", wavHeader, "stream %s failed - Unknown file format"},
        {"music.xm", WavFile(Tone(440.0, 4410)), "module %s failed - Unknown file format"},
        {"music.it", std::string(3000, '\x5a'), "module %s failed - Unknown file format"},
        {"music.s3m", "", "module %s failed - Unknown file format"},
        {"music.it", std::nullopt, "module %s failed - File not found"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.name) + " holding " +
                     (test.bytes ? std::to_string(test.bytes->size()) + " bytes" : "nothing"));
        std::string path = test.bytes ? dir.Write(test.name, *test.bytes) : Path(test.name);
        ASSERT_TRUE(player->Init());
        log.Clear();
        EXPECT_FALSE(player->Load(path.c_str(), 1));
        EXPECT_FALSE(player->Play(1));
        EXPECT_FALSE(player->SetVolume(1.0f));
        SwitchOnTheSpectrum();
        EXPECT_EQ(FSOUND_DSP_GetSpectrum(), nullptr);

        std::string failure = test.failure;
        failure.replace(failure.find("%s"), 2, path);
        EXPECT_EQ(log.Text(), "SndAPI : Loading the " + failure + "\n" +
                                  "SndAPI : Sound file not loaded, nothing to play...\n"
                                  "SndAPI : SndAPI is not currently plyaing...\n");
        EXPECT_TRUE(player->initialized);
        EXPECT_FALSE(player->loaded || player->playing);
        std::remove(path.c_str());
    }
}

TEST_F(SndFMODTest, PlayingAfterFmodClosedUnderneathFails)
{
    ASSERT_TRUE(InitAndLoad("a.wav", WavFile(Tone(440.0, 4410))));
    FSOUND_Close();
    EXPECT_FALSE(player->Play(1));
    EXPECT_EQ(log.Text(),
              "SndAPI : Playing failed - This command failed because FSOUND_Init was not called\n");
    EXPECT_FALSE(player->playing);
}

TEST_F(SndFMODTest, OperationsBeforeInitAreRefused)
{
    log.Clear();
    EXPECT_FALSE(player->Load("music.mp3", 1));
    EXPECT_FALSE(player->Play(1));
    EXPECT_EQ(player->GetTime(), 0u);
    EXPECT_EQ(log.Text(), "SndAPI : SndAPI not initialized !!!\n"
                          "SndAPI : SndAPI not initialized !!!\n"
                          "SndAPI : SndAPI not initialized !!! - cannot do GetTime()\n");
    EXPECT_EQ(player->kind, SndAPI::kindNone);
}

TEST_F(SndFMODTest, ASoundThatDecodesToNothingPlaysAsSilence)
{
    ASSERT_TRUE(InitAndLoad("music.mp3", WavFile({})));
    ASSERT_TRUE(player->Play(1));
    SwitchOnTheSpectrum();
    SetVirtualSoundTime(3000);
    EXPECT_EQ(player->GetTime(), 0u);
    const float* bins = FSOUND_DSP_GetSpectrum();
    ASSERT_NE(bins, nullptr);
    EXPECT_EQ(*std::max_element(bins, bins + 512), 0.0f);
}
