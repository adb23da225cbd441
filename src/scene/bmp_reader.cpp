#include <cstring>

#include "scene/scene_picture.h"

namespace {

struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t depth = 0;
};

std::uint32_t Read16(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t Read32(const std::uint8_t* p)
{
    return Read16(p) | Read16(p + 2) << 16;
}

// The file and information headers. Only uncompressed bottom-up pictures of
// one plane are read; a top-down picture (negative height) or an empty one
// is outside what the readers take.
bool ReadHeader(std::FILE* file, BmpHeader& header)
{
    std::uint8_t bytes[54];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) {
        return false;
    }
    const auto width = static_cast<std::int32_t>(Read32(bytes + 18));
    const auto height = static_cast<std::int32_t>(Read32(bytes + 22));
    if (Read16(bytes) != 0x4D42 || Read32(bytes + 30) != 0 || Read16(bytes + 26) > 1 || width <= 0 || height <= 0) {
        return false;
    }
    header.pixelOffset = Read32(bytes + 10);
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(height);
    header.depth = Read16(bytes + 28);
    return true;
}

// Rows are padded to whole 32-bit words, as BMP files are written: a row
// whose last byte is only partly used still stores that byte.
std::uint64_t RowBytes(const BmpHeader& header)
{
    return (static_cast<std::uint64_t>(header.depth) * header.width + 31) / 32 * 4;
}

// Positions the file at the first row and checks that every row is there.
bool SeekRows(std::FILE* file, const BmpHeader& header)
{
    return std::fseek(file, header.pixelOffset, SEEK_SET) == 0 &&
           BytesLeft(file) >= RowBytes(header) * header.height;
}

std::uint32_t PaletteIndex(const std::uint8_t* row, std::uint32_t x, std::uint32_t depth)
{
    switch (depth) {
    case 1: return row[x / 8] >> (7 - x % 8) & 1;
    case 4: return row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0x0F;
    default: return row[x];
    }
}

} // namespace

bool ReadBmpPicture(std::FILE* file, ScenePicture& picture)
{
    BmpHeader header;
    if (!ReadHeader(file, header)) {
        return false;
    }
    const std::uint32_t depth = header.depth;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) {
        return false;
    }
    // The palette lies right after the 54 header bytes, one 32-bit
    // blue-green-red-reserved entry per colour, used as the pixel unchanged.
    std::uint32_t palette[256] = {};
    if (depth != 24) {
        std::uint8_t entries[256 * 4];
        const std::size_t paletteBytes = (std::size_t{1} << depth) * 4;
        if (std::fread(entries, 1, paletteBytes, file) != paletteBytes) {
            return false;
        }
        for (std::size_t i = 0; i < paletteBytes / 4; ++i) {
            palette[i] = Read32(entries + 4 * i);
        }
    }
    if (!SeekRows(file, header)) {
        return false;
    }
    std::vector<std::uint8_t> row(RowBytes(header));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(header.width) * header.height);
    for (std::uint32_t fileRow = 0; fileRow < header.height; ++fileRow) {
        if (std::fread(row.data(), 1, row.size(), file) != row.size()) {
            return false;
        }
        std::uint32_t* target = &pixels[static_cast<std::size_t>(header.height - 1 - fileRow) * header.width];
        for (std::uint32_t x = 0; x < header.width; ++x) {
            if (depth == 24) {
                const std::uint8_t* bgr = &row[static_cast<std::size_t>(x) * 3];
                target[x] = static_cast<std::uint32_t>(bgr[2]) << 16 | static_cast<std::uint32_t>(bgr[1]) << 8 | bgr[0];
            } else {
                target[x] = palette[PaletteIndex(row.data(), x, depth)];
            }
        }
    }
    picture.pixels = std::move(pixels);
    picture.width = header.width;
    picture.height = header.height;
    return true;
}

bool ReadAlphaBmp(std::FILE* file, AlphaPicture& picture)
{
    BmpHeader header;
    if (!ReadHeader(file, header) || header.depth != 8 || !SeekRows(file, header)) {
        return false;
    }
    std::vector<std::uint8_t> row(RowBytes(header));
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(header.width) * header.height);
    for (std::uint32_t fileRow = 0; fileRow < header.height; ++fileRow) {
        if (std::fread(row.data(), 1, row.size(), file) != row.size()) {
            return false;
        }
        std::memcpy(&alpha[static_cast<std::size_t>(header.height - 1 - fileRow) * header.width], row.data(),
                    header.width);
    }
    picture.alpha = std::move(alpha);
    picture.width = header.width;
    picture.height = header.height;
    return true;
}
