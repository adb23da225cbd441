#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/d3dx8/image_decoding.h"

namespace d3dx {

namespace {

// Progressive files can hold any number of scans, each a full pass over the
// picture; a hostile one would decode for hours. Real encoders write about ten.
constexpr int kMaxScans = 1000;
constexpr long kMaxDecoderMemory = 512L << 20;

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to Decode, whose frame holds nothing that needs destroying.
class JpegDecoder {
public:
    JpegDecoder()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = &ErrorExit;
        errors.base.emit_message = &EmitMessage;
        errors.base.output_message = [](j_common_ptr) {};
        progress.progress_monitor = &LimitScans;
    }

    std::optional<Image> Decode(FileBytes file)
    {
        if (setjmp(errors.jump) != 0) {
            jpeg_destroy_decompress(&info);
            return std::nullopt;
        }
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMaxDecoderMemory;
        info.progress = &progress;
        jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&info, TRUE);
        if (!ImageSizeAllowed(info.image_width, info.image_height)) {
            jpeg_destroy_decompress(&info);
            return std::nullopt;
        }
        info.out_color_space = JCS_RGB; // grey pictures are expanded to three equal channels
        jpeg_start_decompress(&info);
        image = Image(info.output_width, info.output_height);
        row.resize(std::size_t{info.output_width} * 3);
        while (info.output_scanline < info.output_height) {
            const UINT y = info.output_scanline;
            JSAMPROW rows[] = {row.data()};
            jpeg_read_scanlines(&info, rows, 1);
            for (UINT x = 0; x < image.width; x++) {
                image.At(x, y) = PackArgb(0xFF, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
            }
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        return std::move(image);
    }

private:
    struct ErrorManager {
        jpeg_error_mgr base;
        std::jmp_buf jump;
    };

    [[noreturn]] static void ErrorExit(j_common_ptr common)
    {
        std::longjmp(reinterpret_cast<ErrorManager*>(common->err)->jump, 1);
    }

    // Warnings are tolerated except running out of data: libjpeg would pad a
    // truncated file with grey and call it a picture.
    static void EmitMessage(j_common_ptr common, int level)
    {
        if (level < 0 && common->err->msg_code == JWRN_JPEG_EOF) {
            ErrorExit(common);
        }
    }

    static void LimitScans(j_common_ptr common)
    {
        const auto* decompress = reinterpret_cast<j_decompress_ptr>(common);
        if (decompress->input_scan_number > kMaxScans) {
            ErrorExit(common);
        }
    }

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    Image image;
    std::vector<JSAMPLE> row;
};

} // namespace

std::optional<Image> DecodeJpeg(FileBytes file)
{
    JpegDecoder decoder;
    return decoder.Decode(file);
}

} // namespace d3dx
