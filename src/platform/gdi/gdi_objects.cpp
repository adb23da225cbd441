#include "platform/gdi/gdi_objects.h"

#include <map>

namespace {

std::map<const void*, std::unique_ptr<GdiObject>>& LiveObjects()
{
    static std::map<const void*, std::unique_ptr<GdiObject>> objects;
    return objects;
}

GdiObject* AddStock(std::unique_ptr<GdiObject> object)
{
    object->stock = true;
    return static_cast<GdiObject*>(AddGdiObject(std::move(object)));
}

} // namespace

Bitmap::Bitmap(int newWidth, int newHeight, bool newTopDown)
    : width(newWidth), height(newHeight), topDown(newTopDown), pixels(static_cast<std::size_t>(newWidth) * newHeight, 0)
{
}

void* AddGdiObject(std::unique_ptr<GdiObject> object)
{
    GdiObject* handle = object.get();
    LiveObjects().emplace(handle, std::move(object));
    return handle;
}

void RemoveGdiObject(const void* handle)
{
    LiveObjects().erase(handle);
}

template <typename Object> Object* FindGdiObject(const void* handle)
{
    const auto found = LiveObjects().find(handle);
    return found == LiveObjects().end() ? nullptr : dynamic_cast<Object*>(found->second.get());
}

template Bitmap* FindGdiObject<Bitmap>(const void*);
template Font* FindGdiObject<Font>(const void*);
template DeviceContext* FindGdiObject<DeviceContext>(const void*);

// A memory DC starts with a 1x1 bitmap, as in Windows (there it is monochrome).
Bitmap* StockBitmap()
{
    static auto* bitmap = static_cast<Bitmap*>(AddStock(std::make_unique<Bitmap>(1, 1, true)));
    return bitmap;
}

// Windows' stock System font is not rasterised here: text needs a font the
// caller created.
Font* StockFont()
{
    static auto* font = static_cast<Font*>(AddStock(std::make_unique<Font>()));
    return font;
}

// Windows: "If the specified handle is not valid or is currently selected
// into a DC, the return value is zero." Stock objects survive, and deleting
// one is harmless.
BOOL DeleteObject(HGDIOBJ handle)
{
    GdiObject* object = FindGdiObject<Bitmap>(handle);
    if (object == nullptr) object = FindGdiObject<Font>(handle);
    if (object == nullptr || object->selections > 0) return FALSE;
    if (!object->stock) RemoveGdiObject(handle);
    return TRUE;
}
