#include <cstring>

#include "platform/gdi/gdi_objects.h"

// The face is matched and loaded here rather than when the font is first
// used, so a font that cannot be drawn fails at once. Character set,
// precisions and pitch are hints to the font mapper, as in Windows; every
// quality draws anti-aliased. Stretched, rotated, underlined or struck-out
// fonts are not drawn here and are refused.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName)
{
    if (width != 0 || escapement != 0 || orientation != 0 || underline != 0 || strikeOut != 0) return nullptr;
    // Windows weights run from 0 to 1000; a face name fits LOGFONT's 32 characters.
    if (weight < 0 || weight > 1000) return nullptr;
    if (faceName != nullptr && strnlen(faceName, LF_FACESIZE) >= LF_FACESIZE) return nullptr;

    auto font = std::make_unique<Font>();
    font->face = FontFace::Open(faceName, weight, italic != 0, height);
    if (font->face == nullptr) return nullptr;
    return static_cast<HFONT>(AddGdiObject(std::move(font)));
}
