#include "platform/gdi/font_match.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

bool MatchFontFile(const char* family, int weight, bool italic, FontFile* file)
{
    // fontconfig keeps its configuration and caches until FcFini; they go
    // back at exit, when nothing matches fonts any more.
    [[maybe_unused]] static const bool finishedAtExit = std::atexit(FcFini) == 0;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    // No name: fontconfig's default face, as Windows picks its own.
    FcPatternAddString(
        pattern, FC_FAMILY,
        reinterpret_cast<const FcChar8*>(family != nullptr && family[0] != '\0' ? family : "sans-serif"));
    // Windows weights are OpenType's usWeightClass values; 0 means normal.
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight == 0 ? 400 : weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;

    FcChar8* path = nullptr;
    int index = 0;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        file->path = reinterpret_cast<const char*>(path);
        file->index = index;
    }
    FcPatternDestroy(match);
    return found;
}
