#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32/timer.h"

TEST(Timer, CountsRealMillisecondsUntilASourceReplacesIt)
{
    const DWORD before = timeGetTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const DWORD elapsed = timeGetTime() - before;
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 2000u);

    SetTimeSource([] { return DWORD(40); });
    EXPECT_EQ(timeGetTime(), 40u);
    SetTimeSource({});
    EXPECT_GE(timeGetTime(), before + elapsed);
}
