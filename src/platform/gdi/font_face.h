#pragma once
// One font face at one size, as GDI's font mapper would give it: the face
// fontconfig matches for a name, weight and slant, loaded by FreeType, with
// Windows' cell metrics and anti-aliased glyph images.

#include <memory>

struct FT_FaceRec_;
struct FT_LibraryRec_;

// A glyph's coverage (0..255 per pixel), placed relative to the pen on the
// baseline: its top-left pixel is `left` to the right of the pen and `top`
// rows above the baseline.
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int pitch = 0;
    const unsigned char* coverage = nullptr;
};

class FontFace {
public:
    // Null when no face matches or FreeType cannot load it. `weight` is a
    // Windows weight (100..900, 0 for normal); `height` as a LOGFONT's height:
    // negative for the character (em) height in pixels, positive for the cell
    // height, 0 for a default size.
    static std::unique_ptr<FontFace> Open(const char* family, int weight, bool italic, int height);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The cell: ascent above the baseline, descent below, in whole pixels.
    int Ascent() const { return ascent; }
    int Descent() const { return descent; }
    int CellHeight() const { return ascent + descent; }

    // The advance width of a character in whole pixels.
    int Advance(char32_t character);
    // Renders a character; the image stays valid until the next call. False
    // when FreeType cannot render it.
    bool Render(char32_t character, GlyphImage* image);

private:
    FontFace(std::shared_ptr<FT_LibraryRec_> library, FT_FaceRec_* face);
    bool SetHeight(int height);

    std::shared_ptr<FT_LibraryRec_> library;
    FT_FaceRec_* face;
    int ascent = 0;
    int descent = 0;
};
