#pragma once
// A player on the virtual clock at time 0, with the log captured.

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "fmod/sound_files.h"
#include "platform/fmod/virtual_clock.h"
#include "sound/snd_fmod.h"

class SndFMODTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseVirtualSoundClock(true);
        SetVirtualSoundTime(0);
        player = std::make_unique<SndFMOD>(nullptr);
    }

    void TearDown() override
    {
        FSOUND_Close();
        UseVirtualSoundClock(false);
        SetVirtualSoundTime(0);
    }

    // Init and Load of a file written with `bytes`; the log is then cleared.
    bool InitAndLoad(const std::string& name, const std::string& bytes)
    {
        std::string path = dir.Write(name, bytes);
        EXPECT_TRUE(player->Init());
        bool loaded = player->Load(path.c_str(), 1);
        log.Clear();
        return loaded;
    }

    std::string Path(const std::string& name) const { return (dir.Path() / name).string(); }

    std::string LowerCasePath(const std::string& name) const
    {
        std::string path = Path(name);
        for (char& character : path) {
            character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
        }
        return path;
    }

    LogCapture log;
    TempDir dir;
    std::unique_ptr<SndFMOD> player;
};
