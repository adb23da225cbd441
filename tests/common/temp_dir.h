#pragma once
// A scratch directory that lives for one test, and helpers to fill it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/rewind-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `contents` byte for byte to `name` (folders are created) and
    // returns the full path.
    std::string Write(const std::string& name, const std::string& contents) const
    {
        std::filesystem::path file = path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
        return file.string();
    }

    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};
