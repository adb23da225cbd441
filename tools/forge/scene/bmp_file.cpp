#include "bmp_file.h"

namespace {

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

constexpr std::uint32_t headerSize = 54;

// The 14-byte file header and the 40-byte information header.
std::string Header(int width, int height, int bitsPerPixel, std::uint32_t paletteBytes, std::uint32_t rowBytes)
{
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string out = "BM";
    Put32(out, headerSize + paletteBytes + pixelBytes);
    Put32(out, 0);
    Put32(out, headerSize + paletteBytes);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, 0); // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, bitsPerPixel == 8 ? 256 : 0);
    Put32(out, 0);
    return out;
}

std::uint32_t PaddedRow(int bytes)
{
    return (static_cast<std::uint32_t>(bytes) + 3u) & ~3u;
}

} // namespace

std::string Bmp24Bytes(const TextureCanvas& image)
{
    const std::uint32_t rowBytes = PaddedRow(image.width * 3);
    std::string out = Header(image.width, image.height, 24, 0, rowBytes);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            row += static_cast<char>(pixel & 0xFF);
            row += static_cast<char>(pixel >> 8 & 0xFF);
            row += static_cast<char>(pixel >> 16 & 0xFF);
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

std::string Bmp8Bytes(const std::vector<std::uint8_t>& alpha, int width, int height)
{
    const std::uint32_t rowBytes = PaddedRow(width);
    std::string out = Header(width, height, 8, 256 * 4, rowBytes);
    for (std::uint32_t grey = 0; grey < 256; ++grey) {
        Put32(out, grey << 16 | grey << 8 | grey);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::string row(reinterpret_cast<const char*>(&alpha[static_cast<std::size_t>(y) * width]),
                        static_cast<std::size_t>(width));
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}
