// Feeds arbitrary bytes to the INI reader as a file and reads every record:
// each field must lie inside the record, and the reader must end.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/rewind-ini-fuzz-" + std::to_string(::getpid()) + ".ini";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    cIniFile ini;
    if (!ini.Open(path.c_str())) return 0;
    std::size_t records = 0;
    while (ini.Next()) {
        // Every line holds at most one record: more records than bytes means the reader is not moving on.
        if (++records > size + 1) __builtin_trap();
        if (ini.fieldCount > cIniFile::maxFields || ini.stringCount + ini.intCount > ini.fieldCount) __builtin_trap();
        for (std::uint32_t i = 0; i < ini.stringCount; ++i) {
            if (ini.strings[i] == nullptr || std::strlen(ini.strings[i]) >= cIniFile::lineSize) __builtin_trap();
        }
        ini.Matches("volume");
    }
    return 0;
}
