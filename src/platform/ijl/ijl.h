#pragma once
// The Intel JPEG Library subset the system calls: decoding a JPEG from a
// file or from memory into a pixel buffer the caller describes.

#include "platform/win32/types.h"

enum IJLERR : int {
    IJL_OK = 0,
    IJL_INTERRUPT_OK = 1,
    IJL_ROI_OK = 2,
    IJL_EXCEPTION_DETECTED = -1,
    IJL_INVALID_ENCODER = -2,
    IJL_UNSUPPORTED_SUBSAMPLING = -3,
    IJL_UNSUPPORTED_BYTES_PER_PIXEL = -4,
    IJL_MEMORY_ERROR = -5,
    IJL_BAD_HUFFMAN_TABLE = -6,
    IJL_BAD_QUANT_TABLE = -7,
    IJL_INVALID_JPEG_PROPERTIES = -8,
    IJL_ERR_FILECLOSE = -9,
    IJL_INVALID_FILENAME = -10,
    IJL_ERROR_EOF = -11,
    IJL_PROG_NOT_SUPPORTED = -12,
    IJL_ERR_NOT_JPEG = -13,
    IJL_ERR_COMP = -14,
    IJL_ERR_SOF = -15,
    IJL_ERR_DNL = -16,
    IJL_ERR_NO_HUF = -17,
    IJL_ERR_NO_QUAN = -18,
    IJL_ERR_NO_FRAME = -19,
    IJL_ERR_MULT_FRAME = -20,
    IJL_ERR_DATA = -21,
    IJL_ERR_NO_IMAGE = -22,
    IJL_FILE_ERROR = -23,
    IJL_INTERNAL_ERROR = -24,
    IJL_BAD_RST_MARKER = -25,
    IJL_THUMBNAIL_DIB_TOO_SMALL = -26,
    IJL_THUMBNAIL_DIB_WRONG_COLOR = -27,
    IJL_BUFFER_TOO_SMALL = -28,
    IJL_UNSUPPORTED_FRAME = -29,
    IJL_ERR_COM_BUFFER = -30,
    IJL_RESERVED = -99,
};

enum IJLIOTYPE : int {
    IJL_JFILE_READPARAMS = 0,
    IJL_JBUFF_READPARAMS = 1,
    IJL_JFILE_READWHOLEIMAGE = 2,
    IJL_JBUFF_READWHOLEIMAGE = 3,
};

enum IJL_COLOR : int {
    IJL_RGB = 1,
    IJL_BGR = 2,
    IJL_YCBCR = 3,
    IJL_G = 4,
    IJL_RGBA_FPX = 5,
    IJL_YCBCRA_FPX = 6,
    IJL_OTHER = 255,
};

enum IJL_JPGSUBSAMPLING : int { IJL_NONE = 0, IJL_411 = 1, IJL_422 = 2 };
enum IJL_DIBSUBSAMPLING : int { IJL_DIB_NONE = 0 };

struct IjlDecoder; // the decoder's own state between calls

// The record the caller zeroes, initialises with ijlInit, fills and reads.
struct JPEG_CORE_PROPERTIES {
    DWORD UseJPEGPROPERTIES;

    BYTE* DIBBytes; // the caller's output buffer
    DWORD DIBWidth;
    int DIBHeight; // positive: rows from the top down
    DWORD DIBPadBytes;
    DWORD DIBChannels;
    IJL_COLOR DIBColor;
    IJL_DIBSUBSAMPLING DIBSubsampling;

    const char* JPGFile; // for the file modes
    BYTE* JPGBytes; // for the buffer modes
    DWORD JPGSizeBytes;
    DWORD JPGWidth; // written by the READPARAMS modes
    DWORD JPGHeight;
    DWORD JPGChannels;
    IJL_COLOR JPGColor;
    IJL_JPGSUBSAMPLING JPGSubsampling;
    DWORD JPGThumbWidth;
    DWORD JPGThumbHeight;

    DWORD cconversion_reqd;
    DWORD upsampling_reqd;
    DWORD jquality;

    IjlDecoder* decoder;
};

IJLERR ijlInit(JPEG_CORE_PROPERTIES* properties);
IJLERR ijlFree(JPEG_CORE_PROPERTIES* properties);
IJLERR ijlRead(JPEG_CORE_PROPERTIES* properties, IJLIOTYPE mode);
const char* ijlErrorStr(IJLERR code);
