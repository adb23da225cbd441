#pragma once
// Reading a scene file: little-endian 32-bit integers and floats, and strings
// of at most 255 bytes ended by a NUL. Every read that finds the end of the
// file, and every string that runs longer, throws mu3d_CException(0).
// Need() lets a reader refuse a count before it allocates for it: the data
// a count announces must be in the file.

#include <cstdint>
#include <cstdio>
#include <string>

class cSceneFileReader {
public:
    explicit cSceneFileReader(std::FILE* file);

    std::uint32_t ReadUInt();
    std::int32_t ReadInt() { return static_cast<std::int32_t>(ReadUInt()); }
    float ReadFloat();
    std::string ReadString();
    void ReadBytes(void* target, std::uint64_t count);

    // Throws code 0 unless at least `count` more bytes remain.
    void Need(std::uint64_t count) const;

    std::uint64_t BytesLeft() const { return left; }

private:
    std::FILE* file;
    std::uint64_t left;
};
