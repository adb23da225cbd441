// rewind-capture --video, run as a user runs it: the file it writes is
// decoded and held against the PNG frames of the same show times and against
// the music the show plays.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "capture/capture_run.h"
#include "capture/video_reader.h"
#include "common/png_reader.h"
#include "common/temp_dir.h"
#include "platform/fmod/fmod.h"
#include "platform/fmod/virtual_clock.h"

namespace {

namespace fs = std::filesystem;

// A stretch of fx01: full-screen texture, stripes and the spectrum at work.
constexpr int rangeFrom = 45000;
constexpr int fps = 30;

std::string Range(int from, int to)
{
    return " --from " + std::to_string(from) + " --to " + std::to_string(to) + " --fps " + std::to_string(fps);
}

DecodedVideo Decode(const fs::path& file)
{
    DecodedVideo video;
    std::string error;
    EXPECT_TRUE(ReadVideo(file.string(), &video, &error)) << error;
    return video;
}

struct Difference {
    double mean = 0.0;     // over every channel of every pixel
    double strongShare = 0.0; // pixels off by more than 48 levels in a channel
};

// `actual` is a video frame of `actualWidth` pixels a row; the picture compared
// starts at column `x`.
Difference Compare(const RgbaPicture& expected, const std::vector<std::uint8_t>& actual, int actualWidth, int x = 0)
{
    double sum = 0.0;
    std::size_t strong = 0;
    for (unsigned row = 0; row < expected.height; ++row) {
        for (unsigned column = 0; column < expected.width; ++column) {
            const std::uint8_t* e = &expected.rgba[(std::size_t(row) * expected.width + column) * 4];
            const std::uint8_t* a = &actual[(std::size_t(row) * actualWidth + x + column) * 4];
            int worst = 0;
            for (int c = 0; c < 3; ++c) {
                const int d = std::abs(int(e[c]) - int(a[c]));
                sum += d;
                worst = std::max(worst, d);
            }
            strong += worst > 48;
        }
    }
    const double pixels = double(expected.width) * expected.height;
    return {sum / (3.0 * pixels), double(strong) / pixels};
}

// The show's music as the show mixes it, mono, from `fromMs` on: the same
// stand-in on the same virtual clock.
std::vector<float> MusicMix(int fromMs, std::size_t samples, int rate)
{
    UseVirtualSoundClock(true);
    SetVirtualSoundTime(0);
    std::vector<float> mono;
    if (!FSOUND_Init(rate, 32, 0)) return mono;
    FSOUND_STREAM* music = FSOUND_Stream_OpenFile((std::string(REWIND_SHOW_DIR) + "/music.mp3").c_str(), FSOUND_NORMAL, 0);
    if (music != nullptr && FSOUND_Stream_Play(FSOUND_FREE, music) >= 0) {
        std::vector<std::int16_t> stereo(samples * 2);
        ReadSoundMix((std::int64_t{fromMs} * rate + 500) / 1000, samples, stereo.data());
        for (std::size_t i = 0; i < samples; ++i) mono.push_back((stereo[2 * i] + stereo[2 * i + 1]) / 65536.0f);
    }
    FSOUND_Close();
    return mono;
}

// The normalised correlation of `a` from `aStart` with `b` from `bStart`, over `length` samples.
double Correlation(const std::vector<float>& a, std::size_t aStart, const std::vector<float>& b, std::size_t bStart,
                   std::size_t length)
{
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
        ab += double(a[aStart + i]) * b[bStart + i];
        aa += double(a[aStart + i]) * a[aStart + i];
        bb += double(b[bStart + i]) * b[bStart + i];
    }
    return aa > 0.0 && bb > 0.0 ? ab / std::sqrt(aa * bb) : 0.0;
}

std::size_t FrameHash(const std::vector<std::uint8_t>& rgba)
{
    return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(rgba.data()), rgba.size()));
}

} // namespace

