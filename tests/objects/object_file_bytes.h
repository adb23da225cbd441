#pragma once
// Object files built byte for byte: the counts are written as given,
// whatever records follow them.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

inline std::string ObjectFile(std::uint32_t vertexCount, std::uint32_t faceCount,
                              const std::vector<float>& vertexValues = {},
                              const std::vector<std::uint32_t>& faceIndices = {})
{
    std::string bytes = "rewind01";
    const auto put = [&bytes](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(value >> shift));
    };
    put(vertexCount);
    put(faceCount);
    for (float value : vertexValues) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        put(bits);
    }
    for (std::uint32_t index : faceIndices) put(index);
    return bytes;
}
