#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "support/logging_allocator.h"

TEST(Log, DisabledLogWritesNothingAndCreatesNoFile)
{
    TempDir dir;
    std::string path = (dir.Path() / "log.txt").string();
    cLog log;
    log.SetFile(nullptr);
    log.Print("cTextureManager : Done\n");
    EXPECT_FALSE(log.IsEnabled());
    EXPECT_FALSE(std::filesystem::exists(path));

    log.SetFile("");
    log.Print("x\n");
    EXPECT_FALSE(log.IsEnabled());
}

TEST(Log, PiecesAppendToOneLineAndEachMessageIsOnDiskAtOnce)
{
    LogCapture capture;
    g_log->Print("cfile: attempting to open file %s in mode ", "obj\\a.obj");
    EXPECT_EQ(capture.Text(), "cfile: attempting to open file obj\\a.obj in mode ");
    g_log->Print("%s", "READ_BIN\n");
    g_log->Print("%d - ", 42);
    EXPECT_EQ(capture.Text(), "cfile: attempting to open file obj\\a.obj in mode READ_BIN\n42 - ");
}

TEST(Log, LongMessagesAreCutTo254Characters)
{
    LogCapture capture;
    std::string longText(600, 'q');
    g_log->Print("%s\n", longText.c_str());
    EXPECT_EQ(capture.Text(), std::string(254, 'q'));
}

TEST(Log, DashWritesToStandardError)
{
    cLog log;
    log.SetFile("-");
    testing::internal::CaptureStderr();
    log.Print("CRadialBlur : unable to create state block\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "CRadialBlur : unable to create state block\n");
}

TEST(LoggingAllocator, LogsEveryAllocationAndFreeIgnoresNull)
{
    LogCapture capture;
    void* block = Malloc(16);
    ASSERT_NE(block, nullptr);
    Free(block);
    Free(nullptr);
    EXPECT_EQ(capture.Text(), "MALLOC!!!!!!!!\n");
}
