#pragma once
// Picture files to Images. Every decoder takes the whole file in memory and
// returns nothing for a file it cannot read completely: a truncated, corrupt
// or oversized file (see ImageSizeAllowed) never yields a partial picture.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/d3dx8/image.h"

namespace d3dx {

using FileBytes = std::span<const std::uint8_t>;

// Chooses the decoder by the file's signature; a file with none of the known
// signatures is tried as TGA, the one format without a signature.
std::optional<Image> DecodeImage(FileBytes file);

// Windows bitmaps: 1, 4 and 8 bits with a palette; 16 and 32 bits plain or
// with bit-field masks (alpha only from an alpha mask); 24 bits; bottom-up or
// top-down rows. Run-length compressed bitmaps are refused.
std::optional<Image> DecodeBmp(FileBytes file);

// Truevision TGA: colour-mapped (8-bit indices), true-colour (15, 16, 24 and
// 32 bits) and 8-bit grey, each uncompressed or run-length encoded; both
// origin bits honoured. Alpha is taken from 16- and 32-bit pixels when the
// descriptor declares attribute bits, as the format intends.
std::optional<Image> DecodeTga(FileBytes file);

// PNG through libpng, every colour type and depth; alpha when the file has an
// alpha channel or a transparency chunk.
std::optional<Image> DecodePng(FileBytes file);

// JPEG through libjpeg; grey pictures expanded to RGB. Corrupt or truncated
// data is refused.
std::optional<Image> DecodeJpeg(FileBytes file);

// Reads a file by its Windows name and decodes it. Files larger than 256 MiB
// are refused unread.
std::optional<Image> LoadImageFile(const char* windowsName);

} // namespace d3dx
