#pragma once
// A review sheet: every generated picture as a labelled thumbnail on one PNG.

#include <string>

bool WriteContactSheet(const std::string& pngPath, std::string& error);
