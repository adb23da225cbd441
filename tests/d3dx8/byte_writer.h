#pragma once
// Builds little-endian files byte by byte for the decoder tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class ByteWriter {
public:
    ByteWriter& U8(std::uint32_t value)
    {
        bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& U16(std::uint32_t value) { return U8(value).U8(value >> 8); }
    ByteWriter& U32(std::uint32_t value) { return U16(value).U16(value >> 16); }
    ByteWriter& Bytes(std::initializer_list<std::uint8_t> values)
    {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    ByteWriter& Zeros(std::size_t count)
    {
        bytes.resize(bytes.size() + count);
        return *this;
    }

    std::string Text() const { return std::string(bytes.begin(), bytes.end()); }

    std::vector<std::uint8_t> bytes;
};
