#include "progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace {

// Often enough to look alive, seldom enough to cost nothing.
constexpr std::chrono::milliseconds refresh{250};

} // namespace

ProgressLine::ProgressLine(std::size_t totalFrames)
    : total(totalFrames), enabled(isatty(STDERR_FILENO) != 0)
{
}

void ProgressLine::Update(std::size_t done)
{
    if (!enabled || total == 0) return;
    const Clock::time_point now = Clock::now();
    if (firstDone == 0) {
        firstDone = done;
        start = lastShown = now;
    }
    if (now - lastShown < refresh && done < total) return;
    lastShown = now;
    const double seconds = std::chrono::duration<double>(now - start).count();
    const double rate = seconds > 0.0 ? static_cast<double>(done - firstDone) / seconds : 0.0;
    const int left = rate > 0.0 ? static_cast<int>(static_cast<double>(total - done) / rate + 0.5) : 0;
    std::fprintf(stderr, "\r%5.1f %%  frame %zu of %zu  %.1f frames/s  %d:%02d left ",
                 100.0 * static_cast<double>(done) / static_cast<double>(total), done, total, rate, left / 60,
                 left % 60);
    std::fflush(stderr);
    shown = true;
}

void ProgressLine::End()
{
    if (shown) std::fputc('\n', stderr);
    shown = false;
}
