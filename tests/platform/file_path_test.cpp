#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "platform/win32/file_path.h"

TEST(FilePath, BackslashesBecomeSlashes)
{
    EXPECT_EQ(NativeFileName("obj\\a.scene"), "obj/a.scene");
    EXPECT_EQ(NativeFileName("music.mp3"), "music.mp3");
    EXPECT_EQ(NativeFileName(""), "");
    EXPECT_EQ(NativeFileName(nullptr), "");
}

TEST(FilePath, NamesMatchFilesWhateverTheirCase)
{
    TempDir dir;
    dir.Write("Data/Layer.INI", "1\n");
    std::string base = dir.Path().string();
    EXPECT_EQ(NativeFileName((base + "\\data\\layer.ini").c_str()), base + "/Data/Layer.INI");
    EXPECT_EQ(NativeFileName((base + "/Data/Layer.INI").c_str()), base + "/Data/Layer.INI");
    // A name that matches nothing stays as it was, so that a new file is created under it.
    EXPECT_EQ(NativeFileName((base + "\\data\\new.txt").c_str()), base + "/Data/new.txt");
    EXPECT_EQ(NativeFileName((base + "\\nothing\\new.txt").c_str()), base + "/nothing/new.txt");
}

TEST(FilePath, OpensWithTextModesAndRefusesNullArguments)
{
    TempDir dir;
    std::string path = dir.Write("t.txt", "abc");
    FILE* file = OpenWindowsFile(path.c_str(), "rt");
    ASSERT_NE(file, nullptr);
    char text[4] = {};
    EXPECT_EQ(std::fread(text, 1, 3, file), 3u);
    EXPECT_STREQ(text, "abc");
    std::fclose(file);
    EXPECT_EQ(OpenWindowsFile(nullptr, "rb"), nullptr);
    EXPECT_EQ(OpenWindowsFile(path.c_str(), nullptr), nullptr);
}
