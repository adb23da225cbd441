#include <png.h>

#include "platform/d3dx8/image_decoding.h"

namespace d3dx {

// libpng's simplified reader converts every colour type and depth to 8-bit
// BGRA and reports errors through its result instead of a long jump.
std::optional<Image> DecodePng(FileBytes file)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, file.data(), file.size()) == 0) {
        png_image_free(&png);
        return std::nullopt;
    }
    if (!ImageSizeAllowed(png.width, png.height)) {
        png_image_free(&png);
        return std::nullopt;
    }
    const bool hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_BGRA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr) != 0;
    png_image_free(&png);
    if (!read) {
        return std::nullopt;
    }

    Image image(png.width, png.height, hasAlpha);
    for (std::size_t i = 0; i < image.pixels.size(); i++) {
        const std::uint8_t* bgra = &bytes[4 * i];
        image.pixels[i] = PackArgb(bgra[3], bgra[2], bgra[1], bgra[0]);
    }
    return image;
}

} // namespace d3dx
