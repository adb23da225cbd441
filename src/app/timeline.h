#pragma once
// One frame of the show: the clock mapped to show time, the slot's state
// calls, effect and fades, the overlays, the frame counter and the present.

#include <cstdint>

struct TimelineState {
    std::uint32_t startTime = 0; // timeGetTime of the first frame; 0 before it
    bool rewinding = false;
    float rewindClock = 0.0f;
    bool ended = false;
};

extern TimelineState g_timeline;

void RenderFrame();

// The state calls of a slot, in the order the timeline makes them.
void SlotStateCalls(int slotId);

void ShutdownDemo();
