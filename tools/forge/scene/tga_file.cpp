#include "tga_file.h"

namespace {

std::string Header(const TextureCanvas& image, int bitsPerPixel)
{
    std::string out(18, '\0');
    out[2] = 2; // uncompressed true colour
    out[12] = static_cast<char>(image.width & 0xFF);
    out[13] = static_cast<char>(image.width >> 8 & 0xFF);
    out[14] = static_cast<char>(image.height & 0xFF);
    out[15] = static_cast<char>(image.height >> 8 & 0xFF);
    out[16] = static_cast<char>(bitsPerPixel);
    out[17] = static_cast<char>(bitsPerPixel == 32 ? 8 : 0); // alpha bits; origin bottom left
    return out;
}

} // namespace

std::string Tga32Bytes(const TextureCanvas& image)
{
    std::string out = Header(image, 32);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                out += static_cast<char>(pixel >> shift & 0xFF);
            }
        }
    }
    return out;
}

std::string Tga16Bytes(const TextureCanvas& image)
{
    std::string out = Header(image, 16);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            const std::uint32_t word =
                (pixel >> 19 & 0x1F) << 10 | (pixel >> 11 & 0x1F) << 5 | (pixel >> 3 & 0x1F);
            out += static_cast<char>(word & 0xFF);
            out += static_cast<char>(word >> 8);
        }
    }
    return out;
}
