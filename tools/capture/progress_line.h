#pragma once
// One line on standard error, rewritten in place while a long capture runs:
// how far it is, how fast it goes and how long it still needs. Only when
// standard error is a terminal; a log file gets nothing.

#include <chrono>
#include <cstddef>

class ProgressLine {
public:
    explicit ProgressLine(std::size_t totalFrames);
    // `done` frames are finished.
    void Update(std::size_t done);
    // Ends the line, so that what is printed next starts on its own.
    void End();

private:
    using Clock = std::chrono::steady_clock;
    std::size_t total;
    bool enabled;
    bool shown = false;
    std::size_t firstDone = 0; // at the first update, which starts the clock: start-up is not a frame
    Clock::time_point start;
    Clock::time_point lastShown;
};
