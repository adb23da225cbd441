#include "platform/ijl/ijl.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/win32/file_path.h"

// libjpeg's working structures for one record, from ijlInit to ijlFree. Each
// ijlRead creates and destroys the decompressor inside them: libjpeg refuses
// to switch one decompressor between a file source and a memory source.
struct IjlDecoder {
    struct ErrorManager {
        jpeg_error_mgr base;
        std::jmp_buf jump;
        IJLERR code;
    };

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
};

namespace {

// The header alone decides how much memory the caller sets aside for the
// picture, so absurd sizes are refused before anyone allocates.
constexpr JDIMENSION kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;
constexpr long kMaxDecoderMemory = 512L << 20;
// Progressive files can hold any number of scans, each a pass over the whole
// picture; a hostile one would decode for hours. Real encoders write about ten.
constexpr int kMaxScans = 1000;

IJLERR CodeForMessage(int messageCode)
{
    switch (messageCode) {
    case JERR_NO_SOI:
        return IJL_ERR_NOT_JPEG;
    case JERR_INPUT_EMPTY:
    case JWRN_JPEG_EOF:
        return IJL_ERROR_EOF;
    case JERR_OUT_OF_MEMORY:
        return IJL_MEMORY_ERROR;
    case JERR_FILE_READ:
        return IJL_FILE_ERROR;
    case JERR_BAD_HUFF_TABLE:
        return IJL_BAD_HUFFMAN_TABLE;
    case JERR_NO_HUFF_TABLE:
        return IJL_ERR_NO_HUF;
    case JERR_DQT_INDEX:
        return IJL_BAD_QUANT_TABLE;
    case JERR_NO_QUANT_TABLE:
        return IJL_ERR_NO_QUAN;
    case JERR_SOF_UNSUPPORTED:
    case JERR_ARITH_NOTIMPL:
    case JERR_BAD_PRECISION:
    case JERR_IMAGE_TOO_BIG:
        return IJL_UNSUPPORTED_FRAME;
    case JERR_SOF_DUPLICATE:
        return IJL_ERR_MULT_FRAME;
    case JERR_SOS_NO_SOF:
        return IJL_ERR_NO_FRAME;
    case JERR_NO_IMAGE:
        return IJL_ERR_NO_IMAGE;
    case JERR_EMPTY_IMAGE:
        return IJL_ERR_DNL;
    case JERR_BAD_SAMPLING:
        return IJL_UNSUPPORTED_SUBSAMPLING;
    case JERR_BAD_J_COLORSPACE:
    case JERR_CONVERSION_NOTIMPL:
        return IJL_INVALID_JPEG_PROPERTIES;
    default:
        return IJL_ERR_DATA;
    }
}

// error_exit must not return: it jumps back to Decode.
[[noreturn]] void Fail(j_common_ptr common, IJLERR code)
{
    auto* errors = reinterpret_cast<IjlDecoder::ErrorManager*>(common->err);
    errors->code = code;
    std::longjmp(errors->jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr common) { Fail(common, CodeForMessage(common->err->msg_code)); }

// Warnings are tolerated except those about damaged data: libjpeg would pad a
// truncated or garbled file with grey and call it a picture.
void EmitMessage(j_common_ptr common, int level)
{
    if (level >= 0) {
        return;
    }
    switch (common->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
        ErrorExit(common);
    default:
        break;
    }
}

void LimitScans(j_common_ptr common)
{
    if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxScans) {
        Fail(common, IJL_ERR_DATA);
    }
}

bool SizeAllowed(JDIMENSION width, JDIMENSION height)
{
    return width <= kMaxSide && height <= kMaxSide && std::uint64_t{width} * height <= kMaxPixels;
}

IJL_COLOR ColorOf(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_GRAYSCALE:
        return IJL_G;
    case JCS_RGB:
        return IJL_RGB;
    case JCS_YCbCr:
        return IJL_YCBCR;
    default:
        return IJL_OTHER;
    }
}

IJL_JPGSUBSAMPLING SubsamplingOf(const jpeg_decompress_struct& info)
{
    if (info.num_components != 3 || info.comp_info[1].h_samp_factor != 1 || info.comp_info[1].v_samp_factor != 1) {
        return IJL_NONE;
    }
    const int h = info.comp_info[0].h_samp_factor;
    const int v = info.comp_info[0].v_samp_factor;
    if (h == 2 && v == 2) {
        return IJL_411;
    }
    return h == 2 && v == 1 ? IJL_422 : IJL_NONE;
}

