#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "support/cfile.h"

namespace {

// Runs the test body from inside `dir`, so that Windows-style relative names
// resolve there, as they do beside the show.
class InDirectory {
public:
    explicit InDirectory(const TempDir& dir) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir.Path());
    }
    ~InDirectory() { std::filesystem::current_path(previous); }

private:
    std::filesystem::path previous;
};

const std::string littleEndianBytes("\x01\x02\x03\x04"
                                    "\x00\x00\x80\x3f"     // 1.0f
                                    "\x78\x56\x34\x12"     // 0x12345678
                                    "\xff\xff\xff\xff"
                                    "\xAB",
                                    17);

} // namespace

TEST(CFile, ReadsLittleEndianIntegersAndFloatsAndSkips)
{
    TempDir dir;
    InDirectory inside(dir);
    dir.Write("obj/test.obj", littleEndianBytes);

    cfile file;
    file.Open("obj\\test.obj", READ_BIN);
    ASSERT_NE(file.handle, nullptr);
    EXPECT_EQ(file.ReadInt(), 0x04030201u);
    EXPECT_EQ(file.ReadFloat(), 1.0f);
    file.Skip(4);
    EXPECT_EQ(file.ReadInt(), 0xFFFFFFFFu);
    // Past the end the missing bytes read as zero.
    EXPECT_EQ(file.ReadInt(), 0xABu);
    EXPECT_EQ(file.ReadInt(), 0u);
    EXPECT_EQ(file.ReadFloat(), 0.0f);
    file.Close();
    EXPECT_EQ(file.handle, nullptr);
}

TEST(CFile, SkipThenReadTakesBytesEightToEleven)
{
    TempDir dir;
    InDirectory inside(dir);
    dir.Write("a.bin", littleEndianBytes);
    cfile file;
    file.Open("a.bin", READ_BIN);
    file.Skip(8);
    EXPECT_EQ(file.ReadInt(), 0x12345678u);
    file.Close();
}

TEST(CFile, LogsTheLibraryLookupThenOneOpenLinePerMode)
{
    TempDir dir;
    InDirectory inside(dir);
    dir.Write("obj/samolot.obj", "x");
    LogCapture log;

    cfile reader;
    reader.Open("obj\\samolot.obj", READ_BIN);
    reader.Close();
    reader.Close();
    EXPECT_EQ(log.Text(),
              "file obj\\samolot.obj not found in library!\n"
              "cfile: attempting to open file obj\\samolot.obj in mode READ_BIN\n"
              "cfile: close action was succesfull\n"
              "cfile: couldn't close file!\n");

    log.Clear();
    cfile writer;
    writer.Open("out.bin", WRITE_BIN);
    writer.Close();
    cfile appender;
    appender.Open("out.bin", "ab");
    appender.Close();
    cfile odd;
    odd.Open("out.bin", "r");
    odd.Close();
    EXPECT_EQ(log.Text(),
              "cfile: attempting to open file out.bin in mode WRITE_BIN\n"
              "cfile: close action was succesfull\n"
              "file out.bin not found in library!\n"
              "cfile: attempting to open file out.bin in mode ATTACH_BIN\n"
              "cfile: close action was succesfull\n"
              "file out.bin not found in library!\n"
              "cfile: attempting to open file out.bin in mode "
              "cfile: close action was succesfull\n");
}

TEST(CFileDeathTest, MissingFileEndsTheProgramWithExitCodeZero)
{
    TempDir dir;
    InDirectory inside(dir);
    LogCapture log;
    EXPECT_EXIT(
        {
            cfile file;
            file.Open("obj\\missing.obj", READ_BIN);
        },
        testing::ExitedWithCode(0), "obj/missing.obj");
    EXPECT_EQ(log.Text(),
              "file obj\\missing.obj not found in library!\n"
              "file obj\\missing.obj not found!\n");
}
