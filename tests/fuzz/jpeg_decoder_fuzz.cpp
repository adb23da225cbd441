// Feeds arbitrary bytes to the JPEG decoder as the texture manager does:
// the parameters first, then the whole picture into a buffer of the size
// they gave, as BGR.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ijl/ijl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    JPEG_CORE_PROPERTIES properties;
    std::memset(&properties, 0, sizeof properties);
    if (ijlInit(&properties) != IJL_OK) __builtin_trap();
    properties.JPGBytes = bytes.data();
    properties.JPGSizeBytes = static_cast<DWORD>(bytes.size());
    // Pictures of more than 16 million pixels are left out so that the
    // fuzzer's memory limit measures the decoder, not the output buffer.
    if (ijlRead(&properties, IJL_JBUFF_READPARAMS) == IJL_OK &&
        std::size_t{properties.JPGWidth} * properties.JPGHeight <= (std::size_t{1} << 24)) {
        std::vector<BYTE> bgr(std::size_t{properties.JPGWidth} * properties.JPGHeight * 3 + 1);
        properties.DIBBytes = bgr.data();
        properties.DIBWidth = properties.JPGWidth;
        properties.DIBHeight = static_cast<int>(properties.JPGHeight);
        properties.DIBPadBytes = 0;
        properties.DIBChannels = 3;
        properties.DIBColor = IJL_BGR;
        if (properties.JPGChannels == 3) {
            properties.JPGColor = IJL_YCBCR;
        } else if (properties.JPGChannels == 1) {
            properties.JPGColor = IJL_G;
        } else {
            properties.DIBColor = IJL_OTHER;
            properties.JPGColor = IJL_OTHER;
        }
        ijlRead(&properties, IJL_JBUFF_READWHOLEIMAGE);
    }
    ijlFree(&properties);
    return 0;
}
