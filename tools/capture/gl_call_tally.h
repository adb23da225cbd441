#pragma once
// OpenGL calls per frame, gathered per slot of the show for --bench: in a
// browser every call crosses into another process, so the count is a cost
// of its own beside the frame time.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/d3d8/gl_call_counter.h"

class GlCallTally {
public:
    // The calls of one frame drawn at show clock `clockMs`.
    void Record(std::uint32_t clockMs, const GlCallCounts& calls);
    void Print(std::FILE* out) const;

private:
    struct SlotCalls {
        std::string name;
        std::vector<GlCallCounts> frames;
    };
    std::map<int, SlotCalls> slots; // by order of appearance in the show
};
