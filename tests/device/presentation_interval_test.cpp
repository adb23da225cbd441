// What a window's presentation waits for. Direct3D documents its default
// presentation interval as equivalent to D3DPRESENT_INTERVAL_ONE: the driver
// waits for the vertical retrace and completes at most one Present per
// refresh. D3DPRESENT_INTERVAL_IMMEDIATE shows frames at once.

#include <gtest/gtest.h>

#include <vector>

#include "platform/d3d8/d3d8_types.h"
#include "platform/d3d8/presentation.h"

TEST(SwapIntervalsTest, TheDefaultWaitsForTheRetraceAdaptiveFirst)
{
    const std::vector<int> retrace{-1, 1};
    EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_DEFAULT, nullptr), retrace);
    EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_ONE, nullptr), retrace);
    // One retrace is as long as SDL waits.
    EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_TWO, nullptr), retrace);
    EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_IMMEDIATE, nullptr), std::vector<int>{0});
}

TEST(SwapIntervalsTest, RewindVsyncZeroTurnsTheWaitOff)
{
    EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_DEFAULT, "0"), std::vector<int>{0});
    for (const char* other : {"", "1", "yes"}) {
        EXPECT_EQ(SwapIntervals(D3DPRESENT_INTERVAL_DEFAULT, other), (std::vector<int>{-1, 1})) << '"' << other << '"';
    }
}
