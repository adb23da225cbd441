// The sign files: the matrix reads each sign as 4 rows of 5 integers; the
// large table holds the same signs as 30 rows of 40 decimals (0.00 to 1.00),
// each square a rounded dot.

#include <cmath>
#include <cstdio>

#include "forge/ini/ini_files.h"
#include "forge/ini/signs.h"

std::string Znaki2Ini()
{
    // No comment lines: the line after the count and after each sign's four
    // rows is read as that sign's title, whatever it holds.
    std::string text = std::to_string(kSigns.size()) + "\n";
    for (const Sign& sign : kSigns) {
        text += std::string("sign ") + sign.title + "\n";
        for (const auto& row : sign.rows) {
            for (size_t column = 0; column < row.size(); ++column) {
                text += (column == 0 ? "" : " ") + std::to_string(row[column]);
            }
            text += "\n";
        }
    }
    return text;
}

std::string ZnakiIni()
{
    constexpr int kColumns = 40, kRows = 30;
    constexpr float kCellWidth = kColumns / 5.0f, kCellHeight = kRows / 4.0f;
    std::string text = std::to_string(kSigns.size()) + "\n";
    for (const Sign& sign : kSigns) {
        text += std::string("sign ") + sign.title + "\n";
        for (int y = 0; y < kRows; ++y) {
            for (int x = 0; x < kColumns; ++x) {
                const float cx = (static_cast<float>(x) + 0.5f) / kCellWidth, cy = (static_cast<float>(y) + 0.5f) / kCellHeight;
                const int column = static_cast<int>(cx), row = static_cast<int>(cy);
                const float dx = (cx - static_cast<float>(column) - 0.5f) * kCellWidth;
                const float dy = (cy - static_cast<float>(row) - 0.5f) * kCellHeight;
                const float dot = std::fmax(0.0f, std::fmin(1.0f, 3.2f - std::hypot(dx, dy)));
                const float value = dot * static_cast<float>(sign.rows[static_cast<size_t>(row)][static_cast<size_t>(column)]) / 5.0f;
                char number[16];
                std::snprintf(number, sizeof number, "%s%.2f", x == 0 ? "" : " ", value);
                text += number;
            }
            text += "\n";
        }
    }
    return text;
}
