#include "frame_timing.h"

#include <algorithm>
#include <numeric>

#include "app/schedule.h"

// The slot's place in the show for sorting, and its name: the rewind passage
// and the end frame stand apart from the slots the timeline plays forwards.
std::pair<int, std::string> SlotOfClock(std::uint32_t clockMs)
{
    bool rewinding = false;
    const std::uint32_t t = ShowTime(clockMs, &rewinding);
    if (rewinding) return {13, "rewind passage"};
    const Slot* slot = SlotAt(t);
    if (slot == nullptr) return {15, "end frame"};
    return {slot->id, "slot " + std::to_string(slot->id) + " " + slot->effect};
}

namespace {

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

} // namespace

void FrameTiming::Record(std::uint32_t clockMs, double milliseconds)
{
    const auto [order, name] = SlotOfClock(clockMs);
    SlotTimes& times = slots[order];
    times.name = name;
    times.frames.push_back(milliseconds);
}

void FrameTiming::Print(std::FILE* out, double showSpanMs) const
{
    std::fprintf(out, "%-22s %7s %10s %10s %8s\n", "slot", "frames", "median ms", "p99 ms", "fps");
    double total = 0.0;
    for (const auto& [order, times] : slots) {
        const double median = Percentile(times.frames, 0.5);
        std::fprintf(out, "%-22s %7zu %10.2f %10.2f %8.1f\n", times.name.c_str(), times.frames.size(), median,
                     Percentile(times.frames, 0.99), median > 0.0 ? 1000.0 / median : 0.0);
        total += std::accumulate(times.frames.begin(), times.frames.end(), 0.0);
    }
    if (total > 0.0)
        std::fprintf(out, "rendering took %.1f s for %.1f s of show: %.2f times real time\n", total / 1000.0,
                     showSpanMs / 1000.0, showSpanMs / total);
}
