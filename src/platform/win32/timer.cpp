#include "platform/win32/timer.h"

#include <chrono>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// Taken while the process initialises, not at the first reading: the show
// first reads the clock at its first frame, and takes 0 for "not started".
const Clock::time_point processStart = Clock::now();

std::function<DWORD()>& Source()
{
    static std::function<DWORD()> source;
    return source;
}

} // namespace

DWORD timeGetTime()
{
    if (Source()) return Source()();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - processStart);
    // Kept modulo 2^32, as the Windows clock wraps after 49.7 days.
    return static_cast<DWORD>(elapsed.count());
}

void SetTimeSource(std::function<DWORD()> source) { Source() = std::move(source); }
