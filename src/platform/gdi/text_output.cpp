#include <algorithm>
#include <cstdint>

#include "platform/gdi/gdi_objects.h"

namespace {

// Right and bottom are exclusive, as in every GDI rectangle.
struct Box {
    int left, top, right, bottom;
};

Box Intersect(const Box& a, const Box& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The system passes ASCII; bytes above 127 are read as Latin-1.
char32_t CharacterOf(char byte)
{
    return static_cast<unsigned char>(byte);
}

// COLORREF 0x00BBGGRR to a DIB pixel 0x00RRGGBB.
std::uint32_t PixelOf(COLORREF color)
{
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// `over` laid on `under` with coverage 0..255, channel by channel.
std::uint32_t Blend(std::uint32_t under, std::uint32_t over, int coverage)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int from = static_cast<int>((under >> shift) & 0xFF);
        const int to = static_cast<int>((over >> shift) & 0xFF);
        const int channel = from + ((to - from) * coverage + (to >= from ? 127 : -127)) / 255;
        result |= static_cast<std::uint32_t>(channel) << shift;
    }
    return result;
}

void Fill(Bitmap& bitmap, const Box& box, std::uint32_t pixel)
{
    for (int y = box.top; y < box.bottom; ++y) {
        std::fill(bitmap.Row(y) + box.left, bitmap.Row(y) + std::max(box.left, box.right), pixel);
    }
}

void DrawGlyph(Bitmap& bitmap, const Box& clip, const GlyphImage& glyph, int penX, int baselineY, std::uint32_t pixel)
{
    const int left = penX + glyph.left;
    const int top = baselineY - glyph.top;
    const Box drawn = Intersect(clip, {left, top, left + glyph.width, top + glyph.rows});
    for (int y = drawn.top; y < drawn.bottom; ++y) {
        const unsigned char* coverage = glyph.coverage + static_cast<std::ptrdiff_t>(y - top) * glyph.pitch;
        std::uint32_t* row = bitmap.Row(y);
        for (int x = drawn.left; x < drawn.right; ++x) {
            const int amount = coverage[x - left];
            if (amount != 0) row[x] = Blend(row[x], pixel, amount);
        }
    }
}

} // namespace

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, SIZE* size)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr || dc->font->face == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) {
        return FALSE;
    }
    FontFace& face = *dc->font->face;
    LONG width = 0;
    for (int i = 0; i < count; ++i) width += face.Advance(CharacterOf(text[i]));
    size->cx = width;
    size->cy = face.CellHeight();
    return TRUE;
}

// The reference point is the top-left corner of the first character's cell.
// ETO_OPAQUE fills the rectangle, when there is one, with the background
// colour; ETO_CLIPPED keeps the text inside it. Independently of both, the
// character cells are filled with the background colour first, as Windows
// does in its initial background mode, OPAQUE. Glyphs are blended over the
// cells in the text colour by their coverage.
BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr || dc->font->face == nullptr || (text == nullptr && count > 0)) return FALSE;
    FontFace& face = *dc->font->face;
    Bitmap& bitmap = *dc->bitmap;
    const std::uint32_t background = PixelOf(dc->backgroundColor);
    const std::uint32_t foreground = PixelOf(dc->textColor);

    Box clip = {0, 0, bitmap.width, bitmap.height};
    if (rect != nullptr) {
        const Box given = {rect->left, rect->top, rect->right, rect->bottom};
        if (options & ETO_OPAQUE) Fill(bitmap, Intersect(clip, given), background);
        if (options & ETO_CLIPPED) clip = Intersect(clip, given);
    }

    int cellWidth = 0;
    for (UINT i = 0; i < count; ++i) cellWidth += dx != nullptr ? dx[i] : face.Advance(CharacterOf(text[i]));
    Fill(bitmap, Intersect(clip, {x, y, x + cellWidth, y + face.CellHeight()}), background);

    const int baselineY = y + face.Ascent();
    int penX = x;
    for (UINT i = 0; i < count; ++i) {
        const char32_t character = CharacterOf(text[i]);
        GlyphImage glyph;
        if (!face.Render(character, &glyph)) return FALSE;
        DrawGlyph(bitmap, clip, glyph, penX, baselineY, foreground);
        penX += dx != nullptr ? dx[i] : face.Advance(character);
    }
    return TRUE;
}
