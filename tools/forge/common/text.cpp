#include "forge/common/text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

struct Font::Library {
    FT_Library freetype = nullptr;
    FT_Face face = nullptr;
    ~Library()
    {
        if (face != nullptr) FT_Done_Face(face);
        if (freetype != nullptr) FT_Done_FreeType(freetype);
    }
};

namespace {

std::string FindFontFile(const std::string& pattern)
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        throw std::runtime_error("fontconfig cannot load its configuration");
    }
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(config, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, query, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(query);
    FcConfigDestroy(config);
    if (file.empty()) {
        throw std::runtime_error("no font matches \"" + pattern + "\" (install fonts-liberation2)");
    }
    return file;
}

} // namespace

Font::Font(const std::string& pattern) : library(std::make_unique<Library>()), file(FindFontFile(pattern))
{
    if (FT_Init_FreeType(&library->freetype) != 0 || FT_New_Face(library->freetype, file.c_str(), 0, &library->face) != 0) {
        throw std::runtime_error("FreeType cannot open " + file);
    }
}

Font::~Font() = default;

float Font::Measure(const std::string& text, int pixelSize, float tracking) const
{
    FT_Face face = library->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    float advance = 0;
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, c);
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            advance += static_cast<float>(kerning.x) / 64.0f;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING) == 0) {
            advance += static_cast<float>(face->glyph->advance.x) / 64.0f + tracking;
        }
        previous = glyph;
    }
    return advance - (text.empty() ? 0 : tracking);
}

void Font::Draw(Image& mask, float x, float baseline, const std::string& text, int pixelSize, float tracking) const
{
    FT_Face face = library->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    float penX = x;
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, c);
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            penX += static_cast<float>(kerning.x) / 64.0f;
        }
        previous = glyph;
        // Sub-pixel placement: shift the outline by the pen's fraction.
        const float whole = std::floor(penX);
        FT_Vector shift{static_cast<FT_Pos>(std::lround((penX - whole) * 64.0f)), 0};
        FT_Set_Transform(face, nullptr, &shift);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = static_cast<int>(whole) + slot->bitmap_left;
        const int top = static_cast<int>(std::lround(baseline)) - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int px = left + static_cast<int>(column), py = top + static_cast<int>(row);
                if (px < 0 || py < 0 || px >= mask.Width() || py >= mask.Height()) continue;
                const float coverage = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column] / 255.0f;
                float& value = mask.At(px, py);
                value = value + coverage - value * coverage;
            }
        }
        penX += static_cast<float>(slot->advance.x) / 64.0f + tracking;
    }
    FT_Set_Transform(face, nullptr, nullptr);
}

float Font::CapHeight(int pixelSize) const
{
    FT_Face face = library->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    if (FT_Load_Char(face, 'H', FT_LOAD_NO_HINTING) != 0) {
        return static_cast<float>(pixelSize) * 0.7f;
    }
    return static_cast<float>(face->glyph->metrics.horiBearingY) / 64.0f;
}

const Font& BoldFont()
{
    static const Font font("Liberation Sans:bold");
    return font;
}

const Font& RegularFont()
{
    static const Font font("Liberation Sans");
    return font;
}
