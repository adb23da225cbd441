// rewind-capture: the show as rewind runs it (same start-up, same window
// procedure), without a display and on a virtual clock, each requested frame
// written to a PNG file.

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/demo.h"
#include "capture_options.h"
#include "frame_timing.h"
#include "platform/d3d8/png_file.h"
#include "platform/d3d8/presentation.h"
#include "platform/fmod/virtual_clock.h"
#include "platform/win32/win32.h"

namespace {

// The clock reads base + show time: the show takes the first reading as its
// start, and a start of 0 would mean "not started".
constexpr DWORD clockBase = 1;

struct Capture {
    CaptureOptions options;
    std::size_t next = 0; // the requested frame the next present belongs to
    std::uint32_t showTime = 0;
    bool failed = false;
    FrameTiming timing;
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

void OnPresent(Capture& capture, const PresentedFrame& frame)
{
    const auto& times = capture.options.times;
    if (capture.options.bench) {
        // Each present ends the frame of the show time just drawn; the first
        // one also carries start-up, so timing begins after it.
        const auto now = std::chrono::steady_clock::now();
        if (capture.timingStarted)
            capture.timing.Record(capture.showTime,
                                  std::chrono::duration<double, std::milli>(now - capture.lastPresent).count());
        capture.lastPresent = now;
        capture.timingStarted = true;
    }
    if (capture.next < times.size() && times[capture.next] == capture.showTime) {
        const std::string path = FrameFileName(capture);
        if (!capture.options.bench && capture.options.written[capture.next] && !WritePng(path.c_str(), frame)) {
            std::fprintf(stderr, "rewind-capture: cannot write %s\n", path.c_str());
            capture.failed = true;
            PostQuitMessage(1);
            return;
        }
        ++capture.next;
    }
    if (capture.next >= times.size()) {
        PostQuitMessage(0);
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
    if (!capture.options.bench) mkdir(capture.options.outputDirectory.c_str(), 0755);

    UseHeadlessWindows(true);
    SetRenderScale(capture.options.scale);
    UseVirtualSoundClock(true);
    SetTimeSource([] { return clockBase + capture.showTime; });
    SetPresentHandler([](const PresentedFrame& frame) { OnPresent(capture, frame); });
    SetShowTime(capture, 0);

    static int module;
    const int result = WinMain(reinterpret_cast<HINSTANCE>(&module), nullptr, nullptr, SW_SHOW);
    if (capture.failed) return 1;
    if (capture.options.bench) {
        const auto& times = capture.options.times;
        capture.timing.Print(stdout, times.empty() ? 0.0 : static_cast<double>(times.back() - times.front()));
    }
    if (capture.next < capture.options.times.size()) {
        std::fprintf(stderr, "rewind-capture: the show ended before %u ms\n", capture.options.times[capture.next]);
        return 1;
    }
    return result;
}
