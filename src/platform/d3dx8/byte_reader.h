#pragma once
// Little-endian reads from a file held in memory. A read past the end yields
// zero and marks the reader failed, so a decoder checks once, after a header.

#include <cstddef>
#include <cstdint>
#include <span>

namespace d3dx {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : bytes(bytes), position(position <= bytes.size() ? position : bytes.size()),
          failed(position > bytes.size())
    {
    }

    std::uint8_t U8() { return static_cast<std::uint8_t>(Read(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Read(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Read(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    // Moves to an absolute offset; past the end fails.
    void Seek(std::uint64_t offset)
    {
        if (offset > bytes.size()) {
            failed = true;
            offset = bytes.size();
        }
        position = static_cast<std::size_t>(offset);
    }
    void Skip(std::uint64_t count) { Seek(position + count); }

    std::size_t Position() const { return position; }
    std::size_t Remaining() const { return bytes.size() - position; }
    bool Failed() const { return failed; }

private:
    std::uint64_t Read(std::size_t count)
    {
        if (Remaining() < count) {
            failed = true;
            position = bytes.size();
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; i++) {
            value |= std::uint64_t{bytes[position + i]} << (8 * i);
        }
        position += count;
        return value;
    }

    std::span<const std::uint8_t> bytes;
    std::size_t position;
    bool failed;
};

} // namespace d3dx
