#include "scene/scene_picture.h"

#include <cstring>
#include <strings.h>

#include "platform/win32/file_path.h"

std::uint64_t BytesLeft(std::FILE* file)
{
    const long position = std::ftell(file);
    if (position < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long end = std::ftell(file);
    std::fseek(file, position, SEEK_SET);
    return end > position ? static_cast<std::uint64_t>(end - position) : 0;
}

const char* PictureExtension(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return dot != nullptr ? dot + 1 : name + std::strlen(name);
}

bool ReadPictureFile(const char* windowsName, ScenePicture& picture)
{
    const char* extension = PictureExtension(windowsName);
    if (strcasecmp(extension, "jpg") == 0) {
        return ReadJpegPicture(windowsName, picture);
    }
    const bool bmp = strcasecmp(extension, "bmp") == 0;
    if (!bmp && strcasecmp(extension, "tga") != 0) {
        return false;
    }
    std::FILE* file = OpenWindowsFile(windowsName, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool read = bmp ? ReadBmpPicture(file, picture) : ReadTgaPicture(file, picture);
    std::fclose(file);
    return read;
}

bool ReadAlphaFile(const char* windowsName, AlphaPicture& picture)
{
    std::FILE* file = OpenWindowsFile(windowsName, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool read = ReadAlphaBmp(file, picture);
    std::fclose(file);
    return read;
}

void MergeAlpha(ScenePicture& picture, AlphaPicture alpha)
{
    if (alpha.alpha.empty()) {
        return;
    }
    if (alpha.width != picture.width || alpha.height != picture.height) {
        // Nearest sample, stepping by repeated addition. The row term is not
        // rounded down to a whole row, so an upscaled picture reaches one
        // byte past the end on its last row: that read is held to the last byte.
        const float sx = static_cast<float>(alpha.width) / static_cast<float>(picture.width);
        const float sy = static_cast<float>(alpha.height) / static_cast<float>(picture.height);
        const std::size_t lastByte = alpha.alpha.size() - 1;
        std::vector<std::uint8_t> resampled(static_cast<std::size_t>(picture.width) * picture.height);
        float fy = 0.0f;
        std::size_t target = 0;
        for (std::uint32_t y = 0; y < picture.height; ++y) {
            float fx = 0.0f;
            for (std::uint32_t x = 0; x < picture.width; ++x) {
                const float source = static_cast<float>(alpha.width) * fy + fx;
                const std::size_t index = source > 0.0f ? static_cast<std::size_t>(source) : 0;
                resampled[target++] = alpha.alpha[index < lastByte ? index : lastByte];
                fx += sx;
            }
            fy += sy;
        }
        alpha.alpha = std::move(resampled);
    }
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = (picture.pixels[i] & 0x00FFFFFFu) | static_cast<std::uint32_t>(alpha.alpha[i]) << 24;
    }
}
