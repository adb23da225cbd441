// Frames asked for after the show's end frame (271000 ms): the show ends the
// process on the paint after that frame, and the capture must still finish
// what it wrote, say why the rest is missing and exit with code 3.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "capture/capture_run.h"
#include "capture/video_reader.h"
#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int pastTheEndExitCode = 3;

} // namespace

TEST(CaptureAtTheShowsEnd, AVideoRangePastTheEndPlaysUpToTheEndFrame)
{
    TempDir out;
    const fs::path file = out.Path() / "end.mp4";
    const CaptureRun run = RunCapture("--video " + file.string() + " --from 270900 --to 271100 --fps 30");
    EXPECT_EQ(run.exitCode, pastTheEndExitCode) << run.output;
    // Frame n at 270900 + n * 1000 / 30 ms: 270900, 270933, 270966 and 271000
    // are drawn; 271033, 271066 and 271100 lie after the end.
    EXPECT_NE(run.output.find("the show ends at 271000 ms; 3 requested frames after it were not drawn"),
              std::string::npos)
        << run.output;

    DecodedVideo video;
    std::string error;
    ASSERT_TRUE(ReadVideo(file.string(), &video, &error)) << error;
    EXPECT_EQ(video.frames.size(), 4u);
    EXPECT_NEAR(video.videoSeconds, 4.0 / 30, 1e-6);
    ASSERT_GT(video.sampleRate, 0);
    EXPECT_NEAR(double(video.sound.size()) / video.sampleRate, 4.0 / 30, 1024.0 / video.sampleRate);
}

TEST(CaptureAtTheShowsEnd, PicturesPastTheEndAreMissingAndSaidSo)
{
    TempDir out;
    const fs::path frames = out.Path() / "frames";
    const CaptureRun run = RunCapture("--times 0,271000,271100 --out " + frames.string());
    EXPECT_EQ(run.exitCode, pastTheEndExitCode) << run.output;
    EXPECT_NE(run.output.find("the show ends at 271000 ms; 1 requested frame after it was not drawn"),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::exists(frames / "time-000000.png"));
    EXPECT_TRUE(fs::exists(frames / "time-271000.png"));
    EXPECT_FALSE(fs::exists(frames / "time-271100.png"));

    // Every time after the end, lead-in frames included: nothing is drawn.
    const CaptureRun late = RunCapture("--times 272000,273000 --lead-in 5 --out " + frames.string());
    EXPECT_EQ(late.exitCode, pastTheEndExitCode) << late.output;
    EXPECT_NE(late.output.find("2 requested frames after it were not drawn"), std::string::npos) << late.output;
}
