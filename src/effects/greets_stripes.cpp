#include "effects/greets_stripes.h"

#include <cmath>
#include <cstdint>

#include "effects/ini_numbers.h"
#include "support/ini_file.h"
#include "support/log.h"

namespace {

// The device's largest texture: a cell must lie inside it.
constexpr std::uint64_t largestPicture = 2048;

bool CellFits(std::uint64_t column, std::uint64_t row)
{
    return 128 * (column + 1) <= largestPicture && 31 * row + 30 <= largestPicture;
}

void Refuse(const cIniFile& ini, const char* reason)
{
    if (g_log) g_log->Print("fxgreets : a stripe of greets.ini %s and is ignored: %s\n", reason, ini.line);
}

bool ReadStripe(const cIniFile& ini, GreetsStripe* stripe)
{
    double numbers[5];
    for (std::uint32_t field = 0; field < 5; ++field) {
        if (!FieldNumber(ini, field, &numbers[field])) {
            Refuse(ini, "does not begin with five numbers");
            return false;
        }
    }
    GreetsStripe entry{};
    entry.stripeY = static_cast<float>(numbers[0]);
    entry.length = static_cast<float>(numbers[1]);
    entry.dirX = static_cast<float>(numbers[2]);
    entry.dirY = static_cast<float>(numbers[3]);
    entry.textX = static_cast<float>(numbers[4]);
    const double radians = std::atan2(static_cast<double>(entry.dirY), static_cast<double>(entry.dirX));
    entry.angle = static_cast<float>(radians * 180.0 * 0.31830987732601135);
    entry.slope = entry.dirX / entry.dirY;
    if (!std::isfinite(entry.stripeY) || !std::isfinite(entry.textX) ||
        !std::isfinite(entry.length * entry.length * 0.01f)) {
        Refuse(ini, "has a number out of range");
        return false;
    }

    entry.hasCell = ini.typeCount > 5;
    if (entry.hasCell) {
        if (ini.typeCount < 7 || ini.types[5] != 'd' || ini.types[6] != 'd') {
            Refuse(ini, "has no cell column and row after its five numbers");
            return false;
        }
        double column = 0.0, row = 0.0;
        FieldNumber(ini, 5, &column);
        FieldNumber(ini, 6, &row);
        if (!CellFits(static_cast<std::uint64_t>(column), static_cast<std::uint64_t>(row))) {
            Refuse(ini, "names a cell outside the picture");
            return false;
        }
        // The word slides along the bar's line, which must not be upright.
        if (!std::isfinite(entry.slope)) {
            Refuse(ini, "has a word on an upright bar (dirY 0)");
            return false;
        }
        entry.cellColumn = static_cast<unsigned>(column);
        entry.cellRow = static_cast<unsigned>(row);
    }
    *stripe = entry;
    return true;
}

} // namespace

std::vector<GreetsStripe> ReadGreetsStripes(cIniFile& ini)
{
    std::vector<GreetsStripe> stripes;
    if (!ini.Next()) {
        return stripes;
    }
    if (ini.intCount == 0) {
        if (g_log) g_log->Print("fxgreets : error in greets.ini, the first line holds no count\n");
        return stripes;
    }
    std::uint32_t count = static_cast<std::uint32_t>(ini.ints[0]);
    if (count > kMaxGreetsStripes) {
        if (g_log) g_log->Print("fxgreets : greets.ini promises %u stripes, %u are read\n", count,
                                static_cast<unsigned>(kMaxGreetsStripes));
        count = kMaxGreetsStripes;
    }
    for (std::uint32_t line = 0; line < count; ++line) {
        if (!ini.Next()) {
            if (g_log) g_log->Print("fxgreets : greets.ini ends after %u of %u stripes\n", line, count);
            break;
        }
        GreetsStripe stripe{};
        if (ReadStripe(ini, &stripe)) {
            stripes.push_back(stripe);
        }
    }
    return stripes;
}

RECT GreetsCellSource(const GreetsStripe& stripe)
{
    const LONG column = static_cast<LONG>(stripe.cellColumn);
    const LONG row = static_cast<LONG>(stripe.cellRow);
    return RECT{127 * column, 31 * row, 128 * (column + 1), 31 * row + 30};
}

GreetsPoint GreetsCellCentre(const GreetsStripe& stripe, float e)
{
    const float x = stripe.textX + stripe.dirY - 0.04f * e;
    return GreetsPoint{x, x * stripe.slope + stripe.stripeY - 15.0f};
}
