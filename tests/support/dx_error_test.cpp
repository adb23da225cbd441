#include "support/dx_error.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "common/log_capture.h"

namespace {

constexpr std::string_view prefixes[] = {
    " COM_ERROR : ", "DERROR(dinput): ", "DERROR(ddraw): ",
    "DERROR(d3d): ", "DERROR(dsound): ", "DERROR(d3dx): ",
};

std::string_view PrefixOf(std::string_view line)
{
    for (std::string_view prefix : prefixes) {
        if (line.starts_with(prefix)) {
            return prefix;
        }
    }
    return {};
}

std::string Report(const LogCapture& log, std::uint32_t code)
{
    log.Clear();
    ReportDXError(MakeHResult(code));
    return log.Text();
}

}  // namespace

TEST(DXErrorTable, HoldsEachCodeOnceWithTheComponentCounts)
{
    std::set<std::uint32_t> codes;
    std::map<std::string_view, int> rowsPerPrefix;
    for (const DXErrorText& row : DXErrorTable()) {
        EXPECT_TRUE(codes.insert(row.code).second) << std::hex << row.code << " listed twice";
        ++rowsPerPrefix[PrefixOf(row.lines[0] ? row.lines[0] : "")];
    }
    EXPECT_EQ(DXErrorTable().size(), 261u);
    EXPECT_EQ(codes.size(), 261u);
    const std::map<std::string_view, int> expected = {
        {" COM_ERROR : ", 11}, {"DERROR(dinput): ", 27}, {"DERROR(ddraw): ", 107},
        {"DERROR(d3d): ", 70}, {"DERROR(dsound): ", 10}, {"DERROR(d3dx): ", 36},
    };
    EXPECT_EQ(rowsPerPrefix, expected);
}

TEST(DXErrorTable, EveryLineCarriesItsRowPrefixAndFitsOneLogMessage)
{
    for (const DXErrorText& row : DXErrorTable()) {
        SCOPED_TRACE(testing::Message() << std::hex << row.code);
        ASSERT_NE(row.lines[0], nullptr);
        const std::string_view prefix = PrefixOf(row.lines[0]);
        bool ended = false;
        for (const char* text : row.lines) {
            if (text == nullptr) {
                ended = true;
                continue;
            }
            EXPECT_FALSE(ended) << "a line follows an empty entry and would never be logged";
            const std::string_view line = text;
            EXPECT_TRUE(line.starts_with(prefix)) << line;
            EXPECT_GT(line.size(), prefix.size() + 1) << "no description";
            EXPECT_TRUE(line.ends_with('\n')) << line;
            EXPECT_LE(line.size(), 254u) << "the log would cut this line";
        }
    }
}

TEST(ReportDXError, WritesEveryRowsLinesInOrder)
{
    LogCapture log;
    for (const DXErrorText& row : DXErrorTable()) {
        std::string expected;
        for (const char* line : row.lines) {
            expected += line ? line : "";
        }
        EXPECT_EQ(Report(log, row.code), expected) << std::hex << row.code;
    }
}

TEST(ReportDXError, WritesTheFixedTextsWordForWord)
{
    const std::map<std::uint32_t, std::string> fixed = {
        {0x80070057, " COM_ERROR : One or more arguments are invalid.\n"},
        {0x8007000E, " COM_ERROR : Ran out of memory.\n"},
        {0x80004001, " COM_ERROR : Not implemented.\n"},
        {0x00000001, "DERROR(dinput): The device buffer overflowed and some input was lost.\n"
                     " This value is equal to the S_FALSE standard COM return value\n"},
        {0x8876017C, "DERROR(ddraw): Out of video memory\n"},
        {0x887601C2, "DERROR(ddraw): Surface was lost - restore it!\n"},
        {0x887602BC, "DERROR(d3d): The service you requested is unavailable in this major version of DirectX. \n"
                     "DERROR(d3d): Get the latest version of DirectX runtime from Microsoft. \n"},
        {0x887602BD, "DERROR(d3d): The service you requested is available in this major version of DirectX,\n"
                     "DERROR(d3d): but not in this minor version.\n"
                     "DERROR(d3d): Get the latest version of the component runtime from Microsoft. \n"},
        {0x88760816, "DERROR(d3d): Render target surface does not have an attached depth buffer. \n"},
        {0x88760818, "DERROR(d3d): The pixel format of the texture surface is not valid. \n"},
        {0x88760824, "DERROR(d3d): Invalid matrix (det(world,view,proj)=0)\n"},
        {0x88760834, "DERROR(d3d): Invalid state block handle\n"},
        {0x88780078, "DERROR(dsound): No sound driver is available for use\n"},
        {0xC8770BCC, "DERROR(d3dx): The requested operation failed because the image file format is unrecognized.\n"},
    };
    LogCapture log;
    for (const auto& [code, text] : fixed) {
        EXPECT_EQ(Report(log, code), text) << std::hex << code;
    }
}

TEST(ReportDXError, CodeRangesIncludeBothEndsAndNothingBeyond)
{
    struct Range {
        std::uint32_t first, last;
        std::string_view prefix;
    };
    const Range ranges[] = {
        {0x88760230, 0x88760241, "DERROR(ddraw): "},
        {0x88760243, 0x88760250, "DERROR(ddraw): "},
        {0x887602D0, 0x887602EB, "DERROR(d3d): "},
        {0x88760302, 0x88760307, "DERROR(d3d): "},
        {0x88760816, 0x8876081F, "DERROR(d3d): "},
        {0xC8770BB8, 0xC8770BDB, "DERROR(d3dx): "},
    };
    LogCapture log;
    for (const Range& range : ranges) {
        for (std::uint32_t code = range.first; code <= range.last; ++code) {
            EXPECT_TRUE(Report(log, code).starts_with(range.prefix)) << std::hex << code;
        }
        EXPECT_EQ(Report(log, range.first - 1), "") << std::hex << range.first - 1;
        EXPECT_EQ(Report(log, range.last + 1), "") << std::hex << range.last + 1;
    }
}

TEST(ReportDXError, UnknownCodesWriteNothing)
{
    LogCapture log;
    for (std::uint32_t code : {0x00000000u, 0x8876086Cu, 0x88760837u, 0x88760825u, 0xC8770BDCu, 0xFFFFFFFFu}) {
        EXPECT_EQ(Report(log, code), "") << std::hex << code;
    }
}

TEST(ReportDXError, WritesNothingWithoutAnEnabledLog)
{
    LogCapture log;
    g_log->SetFile(nullptr);
    ReportDXError(MakeHResult(0x887602BD));
    EXPECT_EQ(log.Text(), "");

    cLog* const saved = g_log;
    g_log = nullptr;
    ReportDXError(MakeHResult(0x887602BD));
    g_log = saved;
}
