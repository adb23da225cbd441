#include "forge/common/jpeg_writer.h"

#include <jpeglib.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>

namespace {

constexpr int kQuality = 94;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

} // namespace

std::vector<unsigned char> QuantisedSamples(const Image& image)
{
    std::vector<unsigned char> bytes(image.Values().size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const float v = std::fmin(std::fmax(image.Values()[i], 0.0f), 1.0f);
        bytes[i] = static_cast<unsigned char>(std::lround(v * 255.0f));
    }
    return bytes;
}

bool WriteJpeg(const std::string& path, const Image& image, std::string& error)
{
    std::vector<unsigned char> samples = QuantisedSamples(image);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + path;
        return false;
    }

    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        error = std::string("JPEG encoder: ") + errors.message + " (" + path + ")";
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.Width());
    info.image_height = static_cast<JDIMENSION>(image.Height());
    info.input_components = image.Channels();
    info.in_color_space = image.IsGrey() ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Channels());
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = samples.data() + info.next_scanline * stride;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fclose(file) != 0) {
        error = "cannot finish writing " + path;
        return false;
    }
    return true;
}
