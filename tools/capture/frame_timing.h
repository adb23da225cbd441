#pragma once
// Frame times gathered per slot of the show, and the figures printed from
// them: median, 99th percentile and frames per second for each slot, and the
// real-time factor of the whole run.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The slot a show clock falls in: its place in the show (for sorting) and
// its name. The rewind passage and the end frame stand apart.
std::pair<int, std::string> SlotOfClock(std::uint32_t clockMs);

class FrameTiming {
public:
    // One frame of show clock `clockMs` took `milliseconds` to render.
    void Record(std::uint32_t clockMs, double milliseconds);
    // `showSpan` is how many milliseconds of show the frames cover.
    void Print(std::FILE* out, double showSpanMs) const;

private:
    struct SlotTimes {
        std::string name;
        std::vector<double> frames;
    };
    std::map<int, SlotTimes> slots; // by order of appearance in the show
};
