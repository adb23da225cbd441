#pragma once
// Every picture the show reads: its file (relative to the show directory,
// with '/') and the maker that draws it, in a fixed order.

#include <string>
#include <vector>

#include "forge/common/image.h"

struct PictureEntry {
    std::string file;
    Image (*make)();
};

const std::vector<PictureEntry>& PictureCatalogue();

// Writes every picture under `outdir`; false with a message on the first
// failure. Throws nothing.
bool WritePictures(const std::string& outdir, std::string& error);
