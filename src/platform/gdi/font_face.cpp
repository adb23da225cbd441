#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

#include "platform/gdi/font_match.h"

namespace {

// A height of 0 asks for a default size: 12 points at 96 dots per inch.
constexpr double kDefaultEmPixels = 16.0;

// Hinted, anti-aliased: what GDI's ANTIALIASED_QUALITY draws from TrueType
// outlines. Hinted advances come out in whole pixels.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_NORMAL;

// One FreeType library for all open faces; it goes with the last face.
std::shared_ptr<FT_LibraryRec_> SharedLibrary()
{
    static std::weak_ptr<FT_LibraryRec_> shared;
    if (std::shared_ptr<FT_LibraryRec_> library = shared.lock()) return library;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) return nullptr;
    std::shared_ptr<FT_LibraryRec_> library(raw, FT_Done_FreeType);
    shared = library;
    return library;
}

} // namespace

std::unique_ptr<FontFace> FontFace::Open(const char* family, int weight, bool italic, int height)
{
    FontFile file;
    if (!MatchFontFile(family, weight, italic, &file)) return nullptr;
    std::shared_ptr<FT_LibraryRec_> library = SharedLibrary();
    FT_Face face = nullptr;
    if (library == nullptr || FT_New_Face(library.get(), file.path.c_str(), file.index, &face) != 0) return nullptr;
    std::unique_ptr<FontFace> opened(new FontFace(std::move(library), face));
    if (!FT_IS_SCALABLE(face) || !opened->SetHeight(height)) return nullptr;
    return opened;
}

FontFace::FontFace(std::shared_ptr<FT_LibraryRec_> newLibrary, FT_FaceRec_* newFace)
    : library(std::move(newLibrary)), face(newFace)
{
}

FontFace::~FontFace()
{
    FT_Done_Face(face);
}

// Windows takes a TrueType font's cell from its OS/2 table: usWinAscent
// above the baseline and usWinDescent below (OpenType's description of the
// OS/2 table). A LOGFONT height below 0 is the em height, the cell height
// minus the internal leading; above 0 it is the cell height itself.
bool FontFace::SetHeight(int height)
{
    double cellAscent = face->ascender;
    double cellDescent = -face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscent = os2->usWinAscent;
        cellDescent = os2->usWinDescent;
    }
    const double unitsPerEm = face->units_per_EM;
    const double emPixels = height < 0    ? -static_cast<double>(height)
                            : height == 0 ? kDefaultEmPixels
                                          : height * unitsPerEm / (cellAscent + cellDescent);
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64.0)), 72, 72) != 0) {
        return false;
    }
    ascent = static_cast<int>(std::lround(cellAscent * emPixels / unitsPerEm));
    descent = height > 0 ? height - ascent : static_cast<int>(std::lround(cellDescent * emPixels / unitsPerEm));
    return true;
}

int FontFace::Advance(char32_t character)
{
    if (FT_Load_Char(face, character, kLoadFlags) != 0) return 0;
    return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

bool FontFace::Render(char32_t character, GlyphImage* image)
{
    if (FT_Load_Char(face, character, kLoadFlags | FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool empty = bitmap.rows == 0 || bitmap.width == 0;
    if (!empty && (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0)) return false;
    image->left = slot->bitmap_left;
    image->top = slot->bitmap_top;
    image->width = empty ? 0 : static_cast<int>(bitmap.width);
    image->rows = empty ? 0 : static_cast<int>(bitmap.rows);
    image->pitch = bitmap.pitch;
    image->coverage = bitmap.buffer;
    return true;
}
