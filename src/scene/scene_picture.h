#pragma once
// Pictures decoded for the scene's textures, and the readers that make them.
//
// A colour picture holds width x height pixels 0xAARRGGBB (the layout of
// D3DFMT_A8R8G8B8), rows from the top down with no padding; the readers leave
// alpha 0 unless the file itself carries it. An alpha picture holds one byte
// per pixel, rows from the top down. Every reader returns false, with no
// picture, for a file it cannot read whole; it never reads more than the file
// holds, so a hostile header cannot make it allocate without bound.

#include <cstdint>
#include <cstdio>
#include <vector>

struct ScenePicture {
    std::vector<std::uint32_t> pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct AlphaPicture {
    std::vector<std::uint8_t> alpha;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Uncompressed BMP of 1, 4, 8 (through the palette) or 24 bits per pixel.
bool ReadBmpPicture(std::FILE* file, ScenePicture& picture);

// Uncompressed 8-bit BMP whose bytes are the alpha values themselves.
bool ReadAlphaBmp(std::FILE* file, AlphaPicture& picture);

// Uncompressed true-colour TGA of 15, 16 or 32 bits per pixel.
bool ReadTgaPicture(std::FILE* file, ScenePicture& picture);

// A three-channel JPEG file, by its Windows name, through the JPEG library.
bool ReadJpegPicture(const char* windowsName, ScenePicture& picture);

// Picks the reader by the file name's extension ("bmp", "jpg", "tga", in any
// case); any other extension gives no picture.
bool ReadPictureFile(const char* windowsName, ScenePicture& picture);
bool ReadAlphaFile(const char* windowsName, AlphaPicture& picture);

// The text after the last '.', empty when there is none.
const char* PictureExtension(const char* name);

// Replaces the alpha of every pixel by the alpha picture's byte, stretching
// the alpha picture to the colour picture's size first when they differ.
void MergeAlpha(ScenePicture& picture, AlphaPicture alpha);

// Bytes between the read position and the end of the file.
std::uint64_t BytesLeft(std::FILE* file);
