#pragma once
// Reads a PNG file into 8-bit RGBA rows, for comparing rendered frames.

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct RgbaPicture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> rgba;
};

// False when the file is missing or not a PNG.
inline bool ReadPng(const std::string& path, RgbaPicture* picture)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return false;
    png.format = PNG_FORMAT_RGBA;
    picture->width = png.width;
    picture->height = png.height;
    picture->rgba.resize(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, picture->rgba.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return read;
}
