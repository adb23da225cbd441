#include <cstdio>

#include "platform/d3dx8/image_decoding.h"

namespace d3dx {

// The page carries no PNG decoder: the show's pictures are JPEG, BMP and TGA.
// A PNG fails to load as a corrupt file does, with one line saying why.
std::optional<Image> DecodePng(FileBytes)
{
    std::fprintf(stderr, "rewind: PNG pictures are not built into the page\n");
    return std::nullopt;
}

} // namespace d3dx
