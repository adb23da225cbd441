#pragma once
// JPEG files written by the tests with libjpeg: quality 100 and no chroma
// subsampling, so flat 8x8 blocks come back within a step or two.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

using Sample = std::vector<std::uint8_t>; // {r, g, b}, or {grey} for a grey-scale file

// Pixel (x, y), top row first, is `pixel(x, y)`; every sample has `components` values.
inline std::string EncodeJpeg(int width, int height, int components, const std::function<Sample(int, int)>& pixel)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row;
    while (info.next_scanline < info.image_height) {
        row.clear();
        for (int x = 0; x < width; x++) {
            const Sample sample = pixel(x, int(info.next_scanline));
            row.insert(row.end(), sample.begin(), sample.end());
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string file(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return file;
}

inline std::string SolidJpeg(int width, int height, const Sample& colour)
{
    return EncodeJpeg(width, height, int(colour.size()), [&](int, int) { return colour; });
}
