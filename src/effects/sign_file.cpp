#include "effects/sign_file.h"

#include <cstdint>

#include "effects/ini_numbers.h"
#include "support/ini_file.h"
#include "support/log.h"

namespace {

// The number of signs the first line promises, or nothing for a bad line.
bool ReadSignCount(cIniFile& ini, const char* fileName, std::uint32_t* count)
{
    if (!ini.Next() || !ini.Matches("d")) {
        if (g_log) g_log->Print(" znaki : error in %s\n", fileName);
        return false;
    }
    *count = static_cast<std::uint32_t>(ini.ints[0]);
    if (*count > kMaxSigns) {
        if (g_log) g_log->Print("znaki : %s promises %u signs, %u are read\n", fileName, *count,
                                static_cast<unsigned>(kMaxSigns));
        *count = kMaxSigns;
    }
    return true;
}

void ReportShortFile(const char* fileName, std::size_t complete, std::uint32_t promised)
{
    if (g_log) {
        g_log->Print("znaki : %s ends after %u of %u signs\n", fileName, static_cast<unsigned>(complete), promised);
    }
}

// Reads row `row` of a sign from the current record; false, logged, when the
// line does not hold it.
bool ReadRow(const cIniFile& ini, std::uint32_t sign, Sign& entry, unsigned row)
{
    if (ini.intCount < kSignColumns) {
        if (g_log) {
            g_log->Print("znaki : sign %u of znaki2.ini is left out, a row has fewer than 5 values: %s\n", sign,
                         ini.line);
        }
        return false;
    }
    for (unsigned column = 0; column < kSignColumns; ++column) {
        if (ini.ints[column] > 5) {
            if (g_log) {
                g_log->Print("znaki : sign %u of znaki2.ini is left out, a row has a value above 5: %s\n", sign,
                             ini.line);
            }
            return false;
        }
        entry.values[row * kSignColumns + column] = static_cast<float>(ini.ints[column]);
    }
    return true;
}

bool ReadRow(const cIniFile& ini, std::uint32_t sign, DotSign& entry, unsigned row)
{
    for (unsigned column = 0; column < kDotColumns; ++column) {
        double value = 0.0;
        if (!FieldNumber(ini, column, &value)) {
            if (g_log) {
                g_log->Print("znaki : sign %u of znaki.ini is left out, a row does not hold 40 numbers\n", sign);
            }
            return false;
        }
        entry.dots[row][column] = static_cast<float>(value);
    }
    return true;
}

// Reads the promised signs of `rows` lines each after a title line. A refused
// sign still has all its lines read, so that the signs after it keep their
// place in the file.
template <typename Table>
std::vector<Table> ReadTable(cIniFile& ini, const char* fileName, unsigned rows)
{
    std::vector<Table> table;
    std::uint32_t count = 0;
    if (!ReadSignCount(ini, fileName, &count)) {
        return table;
    }
    for (std::uint32_t sign = 0; sign < count; ++sign) {
        if (!ini.Next()) {
            ReportShortFile(fileName, table.size(), count);
            return table;
        }
        Table entry{};
        bool complete = true;
        for (unsigned row = 0; row < rows; ++row) {
            if (!ini.Next()) {
                ReportShortFile(fileName, table.size(), count);
                return table;
            }
            complete = complete && ReadRow(ini, sign, entry, row);
        }
        if (complete) {
            table.push_back(entry);
        }
    }
    return table;
}

} // namespace

std::vector<Sign> ReadSigns(cIniFile& ini)
{
    return ReadTable<Sign>(ini, "znaki2.ini", kSignRows);
}

std::vector<DotSign> ReadDotSigns(cIniFile& ini)
{
    return ReadTable<DotSign>(ini, "znaki.ini", kDotRows);
}
