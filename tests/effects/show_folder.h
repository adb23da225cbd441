#pragma once
// The show directory the build generates (pictures, objects, scene, INI
// files, music): effect tests that need real data run there.

#include <filesystem>

inline std::filesystem::path ShowFolder()
{
    return REWIND_SHOW_DIR;
}
