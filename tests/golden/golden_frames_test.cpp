// The show's golden frames: chosen show times rendered headless from the
// generated show directory and compared with the committed pictures.
// scripts/golden.sh renders them anew when the look changes on purpose.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/png_reader.h"
#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A frame matches when its colours differ from the committed one by at most
// 1.5 levels on average and no more than half a percent of its pixels differ
// by more than 40 levels in a channel: small rounding differences pass, a
// moved, missing or recoloured object does not.
constexpr double maxMeanDifference = 1.5;
constexpr double maxShareOfStrongDifferences = 0.005;
constexpr int strongDifference = 40;

// Lead-in frames drawn before each golden time, 20 ms apart.
constexpr int leadInFrames = 10;

struct Difference {
    double mean = 0.0;
    double strongShare = 0.0;
};

Difference Compare(const RgbaPicture& a, const RgbaPicture& b)
{
    Difference d;
    std::size_t strong = 0;
    double sum = 0.0;
    const std::size_t pixels = static_cast<std::size_t>(a.width) * a.height;
    for (std::size_t p = 0; p < pixels; ++p) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int diff = std::abs(int(a.rgba[p * 4 + c]) - int(b.rgba[p * 4 + c]));
            sum += diff;
            worst = std::max(worst, diff);
        }
        strong += worst > strongDifference;
    }
    d.mean = sum / (3.0 * static_cast<double>(pixels));
    d.strongShare = static_cast<double>(strong) / static_cast<double>(pixels);
    return d;
}

std::vector<std::string> GoldenTimes()
{
    std::vector<std::string> times;
    for (const auto& entry : fs::directory_iterator(REWIND_GOLDEN_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("time-", 0) == 0 && entry.path().extension() == ".png") times.push_back(name.substr(5, 6));
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace

TEST(GoldenFrames, MatchTheCommittedPictures)
{
    const std::vector<std::string> times = GoldenTimes();
    ASSERT_FALSE(times.empty()) << "no golden frames in " << REWIND_GOLDEN_DIR;
    ASSERT_TRUE(fs::exists(fs::path(REWIND_SHOW_DIR) / "music.mp3")) << "the show directory was not generated";

    TempDir out;
    std::string list;
    for (const std::string& time : times) list += (list.empty() ? "" : ",") + std::to_string(std::stoi(time));
    const std::string command = "cd '" + std::string(REWIND_SHOW_DIR) + "' && '" + REWIND_CAPTURE + "' --times " + list +
                                " --lead-in " + std::to_string(leadInFrames) + " --out '" + out.Path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    for (const std::string& time : times) {
        RgbaPicture expected, actual;
        const std::string name = "time-" + time + ".png";
        ASSERT_TRUE(ReadPng(std::string(REWIND_GOLDEN_DIR) + "/" + name, &expected)) << name;
        ASSERT_TRUE(ReadPng(out.Path().string() + "/" + name, &actual)) << name << " was not rendered";
        ASSERT_EQ(actual.width, expected.width) << name;
        ASSERT_EQ(actual.height, expected.height) << name;
        const Difference d = Compare(expected, actual);
        EXPECT_LE(d.mean, maxMeanDifference) << name << ": mean difference " << d.mean;
        EXPECT_LE(d.strongShare, maxShareOfStrongDifferences) << name << ": " << d.strongShare * 100.0
                                                              << " % of the pixels differ strongly";
    }
}