TEST(VideoCapture, TwoSecondsHaveTheirFramesAndTheMusicFromTheirOffset)
{
    TempDir out;
    const fs::path file = out.Path() / "range.mp4";
    const CaptureRun run = RunCapture("--video " + file.string() + Range(rangeFrom, rangeFrom + 2000));
    ASSERT_EQ(run.exitCode, 0) << run.output;

    const DecodedVideo video = Decode(file);
    EXPECT_EQ(video.videoCodec, "h264");
    EXPECT_EQ(video.audioCodec, "aac");
    EXPECT_EQ(video.width, 640);
    EXPECT_EQ(video.height, 480);
    // Both ends of the range are frames: 2 s at 30 frames a second is 61 of them.
    constexpr int frames = 61;
    EXPECT_EQ(video.frames.size(), std::size_t(frames));
    EXPECT_NEAR(video.videoSeconds, double(frames) / fps, 1e-6);
    ASSERT_GT(video.sampleRate, 0);
    // The sound lasts as long as the pictures, give or take the AAC frame of
    // 1024 samples that ends it.
    const double soundSeconds = double(video.sound.size()) / video.sampleRate;
    EXPECT_NEAR(soundSeconds, double(frames) / fps, 1024.0 / video.sampleRate);

    // A few hundred milliseconds from the middle line up with the show's mix
    // at the range's offset to the sample, and nowhere else in +-50 ms.
    const std::size_t window = std::size_t(video.sampleRate) * 3 / 10;
    const std::size_t start = std::size_t(video.sampleRate);
    const std::size_t search = std::size_t(video.sampleRate) / 20;
    const std::vector<float> music = MusicMix(rangeFrom, start + window + search, video.sampleRate);
    ASSERT_EQ(music.size(), start + window + search);
    ASSERT_GE(video.sound.size(), start + window);
    long bestLag = 0;
    double best = -1.0;
    for (long lag = -long(search); lag <= long(search); ++lag) {
        const double c = Correlation(video.sound, start, music, std::size_t(long(start) + lag), window);
        if (c > best) best = c, bestLag = lag;
    }
    EXPECT_EQ(bestLag, 0);
    EXPECT_GT(best, 0.95);
}

TEST(VideoCapture, FramesMatchThePngsOfTheSameShowTimes)
{
    TempDir out;
    const std::string range = Range(rangeFrom, rangeFrom + 400);
    const CaptureRun pngs = RunCapture("--out " + (out.Path() / "png").string() + range);
    ASSERT_EQ(pngs.exitCode, 0) << pngs.output;
    const CaptureRun run = RunCapture("--video " + (out.Path() / "range.mp4").string() + range);
    ASSERT_EQ(run.exitCode, 0) << run.output;

    const DecodedVideo video = Decode(out.Path() / "range.mp4");
    ASSERT_EQ(video.frames.size(), 13u);
    for (std::size_t frame : {0u, 6u, 12u}) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06zu.png", frame);
        RgbaPicture expected;
        ASSERT_TRUE(ReadPng((out.Path() / "png" / name).string(), &expected)) << name;
        const Difference d = Compare(expected, video.frames[frame], video.width);
        // H.264 at quality 20 with halved chroma costs this fine, saturated
        // picture about 5 levels on average (the neighbouring frame is 20 off).
        EXPECT_LT(d.mean, 7.0) << name;
        EXPECT_LT(d.strongShare, 0.01) << name;
    }
}

TEST(VideoCapture, ScaleTwoFittedIntoAWiderFrameMatchesScaleOne)
{
    TempDir out;
    const std::string range = Range(rangeFrom, rangeFrom + 200);
    const CaptureRun pngs = RunCapture("--out " + (out.Path() / "png").string() + range);
    ASSERT_EQ(pngs.exitCode, 0) << pngs.output;
    // Rendered at 1280x960, shrunk into 640x480 between bars 80 pixels wide.
    const CaptureRun run = RunCapture("--video " + (out.Path() / "wide.mp4").string() + range + " --scale 2 --size 800x480");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    const DecodedVideo video = Decode(out.Path() / "wide.mp4");
    ASSERT_EQ(video.width, 800);
    ASSERT_EQ(video.height, 480);
    ASSERT_EQ(video.frames.size(), 7u);
    for (std::size_t frame : {0u, 6u}) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06zu.png", frame);
        RgbaPicture expected;
        ASSERT_TRUE(ReadPng((out.Path() / "png" / name).string(), &expected)) << name;
        // Supersampling smooths edges and thin lines the single-size frame
        // draws hard: close, not equal.
        const Difference d = Compare(expected, video.frames[frame], video.width, 80);
        EXPECT_LT(d.mean, 8.0) << name;
        EXPECT_LT(d.strongShare, 0.03) << name;
        // The bars are black, right up to the picture.
        const auto& rgba = video.frames[frame];
        int brightest = 0;
        for (int row = 0; row < video.height; ++row) {
            for (int column : {0, 40, 77, 722, 760, 799}) {
                const std::uint8_t* p = &rgba[(std::size_t(row) * video.width + column) * 4];
                brightest = std::max({brightest, int(p[0]), int(p[1]), int(p[2])});
            }
        }
        EXPECT_LE(brightest, 8) << name;
    }
}

