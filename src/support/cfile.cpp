#include "support/cfile.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32/file_path.h"
#include "support/log.h"

namespace {

// The six modes in the order they are matched, with the word the log shows.
struct ModeWord {
    const char* mode;
    const char* word;
};
constexpr ModeWord modeWords[] = {
    {WRITE_BIN, "WRITE_BIN\n"}, {WRITE_TXT, "WRITE_TXT\n"},   {READ_BIN, "READ_BIN\n"},
    {READ_TXT, "READ_TXT\n"},   {ATTACH_BIN, "ATTACH_BIN\n"}, {ATTACH_TXT, "ATTACH_TXT\n"},
};

} // namespace

// No resource-library format exists and nothing ever fills one, so the
// library is an empty directory: every read open is reported as not found
// there and falls through to the file system.
FILE* LibraryOpen(const char* name, const char* mode)
{
    if (mode[0] != 'w') {
        if (g_log) g_log->Print("file %s not found in library!\n", name);
    }
    FILE* stream = OpenWindowsFile(name, mode);
    if (stream == nullptr) {
        if (g_log) g_log->Print("file %s not found!\n", name);
        std::fprintf(stderr, "rewind: cannot open the data file \"%s\"\n", NativeFileName(name).c_str());
        std::exit(0);
    }
    return stream;
}

void cfile::Open(const char* name, const char* mode)
{
    handle = LibraryOpen(name, mode);
    if (g_log) g_log->Print("cfile: attempting to open file %s in mode ", name);
    for (const ModeWord& entry : modeWords) {
        if (std::strcmp(mode, entry.mode) == 0) {
            if (g_log) g_log->Print("%s", entry.word);
            break;
        }
    }
}

void cfile::Close()
{
    if (handle != nullptr) {
        std::fclose(handle);
        handle = nullptr;
        if (g_log) g_log->Print("cfile: close action was succesfull\n");
    } else {
        if (g_log) g_log->Print("cfile: couldn't close file!\n");
    }
}

void cfile::Skip(long byteCount)
{
    if (handle != nullptr) {
        std::fseek(handle, byteCount, SEEK_CUR);
    }
}

std::uint32_t cfile::ReadInt()
{
    unsigned char bytes[4] = {};
    if (handle != nullptr) {
        std::fread(bytes, 1, sizeof bytes, handle);
    }
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

float cfile::ReadFloat()
{
    std::uint32_t bits = ReadInt();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
