#pragma once
// Finds the font file for a face name, the way GDI's font mapper finds a
// font for a LOGFONT: fontconfig's best match, with its aliases ("Arial" is
// Liberation Sans when fonts-liberation2 is installed).

#include <string>

struct FontFile {
    std::string path;
    int index = 0; // the face within a collection
};

// `weight` is a Windows weight (0 for normal). False when fontconfig knows no
// scalable font at all.
bool MatchFontFile(const char* family, int weight, bool italic, FontFile* file);
