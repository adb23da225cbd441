#pragma once
// What the GDI handles point at: device contexts, bitmaps and fonts, kept in
// one table of live objects so that every call can check the handle it gets.
// The system draws its text on one thread; the table is not locked.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi.h"

struct GdiObject {
    virtual ~GdiObject() = default;
    int selections = 0; // DCs it is selected into
    bool stock = false; // owned by GDI, never deleted
};

// A DIB section: 32-bit pixels 0x00RRGGBB (blue first in memory).
struct Bitmap final : GdiObject {
    Bitmap(int width, int height, bool topDown);
    std::uint32_t* Row(int y) { return &pixels[static_cast<std::size_t>(topDown ? y : height - 1 - y) * width]; }

    int width;
    int height;
    bool topDown;
    std::vector<std::uint32_t> pixels;
};

// A logical font; the stock font has no face and cannot draw.
struct Font final : GdiObject {
    std::unique_ptr<FontFace> face;
};

struct DeviceContext final : GdiObject {
    Bitmap* bitmap;
    Font* font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backgroundColor = RGB(255, 255, 255);
};

// Takes ownership and returns the handle.
void* AddGdiObject(std::unique_ptr<GdiObject> object);
// Destroys the object behind a handle.
void RemoveGdiObject(const void* handle);

// The live object of that kind behind a handle, or null.
template <typename Object> Object* FindGdiObject(const void* handle);

extern template Bitmap* FindGdiObject<Bitmap>(const void*);
extern template Font* FindGdiObject<Font>(const void*);
extern template DeviceContext* FindGdiObject<DeviceContext>(const void*);

// The objects a new memory DC starts with.
Bitmap* StockBitmap();
Font* StockFont();
