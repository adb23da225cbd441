#pragma once
// The program's icon for desktop menus: the rewind sign in the chrome of the
// show's title over a dark rounded square, drawn at any size, with alpha.

#include <string>

constexpr int kSmallestIcon = 16;
constexpr int kLargestIcon = 1024;

// `size` x `size` pixels, kSmallestIcon to kLargestIcon, as an RGBA PNG file.
bool WriteIcon(const std::string& pngPath, int size, std::string& error);
