// The parameter files, read with the show's own record reader the way the
// effects read them: the layouts they expect, values that make sense where
// the effects use them, and the reader running to the end of each file.

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "common/log_capture.h"
#include "forge/forged_show.h"
#include "support/ini_file.h"

namespace {

// Reads every record of a show file and hands each to `record`; fails the
// test if the reader did not reach the end or something logged an error.
void ReadRecords(const std::string& showFile, const std::function<void(cIniFile&, int)>& record)
{
    LogCapture log;
    cIniFile ini;
    ASSERT_TRUE(ini.Open((ForgedShow() / showFile).string().c_str())) << showFile;
    int index = 0;
    while (ini.Next()) {
        record(ini, index++);
    }
    const std::string text = log.Text();
    EXPECT_NE(text.find("end of inifile reached"), std::string::npos) << showFile;
    EXPECT_EQ(text.find("error in"), std::string::npos) << showFile;
}

bool HasDigitsOnly(const char* types) { return std::string(types).find_first_not_of('d') == std::string::npos; }

// The timeline's slots that draw an effect (start, end), rewind excluded.
constexpr std::pair<int, int> kSlots[] = {
    {0, 2800},           {2800, 24753},       {24753, 26600},      {26600, 35650},  {35650, 60500},
    {60500, 110450},     {110450, 118000},    {118000, 140000},    {140000, 172000}, {172000, 200000},
    {200000, 222235},    {222235, 233180},    {233180, 250000},    {265000, 271000},
};

} // namespace

TEST(ForgeIni, DemoIniSetsAVolumeTheSoundPlayerAccepts)
{
    int volumes = 0;
    ReadRecords("demo.ini", [&](cIniFile& ini, int) {
        ASSERT_TRUE(ini.Matches("ss"));
        EXPECT_NE(std::string(ini.strings[0]).find("volume"), std::string::npos);
        const double volume = std::atof(ini.strings[1]);
        EXPECT_GT(volume, 0.0);
        EXPECT_LE(volume, 1.0);
        ++volumes;
    });
    EXPECT_EQ(volumes, 1);
}

TEST(ForgeIni, LayerIniNamesItsBandPicturesAndBandsInEverySlotButTheRewind)
{
    int groups = -1;
    std::vector<std::vector<int>> rows;
    bool slotHasBand[std::size(kSlots)] = {};
    ReadRecords("data/layer.ini", [&](cIniFile& ini, int index) {
        if (index == 0) {
            ASSERT_TRUE(ini.Matches("d"));
            groups = ini.ints[0];
            return;
        }
        if (index <= groups) {
            ASSERT_EQ(ini.types[0], 's');
            ASSERT_TRUE(HasDigitsOnly(ini.types + 1));
            std::string file = ini.strings[0];
            std::replace(file.begin(), file.end(), '\\', '/');
            const DecodedPicture picture = Decode(file);
            EXPECT_EQ(picture.width, 1024u) << file;
            const int count = ini.ints[0];
            ASSERT_EQ(static_cast<int>(ini.intCount), count + 1);
            std::vector<int> boundaries(ini.ints + 1, ini.ints + 1 + count);
            EXPECT_TRUE(std::is_sorted(boundaries.begin(), boundaries.end()));
            EXPECT_EQ(boundaries.back(), static_cast<int>(picture.height)) << file;
            rows.push_back(boundaries);
            return;
        }
        ASSERT_TRUE(ini.Matches("dddddss")) << "record " << index;
        const int start = ini.ints[0], end = ini.ints[1], group = ini.ints[2], strip = ini.ints[3], y = ini.ints[4];
        const double period = std::atof(ini.strings[0]), alpha = std::atof(ini.strings[1]);
        EXPECT_LT(start, end);
        ASSERT_LT(group, groups);
        EXPECT_LT(strip + 1, static_cast<int>(rows[static_cast<size_t>(group)].size()));
        EXPECT_LT(y, 480);
        EXPECT_NE(period, 0.0);
        EXPECT_GT(alpha, 0.0);
        EXPECT_LE(alpha, 1.0);
        EXPECT_TRUE(end <= 250000 || start >= 265000) << "a band during the rewind, record " << index;
        for (size_t slot = 0; slot < std::size(kSlots); ++slot) {
            slotHasBand[slot] |= start < kSlots[slot].second && end > kSlots[slot].first;
        }
    });
    EXPECT_EQ(groups, 2);
    for (size_t slot = 0; slot < std::size(kSlots); ++slot) {
        EXPECT_TRUE(slotHasBand[slot]) << "no band in the slot starting at " << kSlots[slot].first;
    }
}

