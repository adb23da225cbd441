#include <cstring>

#include "platform/ijl/ijl.h"
#include "scene/scene_picture.h"

// No texture the device makes is larger than 2048 texels across: a picture
// far beyond that is refused before its buffer is allocated.
constexpr DWORD maxJpegSide = 8192;

// Failures give no picture and no log line: the registry tries the next place.
bool ReadJpegPicture(const char* windowsName, ScenePicture& picture)
{
    JPEG_CORE_PROPERTIES properties;
    std::memset(&properties, 0, sizeof properties);
    if (ijlInit(&properties) != IJL_OK) {
        return false;
    }
    properties.JPGFile = windowsName;
    if (ijlRead(&properties, IJL_JFILE_READPARAMS) != IJL_OK || properties.JPGChannels != 3 ||
        properties.JPGWidth == 0 || properties.JPGHeight == 0 || properties.JPGWidth > maxJpegSide ||
        properties.JPGHeight > maxJpegSide) {
        ijlFree(&properties);
        return false;
    }
    const std::uint32_t width = properties.JPGWidth;
    const std::uint32_t height = properties.JPGHeight;
    std::vector<BYTE> rgb(static_cast<std::size_t>(width) * height * 3);
    properties.DIBBytes = rgb.data();
    properties.DIBWidth = width;
    properties.DIBHeight = static_cast<int>(height);
    properties.DIBPadBytes = 0;
    properties.DIBChannels = 3;
    properties.DIBColor = IJL_RGB;
    properties.JPGColor = IJL_YCBCR;
    const IJLERR read = ijlRead(&properties, IJL_JFILE_READWHOLEIMAGE);
    ijlFree(&properties);
    if (read != IJL_OK) {
        return false;
    }
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const BYTE* p = &rgb[i * 3];
        picture.pixels[i] = static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
    picture.width = width;
    picture.height = height;
    return true;
}
