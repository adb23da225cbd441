#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/gdi/gdi.h"

namespace {

constexpr std::uint32_t kUntouched = 0x00123456;

HFONT Arial(int height, int weight = FW_BOLD)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
}

BITMAPINFO Header(int width, int height, WORD bits = 32)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// A memory DC with a DIB section filled with kUntouched and a font.
struct Canvas {
    Canvas(int width, int height, HFONT newFont) : width(width), font(newFont)
    {
        dc = CreateCompatibleDC(nullptr);
        const BITMAPINFO info = Header(width, height);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        for (int i = 0; i < width * std::abs(height); ++i) bits[i] = kUntouched;
        SelectObject(dc, bitmap);
        SelectObject(dc, font);
    }
    ~Canvas()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(font);
    }
    SIZE Extent(const char* text, int count) const
    {
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, text, count, &size));
        return size;
    }
    std::uint32_t At(int x, int y) const { return bits[y * width + x]; }

    int width;
    HDC dc;
    HBITMAP bitmap;
    HFONT font;
    std::uint32_t* bits = nullptr;
};

} // namespace

TEST(MulDiv, RoundsToNearestThroughSixtyFourBits)
{
    EXPECT_EQ(MulDiv(32, 96, 72), 43);
    EXPECT_EQ(MulDiv(32, 24, 72), 11);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(7, -1, 2), -4);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

// A negative height is the em height, a positive one the cell height; the
// cell of Arial (or Liberation Sans, with the same metrics) at a 43-pixel em
// is 39 pixels above the baseline and 9 below.
TEST(Font, HeightsAndWeightsMeasureLikeArial)
{
    Canvas byEm(8, 8, Arial(-43));
    Canvas byCell(8, 8, Arial(48));
    Canvas regular(8, 8, Arial(-43, FW_NORMAL));
    EXPECT_EQ(byEm.Extent("x", 1).cy, 48);
    EXPECT_EQ(byCell.Extent("x", 1).cy, 48);
    EXPECT_EQ(byEm.Extent("", 0).cx, 0);

    const SIZE word = byEm.Extent("rewind", 6);
    int sum = 0;
    for (char c : std::string("rewind")) sum += byEm.Extent(&c, 1).cx;
    EXPECT_EQ(word.cx, sum) << "advances add up, unkerned";
    EXPECT_GT(word.cx, regular.Extent("rewind", 6).cx) << "bold is wider";
    EXPECT_EQ(byEm.Extent("0", 1).cx, byEm.Extent("8", 1).cx) << "tabular digits";

    EXPECT_EQ(CreateFontA(-43, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, 0, 0, 0, 0, 0, "Arial"), nullptr)
        << "underlined text is not drawn here";
}

// ETO_OPAQUE with no rectangle: the cell gets the background colour, the
// glyphs the text colour blended by coverage, and nothing outside the cell
// changes.
TEST(Text, FillsTheCellAndBlendsGlyphsInsideIt)
{
    Canvas canvas(96, -64, Arial(-24));
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    EXPECT_EQ(SetTextAlign(canvas.dc, TA_TOP | TA_LEFT), TA_TOP | TA_LEFT);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_TEXT);
    ASSERT_TRUE(ExtTextOutA(canvas.dc, 10, 5, ETO_OPAQUE, nullptr, "Hi", 2, nullptr));
    const SIZE cell = canvas.Extent("Hi", 2);

    int text = 0, background = 0, blended = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 96; ++x) {
            const std::uint32_t pixel = canvas.At(x, y);
            if (x < 10 || y < 5 || x >= 10 + cell.cx || y >= 5 + cell.cy) {
                ASSERT_EQ(pixel, kUntouched) << x << ", " << y;
                continue;
            }
            const int red = pixel >> 16 & 0xFF, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
            ASSERT_EQ(pixel >> 24, 0u);
            ASSERT_EQ(green, 0);
            ASSERT_NEAR(red + blue, 255, 1) << "text over background at " << x << ", " << y;
            text += red == 255;
            background += blue == 255;
            blended += red != 255 && blue != 255;
        }
    }
    EXPECT_GT(text, 60) << "solid stems";
    EXPECT_GT(blended, 10) << "anti-aliased edges";
    EXPECT_GT(background, text);

    // A bottom-up section holds the same picture with its rows reversed.
    Canvas bottomUp(96, 64, Arial(-24));
    SetTextColor(bottomUp.dc, RGB(255, 0, 0));
    SetBkColor(bottomUp.dc, RGB(0, 0, 255));
    ExtTextOutA(bottomUp.dc, 10, 5, ETO_OPAQUE, nullptr, "Hi", 2, nullptr);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 96; ++x) ASSERT_EQ(bottomUp.At(x, 63 - y), canvas.At(x, y)) << x << ", " << y;
    }
}

// Handles are checked: a bitmap lives in one DC at a time, a selected object
// cannot be deleted, a deleted one is no longer accepted.
TEST(Objects, SelectionAndDeletionFollowWindows)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    const BITMAPINFO info = Header(4, -4);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(first, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);

    HGDIOBJ stock = SelectObject(first, bitmap);
    EXPECT_NE(stock, nullptr) << "a new DC holds a stock bitmap";
    EXPECT_EQ(SelectObject(second, bitmap), nullptr) << "already in the first DC";
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    EXPECT_EQ(SelectObject(first, stock), static_cast<HGDIOBJ>(bitmap));
    EXPECT_NE(SelectObject(second, bitmap), nullptr);

    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(second, "a", 1, &size)) << "the stock font does not draw";
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_TRUE(DeleteObject(bitmap)) << "free once its DC is gone";
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteDC(second));
    EXPECT_EQ(SelectObject(first, bitmap), nullptr);
    EXPECT_EQ(SetTextColor(second, 0), CLR_INVALID);
    EXPECT_TRUE(DeleteDC(first));

    for (const BITMAPINFO& refused : {Header(4, 4, 24), Header(0, 4), Header(4, 0)}) {
        int marker = 0;
        bits = &marker;
        EXPECT_EQ(CreateDIBSection(nullptr, &refused, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
}
