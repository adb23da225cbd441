#pragma once
// The pictures and parameter files, forged once per test program into a
// scratch directory, and small readers for what the tests check.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "forge/ini/ini_files.h"
#include "forge/pictures/catalogue.h"
#include "render/texture_manager.h"

// Writes the forge's own files (pictures and INI files) into `directory`.
inline void ForgePicturesAndIni(const std::filesystem::path& directory)
{
    std::string error;
    ASSERT_TRUE(WritePictures(directory.string(), error)) << error;
    ASSERT_TRUE(WriteIniFiles(directory.string(), error)) << error;
}

inline const std::filesystem::path& ForgedShow()
{
    static TempDir directory;
    static const bool forged = [] {
        ForgePicturesAndIni(directory.Path());
        return true;
    }();
    (void)forged;
    return directory.Path();
}

// A picture as the show decodes it: blue, green, red, 0 per pixel.
struct DecodedPicture {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> bgrx;

    unsigned char Channel(unsigned x, unsigned y, int channel) const { return bgrx[(y * width + x) * 4 + channel]; }
    int Brightness(unsigned x, unsigned y) const { return std::max({Channel(x, y, 0), Channel(x, y, 1), Channel(x, y, 2)}); }
};

inline DecodedPicture Decode(const std::string& showFile)
{
    const std::string path = (ForgedShow() / showFile).string();
    DecodedPicture picture;
    DWORD width = 0, height = 0;
    unsigned char* pixels = LoadJpeg(path.c_str(), &width, &height);
    if (pixels == nullptr) return picture;
    picture.width = width;
    picture.height = height;
    picture.bgrx.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
    std::free(pixels);
    return picture;
}
