#include "launch/data_directory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string ExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.parent_path().string();
}

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

// "/usr/bin/../share/rewind" reads as "/usr/share/rewind" in a message. Only
// the text changes: "/usr/bin" being a link would not matter, since the
// installed layout puts bin and share side by side under one prefix.
std::string Joined(const std::string& directory, const char* relative)
{
    return (std::filesystem::path(directory) / relative).lexically_normal().string();
}

} // namespace

std::vector<std::string> DataDirectoryPlaces(const std::string& environmentValue, const std::string& currentDirectory,
                                             const std::string& executableDirectory)
{
    std::vector<std::string> places;
    if (!environmentValue.empty()) places.push_back(environmentValue);
    places.push_back(currentDirectory);
    if (!executableDirectory.empty()) {
        places.push_back(Joined(executableDirectory, "../share/rewind"));
        places.push_back(Joined(executableDirectory, "show"));
    }
    return places;
}

bool HoldsShowData(const std::string& directory)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(directory) / "demo.ini", error);
}

DataDirectorySearch SearchDataDirectory(const std::vector<std::string>& places)
{
    DataDirectorySearch search;
    search.places = places;
    for (const std::string& place : places) {
        if (HoldsShowData(place)) {
            search.found = place;
            break;
        }
    }
    return search;
}

bool EnterShowDataDirectory(const char* programName)
{
    const char* environmentValue = std::getenv("REWIND_DATA");
    const bool environmentSet = environmentValue != nullptr && *environmentValue != '\0';
    const DataDirectorySearch search = SearchDataDirectory(
        DataDirectoryPlaces(environmentSet ? environmentValue : "", CurrentDirectory(), ExecutableDirectory()));
    if (search.found.empty()) {
        std::string places;
        for (std::size_t index = 0; index < search.places.size(); ++index) {
            if (index > 0) places += ", ";
            if (index == 0 && environmentSet) places += "REWIND_DATA=";
            places += search.places[index];
        }
        std::fprintf(stderr, "%s: no show data (demo.ini) in %s; set REWIND_DATA to the directory that holds it\n",
                     programName, places.c_str());
        return false;
    }
    if (chdir(search.found.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot enter the show data directory %s\n", programName, search.found.c_str());
        return false;
    }
    return true;
}