TEST(ForgeIni, SignFilesHoldTheSameSignsInBothLayouts)
{
    int signs2 = -1, largeSigns = -1;
    ReadRecords("data/znaki2.ini", [&](cIniFile& ini, int index) {
        if (index == 0) {
            ASSERT_TRUE(ini.Matches("d"));
            signs2 = ini.ints[0];
            return;
        }
        if ((index - 1) % 5 == 0) return;  // the sign's title
        ASSERT_GE(ini.intCount, 5u) << "record " << index;
        for (int i = 0; i < 5; ++i) {
            EXPECT_LE(ini.ints[i], 5);
        }
    });
    ReadRecords("data/znaki.ini", [&](cIniFile& ini, int index) {
        if (index == 0) {
            ASSERT_TRUE(ini.Matches("d"));
            largeSigns = ini.ints[0];
            return;
        }
        if ((index - 1) % 31 == 0) return;
        ASSERT_TRUE(ini.Matches(std::string(40, 's').c_str())) << "record " << index;
        for (int i = 0; i < 40; ++i) {
            const double value = std::atof(ini.strings[i]);
            EXPECT_TRUE(value >= 0.0 && value <= 1.0);
        }
    });
    EXPECT_GT(signs2, 1);
    EXPECT_LE(signs2, 25);
    EXPECT_EQ(largeSigns, signs2);
}

TEST(ForgeIni, GreetingsStripesCarryTheirWordsInsideTheBar)
{
    int entries = -1, read = 0, cells = 0;
    const DecodedPicture greets = Decode("data/greets.jpg");
    ReadRecords("data/greets.ini", [&](cIniFile& ini, int index) {
        if (index == 0) {
            ASSERT_GE(ini.intCount, 1u);
            entries = ini.ints[0];
            return;
        }
        ++read;
        ASSERT_TRUE(ini.Matches("sssss") || ini.Matches("sssssdd")) << "record " << index;
        if (ini.Matches("sssss")) return;
        ++cells;
        const int column = ini.ints[0], row = ini.ints[1];
        EXPECT_LE(static_cast<unsigned>(128 * (column + 1)), greets.width);
        EXPECT_LE(static_cast<unsigned>(31 * row + 30), greets.height);
        // The 8-texel bar sprite at thickness 8 x length^2 / 100 must hold
        // the 31-row cell drawn at 1.2 scale.
        const double length = std::atof(ini.strings[1]);
        EXPECT_GE(8.0 * length * length * 0.01, 31 * 1.2) << "record " << index;
        EXPECT_GT(std::atof(ini.strings[3]), 0.0) << "dirY";
    });
    EXPECT_EQ(read, entries);
    EXPECT_GT(cells, 0);
}

TEST(ForgeIni, FlyIniLaysEachTrailAlongItsPlanesFlight)
{
    // Trail point i of line p lands at world depth -z (the plane's half
    // turn, which also mirrors x onto plane 4 - p) and should be where that
    // plane was when the point became newest.
    const double formation[5] = {750, 720, 700, 710, 740};
    int records = 0;
    ReadRecords("data/fly.ini", [&](cIniFile& ini, int index) {
        ASSERT_TRUE(ini.Matches("s")) << "record " << index;
        const int point = index / 5, plane = index % 5;
        const double worldDepth = -std::atof(ini.strings[0]);
        EXPECT_NEAR(worldDepth, formation[4 - plane] - 0.045 * point * 22000.0 / 366.0, 0.01) << "record " << index;
        ++records;
    });
    EXPECT_EQ(records, 366 * 5);
}
