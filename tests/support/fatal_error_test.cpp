#include <gtest/gtest.h>

#include <cstdlib>

#include "common/log_capture.h"
#include "support/fatal_error.h"

namespace {

// Keeps the message box from opening on a developer's desktop.
void ForgetTheDisplay()
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
}

} // namespace

TEST(FatalErrorDeathTest, TellsTheUserThenLogsThenExitsWithCodeOne)
{
    LogCapture log;
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            FatalError(" File obj\\x.obj not found!");
        },
        testing::ExitedWithCode(1), "LUMEN ERROR !:  File obj\\\\x.obj not found!");
    EXPECT_EQ(log.Text(),
              "LUMENerror->incoming error message:\n"
              " File obj\\x.obj not found!\n"
              "LUMENerror->end of error message:\n");
}

TEST(FatalErrorDeathTest, ExitsWithCodeOneWhenTheLogIsOff)
{
    EXPECT_EXIT(
        {
            ForgetTheDisplay();
            g_log->SetFile(nullptr);
            FatalError("no log");
        },
        testing::ExitedWithCode(1), "no log");
}
