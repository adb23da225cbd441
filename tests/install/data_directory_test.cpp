// Where the show looks for its data, and which place wins.

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "launch/data_directory.h"

namespace {

using Places = std::vector<std::string>;

TEST(DataDirectory, PlacesInOrderWithTheInstalledAndBuildTreeDirectoriesBesideTheExecutable)
{
    EXPECT_EQ(DataDirectoryPlaces("/srv/data", "/home/someone", "/usr/bin"),
              (Places{"/srv/data", "/home/someone", "/usr/share/rewind", "/usr/bin/show"}));
    // Without REWIND_DATA, and without a known executable, those places drop out.
    EXPECT_EQ(DataDirectoryPlaces("", "/tmp", "/opt/rewind/bin"),
              (Places{"/tmp", "/opt/rewind/share/rewind", "/opt/rewind/bin/show"}));
    EXPECT_EQ(DataDirectoryPlaces("", "/tmp", ""), (Places{"/tmp"}));
}

TEST(DataDirectory, TheFirstPlaceWithDemoIniWins)
{
    TempDir root;
    const std::string empty = (root.Path() / "empty").string();
    const std::string lookalike = (root.Path() / "lookalike").string();
    const std::string first = (root.Path() / "first").string();
    const std::string second = (root.Path() / "second").string();
    std::filesystem::create_directories(empty);
    std::filesystem::create_directories(std::filesystem::path(lookalike) / "demo.ini"); // a folder, not the file
    root.Write("first/demo.ini", "ss volume 0.5\n");
    root.Write("second/demo.ini", "");

    const DataDirectorySearch search =
        SearchDataDirectory({empty, lookalike, (root.Path() / "missing").string(), first, second});
    EXPECT_EQ(search.found, first);
    EXPECT_EQ(search.places.size(), 5u);

    EXPECT_TRUE(SearchDataDirectory({empty, lookalike}).found.empty());
}

} // namespace
