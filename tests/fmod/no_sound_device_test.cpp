#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/fmod/audio_device.h"

namespace {

void Silence(void*, std::uint8_t* stereo, int bytes)
{
    std::fill(stereo, stereo + bytes, std::uint8_t{0});
}

// Exit code of a child that did find a device.
constexpr int deviceOpened = 10;

} // namespace

// ALSA on a machine without a sound card (this one has none) fails in
// libasound, which prints a line of its own for every step that failed; a
// user must see one line saying the music is off, and nothing else.
TEST(AudioDevice, WithoutASoundCardOneLineSaysTheMusicIsOff)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        setenv("SDL_AUDIODRIVER", "alsa", 1);
        int bufferFrames = 0;
        const std::uint32_t device = OpenAudioDevice(44100, Silence, nullptr, &bufferFrames);
        CloseAudioDevice(device);
        _exit(device != 0 ? deviceOpened : 0);
    }
    close(pipeEnds[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, std::size_t(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == deviceOpened) GTEST_SKIP() << "this machine has a sound card";

    EXPECT_EQ(said.rfind("rewind: no sound device", 0), 0u) << said;
    EXPECT_NE(said.find("the music is off\n"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "more than one line:\n" << said;
}
