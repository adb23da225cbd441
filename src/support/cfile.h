#pragma once
// Binary file access for the object loaders, through the resource-library
// hook `LibraryOpen`.

#include <cstdint>
#include <cstdio>

// C mode strings for cfile::Open.
inline constexpr const char* WRITE_BIN = "wb";
inline constexpr const char* WRITE_TXT = "wt";
inline constexpr const char* READ_BIN = "rb";
inline constexpr const char* READ_TXT = "rt";
inline constexpr const char* ATTACH_BIN = "ab";
inline constexpr const char* ATTACH_TXT = "at";

// Opens a data file: a member of the resource library if it holds one by that
// name, else the file itself. A file that cannot be opened ends the program
// with exit code 0.
FILE* LibraryOpen(const char* name, const char* mode);

class cfile {
public:
    // Always yields an open stream: LibraryOpen ends the program otherwise.
    void Open(const char* name, const char* mode);
    void Close();

    // Moves the read position forward from where it is.
    void Skip(long byteCount);

    // Little-endian reads. Bytes past the end of the file read as zero.
    std::uint32_t ReadInt();
    float ReadFloat();

    FILE* handle = nullptr;
};
