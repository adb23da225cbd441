#include "support/ini_file.h"

#include <climits>
#include <cstring>

#include "platform/win32/file_path.h"
#include "support/log.h"
#include "support/logging_allocator.h"

namespace {

bool IsDigits(const char* text)
{
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') {
            return false;
        }
    }
    return true;
}

// atoi of a digits-only token. Values past the 32-bit range saturate, as the
// Windows C runtime's atoi does, instead of being undefined.
std::int32_t DigitsToInt(const char* digits)
{
    std::int64_t value = 0;
    for (; *digits != '\0'; ++digits) {
        value = value * 10 + (*digits - '0');
        if (value > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

cIniFile::cIniFile()
    : lineRead(static_cast<char*>(Malloc(lineSize))), line(static_cast<char*>(Malloc(lineSize))),
      token(static_cast<char*>(Malloc(lineSize))), scratch(static_cast<char*>(Malloc(lineSize)))
{
}

cIniFile::~cIniFile()
{
    if (isOpen) {
        Close();
    }
    ReleaseStrings();
    Free(lineRead);
    Free(line);
    Free(token);
    Free(scratch);
}

bool cIniFile::Open(const char* fileName)
{
    if (isOpen) {
        if (g_log) g_log->Print("this ini is already open!\n");
        return false;
    }
    file = OpenWindowsFile(fileName, "rt");
    if (file == nullptr) {
        if (g_log) g_log->Print("unable to open inifile %s\n", fileName != nullptr ? fileName : "(null)");
        return false;
    }
    isOpen = true;
    return true;
}

bool cIniFile::Close()
{
    if (!isOpen) {
        if (g_log) g_log->Print("this ini wasn't open!\n");
        return false;
    }
    std::fclose(file);
    file = nullptr;
    isOpen = false;
    if (g_log) g_log->Print(" succesfully closed inifile\n");
    return true;
}

bool cIniFile::Next()
{
    if (!isOpen) {
        if (g_log) g_log->Print("ini not open!\n");
        return false;
    }
    if (!ReadContentLine()) {
        Close();
        if (g_log) g_log->Print(" end of inifile reached.\n");
        return false;
    }
    CollapseBlanks();
    SplitFields();
    if (g_log) g_log->Print("%s\n", line);
    if (g_log) g_log->Print("ILE Parametrow  %d\n", static_cast<int>(fieldCount));

    const std::uint32_t fields = fieldCount;
    ReleaseStrings();
    stringCount = 0;
    intCount = 0;
    fieldCount = 0;
    typeCount = 0;
    for (std::uint32_t field = 0; field < fields; ++field) {
        TypeField(field);
    }
    types[typeCount] = '\0';
    fieldCount = stringCount + intCount;
    return true;
}

bool cIniFile::Matches(const char* typeString) const
{
    if (!isOpen || fieldCount == 0 || typeString == nullptr) {
        return false;
    }
    return std::strlen(typeString) == typeCount && std::strcmp(typeString, types) == 0;
}

// Reads lines until one holds a record, leaving it in `lineRead` and `line`
// without its line end and trailing blanks. A line longer than the buffer is
// read in pieces, each piece a line of its own. A NUL byte ends a line's text.
//
// Only a real line end is removed (a last line without one keeps its last
// character), and lines that are empty or blank are skipped like comments:
// a blank line in a file that is read record by record must not shift the
// records after it.
bool cIniFile::ReadContentLine()
{
    for (;;) {
        if (std::fgets(lineRead, static_cast<int>(lineSize), file) == nullptr) {
            return false;
        }
        size_t length = std::strlen(lineRead);
        if (length > 0 && lineRead[length - 1] == '\n') {
            lineRead[--length] = '\0';
            if (length > 0 && lineRead[length - 1] == '\r') {
                lineRead[--length] = '\0';
            }
        }
        if (lineRead[0] == '#' || lineRead[0] == ';') {
            continue;
        }
        std::memcpy(line, lineRead, length + 1);
        while (length > 0 && line[length - 1] == ' ') {
            line[--length] = '\0';
        }
        if (length > 0) {
            return true;
        }
    }
}

void cIniFile::CollapseBlanks()
{
    size_t out = 0;
    for (size_t in = 0; line[in] != '\0'; ++in) {
        if (line[in] == ' ' && in > 0 && line[in - 1] == ' ') {
            continue;
        }
        scratch[out++] = line[in];
    }
    scratch[out] = '\0';
    std::memcpy(line, scratch, out + 1);
}

// Fields beyond the 128th are dropped with the rest of their line.
void cIniFile::SplitFields()
{
    fieldStart[0] = 0;
    fieldCount = 1;
    for (std::uint32_t offset = 0; line[offset] != '\0'; ++offset) {
        if (line[offset] != ' ') {
            continue;
        }
        if (fieldCount == maxFields) {
            line[offset] = '\0';
            break;
        }
        fieldStart[fieldCount++] = offset + 1;
    }
}

void cIniFile::ReleaseStrings()
{
    for (std::uint32_t index = 0; index < stringCount; ++index) {
        Free(strings[index]);
        strings[index] = nullptr;
    }
}

void cIniFile::TypeField(std::uint32_t field)
{
    std::memset(token, 0, lineSize);
    const char* start = line + fieldStart[field];
    size_t length = std::strcspn(start, " ");
    std::memcpy(token, start, length);

    if (IsDigits(token)) {
        ints[intCount++] = DigitsToInt(token);
        types[typeCount++] = 'd';
    } else {
        strings[stringCount++] = strdup(token);
        types[typeCount++] = 's';
    }
}
