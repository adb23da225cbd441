#include <array>

#include "platform/d3dx8/byte_reader.h"
#include "platform/d3dx8/channel_mask.h"
#include "platform/d3dx8/image_decoding.h"

namespace d3dx {

namespace {

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12; // BITMAPCOREHEADER, 16-bit sizes
constexpr std::uint32_t kInfoHeaderSize = 40; // BITMAPINFOHEADER and its extensions

struct BmpLayout {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored from the top down
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 4> masks = {}; // red, green, blue, alpha
};

std::optional<BmpLayout> ReadLayout(FileBytes file)
{
    ByteReader reader(file, 10);
    BmpLayout layout;
    layout.pixelOffset = reader.U32();
    layout.headerSize = reader.U32();
    if (layout.headerSize == kCoreHeaderSize) {
        layout.width = reader.U16();
        layout.height = reader.U16();
        reader.U16(); // planes
        layout.bitCount = reader.U16();
    } else if (layout.headerSize >= kInfoHeaderSize) {
        layout.width = reader.I32();
        layout.height = reader.I32();
        reader.U16(); // planes
        layout.bitCount = reader.U16();
        layout.compression = reader.U32();
        reader.Skip(12); // image size, resolution
        layout.colorsUsed = reader.U32();
        if (layout.compression == kCompressionBitFields) {
            // Masks follow a plain info header; later versions hold them inside.
            reader.Seek(kFileHeaderSize + kInfoHeaderSize);
            for (std::size_t i = 0; i < 3; i++) {
                layout.masks[i] = reader.U32();
            }
            if (layout.headerSize >= kInfoHeaderSize + 16) {
                layout.masks[3] = reader.U32();
            }
        }
    } else {
        return std::nullopt;
    }
    if (reader.Failed()) {
        return std::nullopt;
    }
    return layout;
}

// Where the palette starts: after the header, and after the three masks that
// follow a plain info header.
std::uint64_t PaletteOffset(const BmpLayout& layout)
{
    std::uint64_t offset = std::uint64_t{kFileHeaderSize} + layout.headerSize;
    if (layout.compression == kCompressionBitFields && layout.headerSize == kInfoHeaderSize) {
        offset += 12;
    }
    return offset;
}

std::optional<std::vector<std::uint32_t>> ReadPalette(FileBytes file, const BmpLayout& layout)
{
    const std::uint32_t capacity = 1u << layout.bitCount;
    const std::uint32_t count =
        layout.colorsUsed == 0 || layout.colorsUsed > capacity ? capacity : layout.colorsUsed;
    const bool core = layout.headerSize == kCoreHeaderSize;
    ByteReader reader(file);
    reader.Seek(PaletteOffset(layout));
    std::vector<std::uint32_t> palette(capacity, PackArgb(0xFF, 0, 0, 0));
    for (std::uint32_t i = 0; i < count; i++) {
        const std::uint32_t blue = reader.U8(), green = reader.U8(), red = reader.U8();
        if (!core) {
            reader.U8();
        }
        palette[i] = PackArgb(0xFF, red, green, blue);
    }
    if (reader.Failed()) {
        return std::nullopt;
    }
    return palette;
}

bool SupportedDepth(const BmpLayout& layout)
{
    switch (layout.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return layout.compression == kCompressionNone;
    case 16:
    case 32:
        return layout.compression == kCompressionNone || layout.compression == kCompressionBitFields;
    default:
        return false;
    }
}

// Plain 16- and 32-bit bitmaps have fixed masks: 5-5-5 and 8-8-8, no alpha.
std::array<std::uint32_t, 4> EffectiveMasks(const BmpLayout& layout)
{
    if (layout.compression == kCompressionBitFields) {
        return layout.masks;
    }
    if (layout.bitCount == 16) {
        return {0x7C00, 0x03E0, 0x001F, 0};
    }
    return {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
}

} // namespace

std::optional<Image> DecodeBmp(FileBytes file)
{
    const std::optional<BmpLayout> layout = ReadLayout(file);
    if (!layout || !SupportedDepth(*layout)) {
        return std::nullopt;
    }
    const bool topDown = layout->height < 0;
    const std::int64_t height = topDown ? -layout->height : layout->height;
    if (layout->width <= 0 || !ImageSizeAllowed(layout->width, height)) {
        return std::nullopt;
    }
    const UINT width = static_cast<UINT>(layout->width);
    const UINT rows = static_cast<UINT>(height);
    const std::uint64_t stride = (std::uint64_t{layout->bitCount} * width + 31) / 32 * 4;
    if (std::uint64_t{layout->pixelOffset} + stride * rows > file.size()) {
        return std::nullopt;
    }

    std::vector<std::uint32_t> palette;
    if (layout->bitCount <= 8) {
        std::optional<std::vector<std::uint32_t>> read = ReadPalette(file, *layout);
        if (!read) {
            return std::nullopt;
        }
        palette = std::move(*read);
    }
    const std::array<std::uint32_t, 4> masks = EffectiveMasks(*layout);

    Image image(width, rows, masks[3] != 0);
    for (UINT row = 0; row < rows; row++) {
        const std::uint8_t* source = file.data() + layout->pixelOffset + stride * row;
        const UINT y = topDown ? row : rows - 1 - row;
        for (UINT x = 0; x < width; x++) {
            std::uint32_t pixel;
            switch (layout->bitCount) {
            case 1:
                pixel = palette[(source[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                pixel = palette[(source[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
                break;
            case 8:
                pixel = palette[source[x]];
                break;
            case 24:
                pixel = PackArgb(0xFF, source[3 * x + 2], source[3 * x + 1], source[3 * x]);
                break;
            default: {
                const std::uint8_t* bytes = source + x * (layout->bitCount / 8);
                std::uint32_t word = bytes[0] | (bytes[1] << 8);
                if (layout->bitCount == 32) {
                    word |= (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
                }
                pixel = PackArgb(ReadChannel(word, masks[3], 0xFF), ReadChannel(word, masks[0], 0),
                                 ReadChannel(word, masks[1], 0), ReadChannel(word, masks[2], 0));
                break;
            }
            }
            image.At(x, y) = pixel;
        }
    }
    return image;
}

} // namespace d3dx
