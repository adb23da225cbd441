#include "scene/scene_file.h"

#include <cstring>

#include "scene/scene_exception.h"
#include "scene/scene_picture.h"

namespace {

constexpr std::size_t maxStringBytes = 255;

} // namespace

cSceneFileReader::cSceneFileReader(std::FILE* file) : file(file), left(::BytesLeft(file)) {}

void cSceneFileReader::Need(std::uint64_t count) const
{
    if (count > left) {
        throw mu3d_CException(0);
    }
}

void cSceneFileReader::ReadBytes(void* target, std::uint64_t count)
{
    Need(count);
    if (count > 0 && std::fread(target, 1, count, file) != count) {
        throw mu3d_CException(0);
    }
    left -= count;
}

std::uint32_t cSceneFileReader::ReadUInt()
{
    std::uint8_t bytes[4];
    ReadBytes(bytes, sizeof bytes);
    return bytes[0] | static_cast<std::uint32_t>(bytes[1]) << 8 | static_cast<std::uint32_t>(bytes[2]) << 16 |
           static_cast<std::uint32_t>(bytes[3]) << 24;
}

float cSceneFileReader::ReadFloat()
{
    const std::uint32_t bits = ReadUInt();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string cSceneFileReader::ReadString()
{
    std::string text;
    for (;;) {
        char character;
        ReadBytes(&character, 1);
        if (character == '\0') {
            return text;
        }
        if (text.size() == maxStringBytes) {
            throw mu3d_CException(0);
        }
        text += character;
    }
}
