#pragma once
// Reads small parameter files one record at a time. A record is one line of
// blank-separated fields; each field is typed as an integer (digits only) or a
// string, and the record's type string ("dddddss") tells the caller whether
// the layout is the one it expects.
//
//   cIniFile ini;
//   ini.Open("data\\layer.ini");
//   while (ini.Next()) {
//       if (ini.Matches("dddddss")) { use ini.ints[0..4], ini.strings[0..1] }
//   }
//   ini.Close();

#include <cstdint>
#include <cstdio>

class cIniFile {
public:
    static constexpr std::uint32_t maxFields = 128;
    static constexpr std::uint32_t lineSize = 1024;

    cIniFile();
    ~cIniFile();
    cIniFile(const cIniFile&) = delete;
    cIniFile& operator=(const cIniFile&) = delete;

    bool Open(const char* fileName);
    bool Close();

    // Reads the next record. At the end of the file the reader closes itself
    // and returns false.
    bool Next();

    // True when the reader is open and the current record's type string is
    // exactly `typeString`.
    bool Matches(const char* typeString) const;

    std::uint32_t stringCount = 0;
    std::uint32_t intCount = 0;
    std::uint32_t fieldCount = 0;
    char* strings[maxFields] = {};
    std::int32_t ints[maxFields] = {};

    char* lineRead = nullptr;
    char* line = nullptr;
    char* token = nullptr;
    char* scratch = nullptr;

    char types[maxFields + 1] = {};
    std::uint32_t typeCount = 0;
    std::uint32_t fieldStart[maxFields] = {};

    FILE* file = nullptr;
    bool isOpen = false;

private:
    bool ReadContentLine();
    void CollapseBlanks();
    void SplitFields();
    void ReleaseStrings();
    void TypeField(std::uint32_t field);
};
