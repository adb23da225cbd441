#include "platform/d3d8/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

bool WriteRows(const char* path, const PresentedFrame& frame, bool withAlpha)
{
    if (frame.rgba == nullptr || frame.width <= 0 || frame.height <= 0) return false;
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // What the screen shows is the colour; the back buffer's alpha is left
    // over from blending and is dropped.
    if (!withAlpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int row = 0; row < frame.height; ++row) {
        png_write_row(png, frame.rgba + static_cast<size_t>(row) * frame.width * 4);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace

bool WritePng(const char* path, const PresentedFrame& frame) { return WriteRows(path, frame, false); }

bool WritePngWithAlpha(const char* path, const PresentedFrame& frame) { return WriteRows(path, frame, true); }
