#include "effects/ini_numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "support/ini_file.h"

bool FieldNumber(const cIniFile& ini, std::uint32_t field, double* value)
{
    if (field >= ini.typeCount) {
        return false;
    }
    std::uint32_t strings = 0;
    for (std::uint32_t k = 0; k < field; ++k) {
        strings += ini.types[k] == 's' ? 1u : 0u;
    }
    if (ini.types[field] == 'd') {
        *value = ini.ints[field - strings];
        return true;
    }
    const char* text = ini.strings[strings];
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    // Past a float's largest value, narrowing to float would be undefined.
    if (end == text || *end != '\0' || !(std::fabs(number) <= std::numeric_limits<float>::max())) {
        return false;
    }
    *value = number;
    return true;
}
