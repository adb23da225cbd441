#pragma once
// Where the show's data files are, wherever the show is started from.
//
// The places, in order: the directory named by REWIND_DATA; the current
// directory; ../share/rewind beside the executable (an installed copy); show/
// beside the executable (the build tree, where rewind-forge writes it). The
// first that holds demo.ini is the one: the forge always writes demo.ini, so
// it marks a complete data directory even though the show itself can start
// without it.

#include <string>
#include <vector>

struct DataDirectorySearch {
    std::vector<std::string> places; // every place looked at, in order
    std::string found;               // the first that holds the data; empty when none does
};

// The places for these starting points; an empty environment value or
// executable directory leaves its places out.
std::vector<std::string> DataDirectoryPlaces(const std::string& environmentValue, const std::string& currentDirectory,
                                             const std::string& executableDirectory);

bool HoldsShowData(const std::string& directory);

DataDirectorySearch SearchDataDirectory(const std::vector<std::string>& places);

// Finds the data and makes its directory the current one, so that the show's
// own relative names ("data\...", "obj\...", "music.mp3") resolve there as
// they do when it is started beside its files. Changing directory once,
// before the show's code runs, keeps every file access of the show as it is.
// When no place holds the data: one line on standard error, naming the
// places, and false.
bool EnterShowDataDirectory(const char* programName);

// The exit code of a program that found no data directory.
constexpr int kNoDataExitCode = 1;
