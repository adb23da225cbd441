// rewind-capture: the show as rewind runs it (same start-up, same window
// procedure), without a display and on a virtual clock, each requested frame
// written to a PNG file or the range encoded into a video with the music.

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "app/demo.h"
#include "capture_options.h"
#include "frame_timing.h"
#include "gl_call_tally.h"
#include "platform/d3d8/png_file.h"
#include "platform/d3d8/presentation.h"
#include "platform/fmod/virtual_clock.h"
#include "platform/win32/win32.h"
#include "video_capture.h"

namespace {

// The clock reads base + show time: the show takes the first reading as its
// start, and a start of 0 would mean "not started".
constexpr DWORD clockBase = 1;

// The shell's code for a process ended by Ctrl-C.
constexpr int interruptedExitCode = 130;

// Set by Ctrl-C (or a polite kill): the capture stops after the frame being
// drawn and closes its video properly. A second Ctrl-C ends it at once.
volatile std::sig_atomic_t interruptRequested = 0;

void RequestInterrupt(int)
{
    interruptRequested = 1;
}

void CatchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = RequestInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

struct Capture {
    CaptureOptions options;
    std::size_t next = 0; // the requested frame the next present belongs to
    std::uint32_t showTime = 0;
    bool failed = false;
    bool interrupted = false;
    std::unique_ptr<VideoCapture> video;
    FrameTiming timing;
    GlCallTally glCalls;
    std::chrono::steady_clock::time_point lastPresent;
    bool timingStarted = false;
};

std::string FrameFileName(const Capture& capture)
{
    char name[64];
    if (capture.options.numberedFrames) {
        std::snprintf(name, sizeof name, "/frame-%06zu.png", capture.next);
    } else {
        std::snprintf(name, sizeof name, "/time-%06u.png", capture.showTime);
    }
    return capture.options.outputDirectory + name;
}

void SetShowTime(Capture& capture, std::uint32_t time)
{
    capture.showTime = time;
    SetVirtualSoundTime(time);
}

void Stop(Capture& capture, int exitCode)
{
    capture.next = capture.options.times.size();
    PostQuitMessage(exitCode);
}

// Writes the frame just presented; false when it cannot be.
bool WriteFrame(Capture& capture, const PresentedFrame& frame)
{
    std::string error;
    if (capture.video) {
        if (capture.video->AddFrame(capture.next, frame, &error)) return true;
        std::fprintf(stderr, "rewind-capture: %s\n", error.c_str());
        return false;
    }
    const std::string path = FrameFileName(capture);
    if (WritePng(path.c_str(), frame)) return true;
    std::fprintf(stderr, "rewind-capture: cannot write %s\n", path.c_str());
    return false;
}

void OnPresent(Capture& capture, const PresentedFrame& frame)
{
    const auto& times = capture.options.times;
    if (capture.next >= times.size()) return;
    if (interruptRequested) {
        capture.interrupted = true;
        Stop(capture, interruptedExitCode);
        return;
    }
    if (capture.options.bench) {
        // Each present ends the frame of the show time just drawn; the first
        // one also carries start-up, so timing begins after it.
        const auto now = std::chrono::steady_clock::now();
        const GlCallCounts glCalls = TakeGlCallCounts();
        if (capture.timingStarted) {
            capture.timing.Record(capture.showTime,
                                  std::chrono::duration<double, std::milli>(now - capture.lastPresent).count());
            capture.glCalls.Record(capture.showTime, glCalls);
        }
        capture.lastPresent = now;
        capture.timingStarted = true;
    }
    if (times[capture.next] == capture.showTime) {
        if (!capture.options.bench && capture.options.written[capture.next] && !WriteFrame(capture, frame)) {
            capture.failed = true;
            Stop(capture, 1);
            return;
        }
        ++capture.next;
    }
    if (capture.next >= times.size()) {
        Stop(capture, 0);
        return;
    }
    SetShowTime(capture, times[capture.next]);
}

} // namespace

int main(int argumentCount, char** arguments)
{
    static Capture capture;
    std::string error;
    if (!ParseCaptureOptions(argumentCount, arguments, &capture.options, &error)) {
        std::fprintf(stderr, "rewind-capture: %s\n%s", error.c_str(), captureUsage);
        return 2;
    }
    if (!capture.options.videoFile.empty()) {
        capture.video = std::make_unique<VideoCapture>(capture.options);
        if (!capture.video->Create(&error)) {
            std::fprintf(stderr, "rewind-capture: %s\n", error.c_str());
            return 1;
        }
    } else if (!capture.options.bench) {
        mkdir(capture.options.outputDirectory.c_str(), 0755);
    }
    CatchInterrupts();

    UseHeadlessWindows(true);
    SetRenderScale(capture.options.scale);
    UseVirtualSoundClock(true);
    SetTimeSource([] { return clockBase + capture.showTime; });
    SetPresentHandler([](const PresentedFrame& frame) { OnPresent(capture, frame); });
    SetShowTime(capture, 0);

    static int module;
    const int result = WinMain(reinterpret_cast<HINSTANCE>(&module), nullptr, nullptr, SW_SHOW);
    if (capture.video) {
        if (!capture.video->Finish(&error)) {
            std::fprintf(stderr, "rewind-capture: %s\n", error.c_str());
            return 1;
        }
        if (!capture.failed) capture.video->PrintSummary();
    }
    if (capture.failed) return 1;
    if (capture.interrupted) {
        std::fprintf(stderr, "rewind-capture: interrupted\n");
        return interruptedExitCode;
    }
    if (capture.options.bench) {
        const auto& times = capture.options.times;
        capture.timing.Print(stdout, times.empty() ? 0.0 : static_cast<double>(times.back() - times.front()));
        capture.glCalls.Print(stdout);
    }
    if (capture.next < capture.options.times.size()) {
        std::fprintf(stderr, "rewind-capture: the show ended before %u ms\n", capture.options.times[capture.next]);
        return 1;
    }
    return result;
}
