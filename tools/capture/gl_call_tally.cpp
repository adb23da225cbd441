#include "gl_call_tally.h"

#include "frame_timing.h"

namespace {

double Mean(const std::vector<GlCallCounts>& frames, std::initializer_list<GlCallKind> kinds)
{
    double total = 0.0;
    for (const GlCallCounts& frame : frames) {
        for (GlCallKind kind : kinds) total += static_cast<double>(frame[static_cast<int>(kind)]);
    }
    return frames.empty() ? 0.0 : total / static_cast<double>(frames.size());
}

} // namespace

void GlCallTally::Record(std::uint32_t clockMs, const GlCallCounts& calls)
{
    const auto [order, name] = SlotOfClock(clockMs);
    SlotCalls& slot = slots[order];
    slot.name = name;
    slot.frames.push_back(calls);
}

// Mean calls per frame: state is everything that sets up a draw (switches,
// bindings, sampler parameters, uniforms).
void GlCallTally::Print(std::FILE* out) const
{
    using enum GlCallKind;
    std::fprintf(out, "OpenGL calls per frame (mean)\n%-22s %8s %8s %8s %8s %8s\n", "slot", "all", "state", "uniform",
                 "upload", "draw");
    for (const auto& [order, slot] : slots) {
        std::fprintf(out, "%-22s %8.1f %8.1f %8.1f %8.1f %8.1f\n", slot.name.c_str(),
                     Mean(slot.frames, {State, Binding, Sampler, Uniform, Upload, Draw, Other}),
                     Mean(slot.frames, {State, Binding, Sampler}), Mean(slot.frames, {Uniform}),
                     Mean(slot.frames, {Upload}), Mean(slot.frames, {Draw}));
    }
}