void DescribePicture(const jpeg_decompress_struct& info, JPEG_CORE_PROPERTIES& properties)
{
    properties.JPGWidth = info.image_width;
    properties.JPGHeight = info.image_height;
    properties.JPGChannels = static_cast<DWORD>(info.num_components);
    properties.JPGColor = ColorOf(info.jpeg_color_space);
    properties.JPGSubsampling = SubsamplingOf(info);
    properties.JPGThumbWidth = 0;
    properties.JPGThumbHeight = 0;
}

// Sets libjpeg's colour conversion from the record: JPGColor names what the
// file holds, DIBColor and DIBChannels what the caller's buffer wants.
IJLERR ChooseOutput(jpeg_decompress_struct& info, const JPEG_CORE_PROPERTIES& properties)
{
    const std::int64_t rows = properties.DIBHeight < 0 ? -std::int64_t{properties.DIBHeight} : properties.DIBHeight;
    if (properties.DIBBytes == nullptr || properties.DIBWidth != info.image_width || rows != info.image_height) {
        return IJL_INVALID_JPEG_PROPERTIES;
    }
    switch (properties.JPGColor) {
    case IJL_G:
        info.jpeg_color_space = JCS_GRAYSCALE;
        break;
    case IJL_RGB:
        info.jpeg_color_space = JCS_RGB;
        break;
    case IJL_YCBCR:
        info.jpeg_color_space = JCS_YCbCr;
        break;
    default:
        break; // as the header says
    }

    if (properties.DIBColor == IJL_OTHER) { // the file's own components, unconverted
        if (properties.DIBChannels != static_cast<DWORD>(info.num_components)) {
            return IJL_UNSUPPORTED_BYTES_PER_PIXEL;
        }
        info.out_color_space = info.jpeg_color_space;
        return IJL_OK;
    }
    if (properties.DIBColor != IJL_RGB && properties.DIBColor != IJL_BGR) {
        return IJL_INVALID_JPEG_PROPERTIES;
    }
    const bool rgb = properties.DIBColor == IJL_RGB;
    switch (properties.DIBChannels) {
    case 3:
        info.out_color_space = rgb ? JCS_EXT_RGB : JCS_EXT_BGR;
        return IJL_OK;
    case 4: // the fourth byte of each pixel is written as 0xFF
        info.out_color_space = rgb ? JCS_EXT_RGBX : JCS_EXT_BGRX;
        return IJL_OK;
    default:
        return IJL_UNSUPPORTED_BYTES_PER_PIXEL;
    }
}

