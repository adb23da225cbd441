// The show's entry in a web page. Without arguments the show plays as the
// native executable does, in a window (the page's canvas), with its music.
// With rewind-capture's --times and --lead-in options it runs instead on a
// virtual clock, as rewind-capture does, and hands every requested frame to
// the page; the frame times per slot are printed at the end, as --bench does.

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/timeline.h"
#include "capture_options.h"
#include "frame_timing.h"
#include "platform/fmod/virtual_clock.h"
#include "platform/win32/paint_pacing.h"
#include "platform/win32/timer.h"
#include "platform/win32/win32.h"
#include "sound/snd_fmod.h"

namespace {

// The page copies the canvas while the frame just drawn is still in it: a
// WebGL canvas keeps its drawing only until the browser composites it.
EM_JS(void, HandFrameToPage, (unsigned showTime), {
    if (Module.onShowFrame) Module.onShowFrame(showTime);
});

// The clock reads base + show time: the show takes its first reading as its
// start, and a start of 0 would mean "not started".
constexpr DWORD clockBase = 1;

struct PageCapture {
    CaptureOptions options;
    std::size_t next = 0; // the requested frame the next frame drawn may be
    std::uint32_t showTime = 0;
    bool firstFrameDrawing = false; // the frame at show time 0 is on its way
    bool timed = false;             // lastFrameEnd holds the end of a frame
    double lastFrameEnd = 0.0;
    FrameTiming timing;
};

void SetShowTime(PageCapture& capture, std::uint32_t time)
{
    capture.showTime = time;
    SetVirtualSoundTime(time);
}

// Runs before every frame. The first frame is drawn at show time 0, as
// rewind-capture draws it: the show's clock starts at the time its first
// frame reads, so starting at the first requested time instead would shift
// every later frame's wall-clock time against its music time. After each
// frame the one just drawn is handed over when it was asked for, and the
// clock moves to the next time.
void OnFrameEnd(PageCapture& capture)
{
    const auto& times = capture.options.times;
    if (capture.next >= times.size()) return;
    if (!capture.firstFrameDrawing) {
        capture.firstFrameDrawing = true;
        return;
    }
    // The first frame carries the start-up: timing begins after it.
    const double now = emscripten_get_now();
    if (capture.timed) capture.timing.Record(capture.showTime, now - capture.lastFrameEnd);
    capture.timed = true;
    capture.lastFrameEnd = now;
    if (times[capture.next] == capture.showTime) {
        if (capture.options.written[capture.next]) HandFrameToPage(capture.showTime);
        if (++capture.next >= times.size()) {
            PostQuitMessage(0);
            return;
        }
    }
    SetShowTime(capture, times[capture.next]);
}

EM_JS(void, TellPageFirstFrame, (), {
    if (Module.onFirstFrame) Module.onFirstFrame();
});

// The show's last frame is on the canvas; the window, and the canvas with
// it, closes at the next paint. The page keeps the picture.
EM_JS(void, TellPageLastFrame, (), {
    if (Module.onLastFrame) Module.onLastFrame();
});

int RunShow()
{
    static int module;
    // The page has its own full-screen button: the show always opens a window.
    static char commandLine[] = "-win";
    return WinMain(reinterpret_cast<HINSTANCE>(&module), nullptr, commandLine, SW_SHOWDEFAULT);
}

} // namespace

// The music's play position in milliseconds, for the page to show that the
// music advances; 0 before the music plays and after the show.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned rewind_music_time()
{
    return g_sound != nullptr ? g_sound->GetTime() : 0;
}

// main's return value is lost once the frame loop has given control to the
// browser (the stack it returned to is gone): the page learns of the end, and
// its code, only through exit().
int main(int argumentCount, char** arguments)
{
    if (argumentCount <= 1) {
        // The second frame end follows the first frame the message loop drew.
        static int frameEnds = 0;
        SetIdlePaintHandler([] {
            if (++frameEnds == 2) TellPageFirstFrame();
            if (g_timeline.ended) TellPageLastFrame();
        });
        std::exit(RunShow());
    }

    // The frames are timed in any case: --bench only satisfies the parser's
    // demand for a destination, the frames go to the page.
    std::vector<char*> withBench(arguments, arguments + argumentCount);
    static char bench[] = "--bench";
    withBench.push_back(bench);
    static PageCapture capture;
    std::string error;
    if (!ParseCaptureOptions(static_cast<int>(withBench.size()), withBench.data(), &capture.options, &error)) {
        std::fprintf(stderr, "rewind: %s\n", error.c_str());
        std::exit(2);
    }
    UseVirtualSoundClock(true);
    SetTimeSource([] { return clockBase + capture.showTime; });
    SetIdlePaintHandler([] { OnFrameEnd(capture); });
    SetShowTime(capture, 0);

    const int result = RunShow();
    const auto& times = capture.options.times;
    if (capture.next < times.size()) {
        std::fprintf(stderr, "rewind: the show ended before %u ms\n", times[capture.next]);
        std::exit(1);
    }
    capture.timing.Print(stdout, times.empty() ? 0.0 : static_cast<double>(times.back() - times.front()));
    std::fflush(stdout);
    std::exit(result);
}
