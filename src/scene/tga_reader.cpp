#include "scene/scene_picture.h"

// Uncompressed true colour only. The pixels follow the 18 header bytes
// directly: an identification field or colour map in the file is read as
// pixels, as the show's files never carry one. Depths from 17 to 31 bits
// (24-bit files among them) have no conversion here and give no picture.
bool ReadTgaPicture(std::FILE* file, ScenePicture& picture)
{
    std::uint8_t header[18];
    if (std::fread(header, 1, sizeof header, file) != sizeof header || header[2] != 2) {
        return false;
    }
    const std::uint32_t width = header[12] | static_cast<std::uint32_t>(header[13]) << 8;
    const std::uint32_t height = header[14] | static_cast<std::uint32_t>(header[15]) << 8;
    const std::uint32_t depth = header[16];
    if (depth != 15 && depth != 16 && depth != 32) {
        return false;
    }
    const std::size_t pixelBytes = depth == 32 ? 4 : 2;
    const std::size_t rowBytes = pixelBytes * width;
    if (width == 0 || height == 0 || BytesLeft(file) < static_cast<std::uint64_t>(rowBytes) * height) {
        return false;
    }
    std::vector<std::uint8_t> row(rowBytes);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        if (std::fread(row.data(), 1, rowBytes, file) != rowBytes) {
            return false;
        }
        std::uint32_t* target = &pixels[static_cast<std::size_t>(height - 1 - fileRow) * width];
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = &row[x * pixelBytes];
            if (depth == 32) {
                target[x] = p[0] | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
                            static_cast<std::uint32_t>(p[3]) << 24;
            } else {
                // 0ARRRRRGGGGGBBBBB widened to 8 bits per channel, alpha 0.
                const std::uint32_t word = p[0] | static_cast<std::uint32_t>(p[1]) << 8;
                target[x] = (word >> 10 & 0x1F) << 19 | (word >> 5 & 0x1F) << 11 | (word & 0x1F) << 3;
            }
        }
    }
    picture.pixels = std::move(pixels);
    picture.width = width;
    picture.height = height;
    return true;
}