// One read, from the header to the last row for the whole-image modes. libjpeg
// reports fatal errors through error_exit, which jumps back to the setjmp
// here; nothing in this frame needs destroying. The caller destroys the
// decompressor whatever the outcome.
IJLERR Decode(IjlDecoder& decoder, JPEG_CORE_PROPERTIES& properties, FILE* file, bool wholeImage)
{
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump) != 0) {
        return decoder.errors.code;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    info.progress = &decoder.progress;
    if (file != nullptr) {
        jpeg_stdio_src(&info, file);
    } else {
        jpeg_mem_src(&info, properties.JPGBytes, properties.JPGSizeBytes);
    }
    jpeg_read_header(&info, TRUE);
    if (!SizeAllowed(info.image_width, info.image_height)) {
        return IJL_MEMORY_ERROR;
    }
    if (!wholeImage) {
        DescribePicture(info, properties);
        return IJL_OK;
    }

    const IJLERR output = ChooseOutput(info, properties);
    if (output != IJL_OK) {
        return output;
    }
    jpeg_start_decompress(&info);
    const std::size_t stride =
        std::size_t{properties.DIBWidth} * properties.DIBChannels + properties.DIBPadBytes;
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        const JDIMENSION row = properties.DIBHeight > 0 ? y : info.output_height - 1 - y;
        JSAMPROW rows[] = {properties.DIBBytes + stride * row};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    return IJL_OK;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

IJLERR ijlInit(JPEG_CORE_PROPERTIES* properties)
{
    if (properties == nullptr) {
        return IJL_INVALID_JPEG_PROPERTIES;
    }
    *properties = JPEG_CORE_PROPERTIES{};
    properties->DIBChannels = 3;
    properties->DIBColor = IJL_BGR;
    properties->JPGChannels = 3;
    properties->JPGColor = IJL_YCBCR;
    properties->JPGSubsampling = IJL_411;
    properties->jquality = 75;

    auto* decoder = new (std::nothrow) IjlDecoder;
    if (decoder == nullptr) {
        return IJL_MEMORY_ERROR;
    }
    decoder->info.err = jpeg_std_error(&decoder->errors.base);
    decoder->errors.base.error_exit = &ErrorExit;
    decoder->errors.base.emit_message = &EmitMessage;
    decoder->errors.base.output_message = [](j_common_ptr) {};
    decoder->progress.progress_monitor = &LimitScans;
    properties->decoder = decoder;
    return IJL_OK;
}

IJLERR ijlFree(JPEG_CORE_PROPERTIES* properties)
{
    if (properties == nullptr) {
        return IJL_INVALID_JPEG_PROPERTIES;
    }
    delete properties->decoder;
    properties->decoder = nullptr;
    return IJL_OK;
}

IJLERR ijlRead(JPEG_CORE_PROPERTIES* properties, IJLIOTYPE mode)
{
    if (properties == nullptr || properties->decoder == nullptr) {
        return IJL_INVALID_JPEG_PROPERTIES;
    }
    bool fromFile = false;
    bool wholeImage = false;
    switch (mode) {
    case IJL_JFILE_READPARAMS:
        fromFile = true;
        break;
    case IJL_JBUFF_READPARAMS:
        break;
    case IJL_JFILE_READWHOLEIMAGE:
        fromFile = true;
        wholeImage = true;
        break;
    case IJL_JBUFF_READWHOLEIMAGE:
        wholeImage = true;
        break;
    default:
        return IJL_INVALID_JPEG_PROPERTIES;
    }

    std::unique_ptr<FILE, FileCloser> file;
    if (fromFile) {
        if (properties->JPGFile == nullptr) {
            return IJL_INVALID_FILENAME;
        }
        file.reset(OpenWindowsFile(properties->JPGFile, "rb"));
        if (file == nullptr) {
            return IJL_INVALID_FILENAME;
        }
    }
    IjlDecoder& decoder = *properties->decoder;
    const IJLERR result = Decode(decoder, *properties, file.get(), wholeImage);
    jpeg_destroy_decompress(&decoder.info);
    return result;
}

const char* ijlErrorStr(IJLERR code)
{
    switch (code) {
    case IJL_OK:
        return "No error";
    case IJL_INTERRUPT_OK:
        return "Decoding interrupted";
    case IJL_ROI_OK:
        return "Region decoded";
    case IJL_EXCEPTION_DETECTED:
        return "Exception detected";
    case IJL_INVALID_ENCODER:
        return "Invalid encoder";
    case IJL_UNSUPPORTED_SUBSAMPLING:
        return "Unsupported subsampling";
    case IJL_UNSUPPORTED_BYTES_PER_PIXEL:
        return "Unsupported number of bytes per pixel";
    case IJL_MEMORY_ERROR:
        return "Not enough memory for the picture";
    case IJL_BAD_HUFFMAN_TABLE:
        return "Bad Huffman table";
    case IJL_BAD_QUANT_TABLE:
        return "Bad quantization table";
    case IJL_INVALID_JPEG_PROPERTIES:
        return "Invalid JPEG properties";
    case IJL_ERR_FILECLOSE:
        return "Error closing file";
    case IJL_INVALID_FILENAME:
        return "Invalid file name";
    case IJL_ERROR_EOF:
        return "Unexpected end of file";
    case IJL_PROG_NOT_SUPPORTED:
        return "Progressive format not supported";
    case IJL_ERR_NOT_JPEG:
        return "Not a JPEG file";
    case IJL_ERR_COMP:
        return "Bad component identifier";
    case IJL_ERR_SOF:
        return "Bad frame header";
    case IJL_ERR_DNL:
        return "DNL marker not supported";
    case IJL_ERR_NO_HUF:
        return "Huffman table missing";
    case IJL_ERR_NO_QUAN:
        return "Quantization table missing";
    case IJL_ERR_NO_FRAME:
        return "No frame header";
    case IJL_ERR_MULT_FRAME:
        return "More than one frame";
    case IJL_ERR_DATA:
        return "Corrupt JPEG data";
    case IJL_ERR_NO_IMAGE:
        return "No image in the file";
    case IJL_FILE_ERROR:
        return "File read error";
    case IJL_INTERNAL_ERROR:
        return "Internal error";
    case IJL_BAD_RST_MARKER:
        return "Bad restart marker";
    case IJL_THUMBNAIL_DIB_TOO_SMALL:
        return "Thumbnail buffer too small";
    case IJL_THUMBNAIL_DIB_WRONG_COLOR:
        return "Thumbnail buffer has the wrong colour space";
    case IJL_BUFFER_TOO_SMALL:
        return "Buffer too small";
    case IJL_UNSUPPORTED_FRAME:
        return "Unsupported frame type";
    case IJL_ERR_COM_BUFFER:
        return "Comment buffer error";
    case IJL_RESERVED:
        return "Reserved";
    }
    return "Unknown error";
}