// The show's randomness is seeded the same every run and nothing depends on
// the wall clock: two captures of a stretch across a change of effect give
// the same pictures.
TEST(VideoCapture, RunsTwiceToTheSameFrames)
{
    TempDir out;
    const std::string range = Range(24400, 25100);
    std::vector<std::size_t> hashes[2];
    for (int run = 0; run < 2; ++run) {
        const fs::path file = out.Path() / ("run" + std::to_string(run) + ".mp4");
        const CaptureRun capture = RunCapture("--video " + file.string() + range);
        ASSERT_EQ(capture.exitCode, 0) << capture.output;
        for (const auto& frame : Decode(file).frames) hashes[run].push_back(FrameHash(frame));
    }
    ASSERT_EQ(hashes[0].size(), 22u);
    EXPECT_EQ(hashes[0], hashes[1]);
}

TEST(VideoCapture, CtrlCLeavesAPlayableFileUpToTheLastFrame)
{
    TempDir out;
    const fs::path file = out.Path() / "interrupted.mp4";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chdir(REWIND_SHOW_DIR) != 0) _exit(127);
        execl(REWIND_CAPTURE, REWIND_CAPTURE, "--video", file.c_str(), "--from", "45000", "--fps", "30", nullptr);
        _exit(127);
    }
    // Encoded frames reach the file in blocks of 32 KB: the first block means
    // frames have been written.
    const auto written = [&] {
        std::error_code missing;
        const std::uintmax_t size = fs::file_size(file, missing);
        return !missing && size >= 32768;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (!written() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);

    const DecodedVideo video = Decode(file);
    EXPECT_GT(video.frames.size(), 0u);
    EXPECT_NEAR(video.videoSeconds, double(video.frames.size()) / fps, 1e-6);
    EXPECT_NEAR(double(video.sound.size()) / video.sampleRate, video.videoSeconds, 1024.0 / video.sampleRate);
}

TEST(VideoCapture, BadArgumentsGiveTheUsageAndExitCodeTwo)
{
    for (const char* arguments : {"--video", "--video x.mp4 --times 1000", "--video x.mp4 --size 641x480",
                                  "--video x.mp4 --size 1920", "--video x.mp4 --size 8x8", "--video x.mp4 --out frames",
                                  "--out frames --size 800x600", "--video x.mp4 --scale 5", "--video x.mp4 --fps 0"}) {
        const CaptureRun run = RunCapture(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.output.find("usage: rewind-capture"), std::string::npos) << arguments << ": " << run.output;
    }
}

// A folder that is not there fails before the show starts; a full disk when
// frames are written. Neither removes what the capture did not make.
TEST(VideoCapture, AFileThatCannotBeWrittenFailsSayingSo)
{
    const CaptureRun missing = RunCapture("--video /nonexistent-folder/show.mp4");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("cannot write /nonexistent-folder/show.mp4"), std::string::npos) << missing.output;

    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    // Long enough for the encoder to be writing while frames still render.
    const CaptureRun full = RunCapture("--video /dev/full" + Range(rangeFrom, rangeFrom + 1500));
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.output.find("cannot write /dev/full"), std::string::npos) << full.output;
    EXPECT_TRUE(fs::exists("/dev/full"));
}
