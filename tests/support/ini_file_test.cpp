#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "support/ini_file.h"

namespace {

// One record as the reader left it.
struct Record {
    std::string types;
    std::vector<std::string> strings;
    std::vector<int> ints;
};

std::vector<Record> ReadAll(const std::string& contents)
{
    TempDir dir;
    std::string path = dir.Write("test.ini", contents);
    cIniFile ini;
    EXPECT_TRUE(ini.Open(path.c_str()));
    std::vector<Record> records;
    while (ini.Next()) {
        Record record{ini.types, {}, {}};
        EXPECT_EQ(ini.typeCount, record.types.size());
        EXPECT_EQ(ini.fieldCount, ini.stringCount + ini.intCount);
        EXPECT_EQ(ini.fieldCount, ini.typeCount);
        for (uint32_t i = 0; i < ini.stringCount; ++i) record.strings.push_back(ini.strings[i]);
        for (uint32_t i = 0; i < ini.intCount; ++i) record.ints.push_back(ini.ints[i]);
        records.push_back(record);
    }
    EXPECT_FALSE(ini.isOpen);
    return records;
}

} // namespace

TEST(IniFile, TypesDigitsOnlyAsIntegersAndEverythingElseAsStrings)
{
    auto records = ReadAll("volume 0.35\nvolume 1\na  b   c\n12 -12 0.5 1e3 +7 007\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].types, "ss");
    EXPECT_EQ(records[0].strings, (std::vector<std::string>{"volume", "0.35"}));
    EXPECT_EQ(records[1].types, "sd");
    EXPECT_EQ(records[1].ints, std::vector<int>{1});
    EXPECT_EQ(records[2].types, "sss");
    EXPECT_EQ(records[2].strings, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(records[3].types, "dssssd");
    EXPECT_EQ(records[3].ints, (std::vector<int>{12, 7}));
    EXPECT_EQ(records[3].strings, (std::vector<std::string>{"-12", "0.5", "1e3", "+7"}));
}

TEST(IniFile, BlanksLeadingTrailingAndTabs)
{
    auto records = ReadAll(" x\na b   \na\tb c\n");
    ASSERT_EQ(records.size(), 3u);
    // A leading blank makes an empty first field, typed as the integer 0.
    EXPECT_EQ(records[0].types, "ds");
    EXPECT_EQ(records[0].ints, std::vector<int>{0});
    EXPECT_EQ(records[0].strings, std::vector<std::string>{"x"});
    EXPECT_EQ(records[1].types, "ss");
    EXPECT_EQ(records[2].types, "ss");
    EXPECT_EQ(records[2].strings[0], "a\tb");
}

TEST(IniFile, SkipsCommentsEmptyAndBlankLines)
{
    auto records = ReadAll("# comment\n; another\n\n   \nx #not 1\n\r\ny 2\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].types, "ssd");
    EXPECT_EQ(records[0].strings[1], "#not");
    EXPECT_EQ(records[1].types, "sd");
}

TEST(IniFile, LineEndsOfEveryKindKeepTheLastCharacter)
{
    auto records = ReadAll("volume 0.5\r\nlast 0.25");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].strings[1], "0.5");
    EXPECT_EQ(records[1].strings[1], "0.25");
}

TEST(IniFile, IntegersPastThe32BitRangeSaturate)
{
    auto records = ReadAll("2147483647 2147483648 99999999999999999999\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].ints, (std::vector<int>{2147483647, 2147483647, 2147483647}));
}

TEST(IniFile, OverlongLinesAreReadInPiecesWithinBounds)
{
    std::string longField(3000, 'z');
    auto records = ReadAll(longField + " 5\nnext 1\n");
    // 3000 characters plus " 5" come back as pieces of at most 1023 characters.
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].strings[0].size(), 1023u);
    EXPECT_EQ(records[1].strings[0].size(), 1023u);
    EXPECT_EQ(records[2].types, "sd");
    EXPECT_EQ(records[2].strings[0].size(), 3000u - 2046u);
    EXPECT_EQ(records[3].types, "sd");
}

TEST(IniFile, RecordsStopAt128Fields)
{
    std::string many;
    for (int i = 0; i < 200; ++i) many += std::to_string(i) + " ";
    auto records = ReadAll(many + "\nafter 3\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].types, std::string(128, 'd'));
    EXPECT_EQ(records[0].ints.back(), 127);
    EXPECT_EQ(records[1].types, "sd");
}

TEST(IniFile, NulBytesEndTheLineText)
{
    std::string contents("ab\0cd 1\nnext 2\n", 15);
    auto records = ReadAll(contents);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].types, "s");
    EXPECT_EQ(records[0].strings[0], "ab");
    EXPECT_EQ(records[1].types, "sd");
}

TEST(IniFile, ClosesItselfAtTheEndAndMatchesOnlyWhileOpen)
{
    TempDir dir;
    std::string path = dir.Write("demo.ini", "volume 0.5\n");
    LogCapture log;
    cIniFile ini;
    log.Clear();
    ASSERT_TRUE(ini.Open(path.c_str()));
    EXPECT_FALSE(ini.Open(path.c_str()));
    ASSERT_TRUE(ini.Next());
    EXPECT_TRUE(ini.Matches("ss"));
    EXPECT_FALSE(ini.Matches("s"));
    EXPECT_FALSE(ini.Matches("sss"));
    EXPECT_FALSE(ini.Matches("sd"));
    EXPECT_FALSE(ini.Next());
    EXPECT_FALSE(ini.Matches("ss"));
    EXPECT_STREQ(ini.strings[1], "0.5"); // the last record stays readable
    EXPECT_FALSE(ini.Close());
    EXPECT_FALSE(ini.Next());

    EXPECT_EQ(log.Text(),
              "this ini is already open!\n"
              "volume 0.5\n"
              "ILE Parametrow  2\n"
              " succesfully closed inifile\n"
              " end of inifile reached.\n"
              "this ini wasn't open!\n"
              "ini not open!\n");
}

TEST(IniFile, MissingFileReadsNothing)
{
    LogCapture log;
    {
        cIniFile ini;
        EXPECT_FALSE(ini.Open("no\\such\\file.ini"));
        EXPECT_FALSE(ini.Next());
        EXPECT_FALSE(ini.Matches(""));
    }
    EXPECT_EQ(log.Text(),
              "MALLOC!!!!!!!!\nMALLOC!!!!!!!!\nMALLOC!!!!!!!!\nMALLOC!!!!!!!!\n"
              "unable to open inifile no\\such\\file.ini\n"
              "ini not open!\n");
}

TEST(IniFile, DestructorClosesAnOpenReader)
{
    TempDir dir;
    std::string path = dir.Write("a.ini", "a 1\nb 2\n");
    LogCapture log;
    {
        cIniFile ini;
        ASSERT_TRUE(ini.Open(path.c_str()));
        ASSERT_TRUE(ini.Next());
        log.Clear();
    }
    EXPECT_EQ(log.Text(), " succesfully closed inifile\n");
}
