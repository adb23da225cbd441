#pragma once
// Hand-made BMP and TGA files for the scene's picture readers.

#include <cstdint>
#include <functional>
#include <string>

inline void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// A BMP whose file rows come from `row(fileRow)` (bottom row first, padding
// included), with a palette of 2^depth entries for depths up to 8.
inline std::string MakeBmp(int depth, std::int32_t width, std::int32_t height,
                           const std::function<std::string(int)>& row, std::uint32_t paletteSeed = 0x00102030,
                           std::uint32_t compression = 0, std::uint16_t planes = 1)
{
    const std::uint32_t paletteBytes = depth <= 8 ? (1u << depth) * 4 : 0;
    std::string out = "BM";
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54 + paletteBytes, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(out, planes, 2);
    PutLittleEndian(out, depth, 2);
    PutLittleEndian(out, compression, 4);
    for (int i = 0; i < 5; ++i) {
        PutLittleEndian(out, 0, 4);
    }
    for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) {
        PutLittleEndian(out, paletteSeed + i * 0x010101, 4);
    }
    for (int y = 0; y < height && y < 4096; ++y) {
        out += row(y);
    }
    return out;
}

// An uncompressed true-colour TGA whose file rows come from `row(fileRow)`.
inline std::string MakeTga(int depth, int width, int height, const std::function<std::string(int)>& row,
                           int imageType = 2)
{
    std::string out(18, '\0');
    out[2] = static_cast<char>(imageType);
    out[12] = static_cast<char>(width & 0xFF);
    out[13] = static_cast<char>(width >> 8);
    out[14] = static_cast<char>(height & 0xFF);
    out[15] = static_cast<char>(height >> 8);
    out[16] = static_cast<char>(depth);
    for (int y = 0; y < height; ++y) {
        out += row(y);
    }
    return out;
}
