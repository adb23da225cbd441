#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/demo.h"
#include "common/log_capture.h"
#include "common/temp_dir.h"

namespace {

// demo.ini read in a scratch directory, starting from the default volume.
class Configuration : public testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        g_volume = 0.1f;
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous);
        g_volume = 0.1f;
    }

    float VolumeFrom(const std::string& contents)
    {
        dir.Write("demo.ini", contents);
        g_volume = 0.1f;
        ReadConfiguration();
        return g_volume;
    }

    TempDir dir;
    std::filesystem::path previous;
};

} // namespace

TEST_F(Configuration, WithoutDemoIniTheVolumeStaysAtItsDefault)
{
    LogCapture log;
    ReadConfiguration();
    EXPECT_EQ(g_volume, 0.1f);
    EXPECT_NE(log.Text().find("unable to open inifile demo.ini\n"), std::string::npos);
}

// Only two-string records whose key contains "volume" (case matters) count;
// a value without a decimal point is an integer field and is passed over.
TEST_F(Configuration, OnlyAVolumeKeyWithADecimalValueSetsTheVolume)
{
    EXPECT_EQ(VolumeFrom("volume 0.5\n"), 0.5f);
    EXPECT_EQ(VolumeFrom("mastervolume 0.25\n"), 0.25f);
    EXPECT_EQ(VolumeFrom("volume 1\n"), 0.1f);
    EXPECT_EQ(VolumeFrom("volume 1.0\n"), 1.0f);
    EXPECT_EQ(VolumeFrom("Volume 0.5\n"), 0.1f);
    EXPECT_EQ(VolumeFrom("volume 0.5 loud\n"), 0.1f);
    EXPECT_EQ(VolumeFrom("music 0.5\n"), 0.1f);
}

TEST_F(Configuration, TheLastMatchingRecordWins)
{
    EXPECT_EQ(VolumeFrom("volume 0.25\n# quieter\nvolume 0.75\nvolume 1\nother 0.5\n"), 0.75f);
}
