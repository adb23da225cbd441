#include <gtest/gtest.h>

#include "common/log_capture.h"
#include "sound/fmod_error_text.h"
#include "sound/snd_api.h"

TEST(SndAPI, BaseOperationsAreHarmlessDefaults)
{
    LogCapture log;
    SndAPI player;
    EXPECT_EQ(log.Text(), "SndAPI : Creating SndAPI object using ");
    log.Clear();

    player.Setup();
    EXPECT_FALSE(player.Init() || player.Load("music.mp3", 1) || player.Play(1) ||
                 player.Stop() || player.Close());
    EXPECT_EQ(player.GetRow() + player.GetPosition() + player.GetOrder(), 0u);
    EXPECT_EQ(log.Text(), "");

    const std::string notImplemented =
        "| ERROR: this method wasn't implemented in subclass!! (correct this please)\n";
    EXPECT_FALSE(player.Reserved(7));
    EXPECT_FALSE(player.SetVolume(0.5f));
    EXPECT_EQ(player.GetTime(), 0u);
    player.Info();
    EXPECT_EQ(log.Text(), notImplemented + notImplemented + notImplemented + notImplemented);
}

TEST(SndAPI, CodesOutsideFmodsTableHaveNoText)
{
    EXPECT_STREQ(FmodErrorText(18), "Required Mediaplayer codec is not installed");
    EXPECT_STREQ(FmodErrorText(19), "Unknown error");
    EXPECT_STREQ(FmodErrorText(-1), "Unknown error");
}
