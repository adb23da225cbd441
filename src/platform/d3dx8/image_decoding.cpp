#include "platform/d3dx8/image_decoding.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "platform/win32/file_path.h"

namespace d3dx {

namespace {

constexpr long kMaxFileBytes = 256L << 20;

bool StartsWith(FileBytes file, std::initializer_list<std::uint8_t> signature)
{
    if (file.size() < signature.size()) {
        return false;
    }
    std::size_t i = 0;
    for (std::uint8_t byte : signature) {
        if (file[i++] != byte) {
            return false;
        }
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const char* windowsName)
{
    FILE* file = OpenWindowsFile(windowsName, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> contents;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size >= 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size()) {
                contents = std::move(bytes);
            }
        }
    }
    std::fclose(file);
    return contents;
}

} // namespace

std::optional<Image> DecodeImage(FileBytes file)
{
    if (StartsWith(file, {'B', 'M'})) {
        return DecodeBmp(file);
    }
    if (StartsWith(file, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) {
        return DecodePng(file);
    }
    if (StartsWith(file, {0xFF, 0xD8, 0xFF})) {
        return DecodeJpeg(file);
    }
    return DecodeTga(file);
}

std::optional<Image> LoadImageFile(const char* windowsName)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(windowsName);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeImage(*bytes);
}

} // namespace d3dx
