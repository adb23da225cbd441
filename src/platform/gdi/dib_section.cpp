#include <cstdint>

#include "platform/gdi/gdi_objects.h"

namespace {

// Larger sections are refused instead of exhausting memory.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

} // namespace

// Only the form the system uses: 32 bits per pixel, BI_RGB, colours given
// directly, memory allocated here (no file mapping). A negative height makes
// the rows run top-down. The pixels start at zero, as a fresh section does.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits != nullptr) *bits = nullptr;
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const std::int64_t width = header.biWidth;
    const std::int64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || width <= 0 || height <= 0 || width * height > kMaxPixels) {
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>(static_cast<int>(width), static_cast<int>(height), header.biHeight < 0);
    void* pixels = bitmap->pixels.data();
    HBITMAP handle = static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
    if (bits != nullptr) *bits = pixels;
    return handle;
}
