// The show's command line: its own switch passes, other options are refused.

#include <gtest/gtest.h>

#include <vector>

#include "launch/show_command_line.h"

namespace {

ShowCommandLine Read(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "rewind");
    return ReadShowCommandLine(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
}

TEST(ShowCommandLine, TheWindowSwitchAndPlainWordsReachWinMainAsOneString)
{
    EXPECT_EQ(Read({}).text, "");
    const ShowCommandLine line = Read({"-win", "extra", "words"});
    EXPECT_EQ(line.text, "-win extra words");
    EXPECT_EQ(line.unknownOption, "");
    // The show searches its command line for "-win", so these are its switch too.
    EXPECT_EQ(Read({"-window"}).unknownOption, "");
    EXPECT_EQ(Read({"--win"}).unknownOption, "");
}

TEST(ShowCommandLine, AnyOtherOptionIsRefusedByName)
{
    EXPECT_EQ(Read({"-w"}).unknownOption, "-w");
    EXPECT_EQ(Read({"-win", "--fullscreen", "-x"}).unknownOption, "--fullscreen");
    EXPECT_EQ(Read({"-"}).unknownOption, "-");
}

} // namespace
