// Feeds arbitrary bytes to the colour and alpha BMP readers.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "scene/scene_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return 0;
    }
    ScenePicture picture;
    if (ReadBmpPicture(file, picture) && picture.pixels.size() != std::size_t{picture.width} * picture.height) {
        __builtin_trap();
    }
    std::rewind(file);
    AlphaPicture alpha;
    if (ReadAlphaBmp(file, alpha) && alpha.alpha.size() != std::size_t{alpha.width} * alpha.height) {
        __builtin_trap();
    }
    if (!picture.pixels.empty() && !alpha.alpha.empty()) {
        MergeAlpha(picture, alpha);
    }
    std::fclose(file);
    return 0;
}
