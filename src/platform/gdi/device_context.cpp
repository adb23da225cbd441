#include "platform/gdi/gdi_objects.h"

namespace {

// The screen's resolution as Windows reports it at 100 % scaling.
constexpr int kPixelsPerInch = 96;

void* HandleOf(GdiObject* object)
{
    return object;
}

// Moves a selection from one object to another; stock objects are shared by
// every DC and not counted.
template <typename Object> void Reselect(Object*& slot, Object* object)
{
    if (!slot->stock) --slot->selections;
    if (!object->stock) ++object->selections;
    slot = object;
}

} // namespace

// Every DC here is a memory DC; the reference DC only names the device, of
// which there is one.
HDC CreateCompatibleDC(HDC)
{
    auto dc = std::make_unique<DeviceContext>();
    dc->bitmap = StockBitmap();
    dc->font = StockFont();
    return static_cast<HDC>(AddGdiObject(std::move(dc)));
}

// The objects selected into the DC outlive it; the caller deletes them.
BOOL DeleteDC(HDC handle)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr) return FALSE;
    Reselect(dc->bitmap, StockBitmap());
    Reselect(dc->font, StockFont());
    RemoveGdiObject(handle);
    return TRUE;
}

// Returns the object of the same kind it replaces. Windows selects a bitmap
// into one DC at a time and fails with null otherwise.
HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr) return nullptr;
    if (Bitmap* bitmap = FindGdiObject<Bitmap>(object)) {
        if (bitmap != dc->bitmap && !bitmap->stock && bitmap->selections > 0) return nullptr;
        void* previous = HandleOf(dc->bitmap);
        Reselect(dc->bitmap, bitmap);
        return previous;
    }
    if (Font* font = FindGdiObject<Font>(object)) {
        void* previous = HandleOf(dc->font);
        Reselect(dc->font, font);
        return previous;
    }
    return nullptr;
}

// Only MM_TEXT, one logical unit per pixel with y growing downwards, is
// drawn here; it is also every DC's initial mode.
int SetMapMode(HDC handle, int mode)
{
    if (FindGdiObject<DeviceContext>(handle) == nullptr || mode != MM_TEXT) return 0;
    return MM_TEXT;
}

int GetDeviceCaps(HDC handle, int index)
{
    if (FindGdiObject<DeviceContext>(handle) == nullptr) return 0;
    return index == LOGPIXELSX || index == LOGPIXELSY ? kPixelsPerInch : 0;
}

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->textColor;
    dc->textColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = FindGdiObject<DeviceContext>(handle);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->backgroundColor;
    dc->backgroundColor = color & 0x00FFFFFF;
    return previous;
}

// Text is placed by the top-left corner of its cell, the initial alignment;
// other alignments are refused rather than drawn in the wrong place.
UINT SetTextAlign(HDC handle, UINT align)
{
    if (FindGdiObject<DeviceContext>(handle) == nullptr || align != (TA_TOP | TA_LEFT | TA_NOUPDATECP)) {
        return GDI_ERROR;
    }
    return TA_TOP | TA_LEFT | TA_NOUPDATECP;
}
