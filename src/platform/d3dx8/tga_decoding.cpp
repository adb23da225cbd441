#include "platform/d3dx8/byte_reader.h"
#include "platform/d3dx8/channel_mask.h"
#include "platform/d3dx8/image_decoding.h"

namespace d3dx {

namespace {

constexpr std::uint8_t kColorMapped = 1;
constexpr std::uint8_t kTrueColor = 2;
constexpr std::uint8_t kGrey = 3;
constexpr std::uint8_t kRunLength = 8; // added to the three types above

constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopToBottom = 0x20;
constexpr std::uint8_t kInterleaving = 0xC0;
constexpr std::uint8_t kAttributeBits = 0x0F;

struct TgaHeader {
    std::uint8_t idLength, colorMapType, imageType;
    std::uint16_t colorMapFirst, colorMapLength;
    std::uint8_t colorMapEntryBits;
    std::uint16_t width, height;
    std::uint8_t pixelBits, descriptor;
};

TgaHeader ReadHeader(ByteReader& reader)
{
    TgaHeader header;
    header.idLength = reader.U8();
    header.colorMapType = reader.U8();
    header.imageType = reader.U8();
    header.colorMapFirst = reader.U16();
    header.colorMapLength = reader.U16();
    header.colorMapEntryBits = reader.U8();
    reader.Skip(4); // origin
    header.width = reader.U16();
    header.height = reader.U16();
    header.pixelBits = reader.U8();
    header.descriptor = reader.U8();
    return header;
}

bool IsColorDepth(std::uint8_t bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// The header alone decides whether a file with no other signature is a TGA,
// so every field is checked.
bool Plausible(const TgaHeader& header)
{
    if (header.colorMapType > 1 || (header.descriptor & kInterleaving) != 0 ||
        !ImageSizeAllowed(header.width, header.height)) {
        return false;
    }
    if (header.colorMapType == 1 && !IsColorDepth(header.colorMapEntryBits)) {
        return false;
    }
    switch (header.imageType & ~kRunLength) {
    case kColorMapped:
        return header.colorMapType == 1 && header.pixelBits == 8;
    case kTrueColor:
        return IsColorDepth(header.pixelBits);
    case kGrey:
        return header.pixelBits == 8;
    default:
        return false;
    }
}

// One stored colour (a pixel or a colour-map entry) of 1 to 4 bytes to A8R8G8B8.
std::uint32_t ColorFromBytes(const std::uint8_t* bytes, std::uint8_t bits, bool useAlpha)
{
    switch (bits) {
    case 8:
        return PackArgb(0xFF, bytes[0], bytes[0], bytes[0]);
    case 15:
    case 16: {
        const std::uint32_t word = bytes[0] | (bytes[1] << 8);
        const std::uint32_t alpha = useAlpha ? ReadChannel(word, 0x8000, 0) : 0xFF;
        return PackArgb(alpha, ReadChannel(word, 0x7C00, 0), ReadChannel(word, 0x03E0, 0),
                        ReadChannel(word, 0x001F, 0));
    }
    case 24:
        return PackArgb(0xFF, bytes[2], bytes[1], bytes[0]);
    default:
        return PackArgb(useAlpha ? bytes[3] : 0xFF, bytes[2], bytes[1], bytes[0]);
    }
}

class TgaPixelSource {
public:
    TgaPixelSource(FileBytes file, std::size_t offset, const TgaHeader& header,
                   const std::vector<std::uint32_t>& colorMap, bool useAlpha)
        : file(file), position(offset), header(header), colorMap(colorMap), useAlpha(useAlpha),
          bytesPerPixel((header.pixelBits + 7) / 8), runLength((header.imageType & kRunLength) != 0)
    {
    }

    // The next pixel in file order; false once the data runs out.
    bool Next(std::uint32_t* pixel)
    {
        if (!runLength) {
            return Read(pixel);
        }
        if (packetRemaining == 0) {
            if (position >= file.size()) {
                return false;
            }
            const std::uint8_t packet = file[position++];
            packetRemaining = (packet & 0x7F) + 1;
            repeating = (packet & 0x80) != 0;
            if (repeating && !Read(&repeated)) {
                return false;
            }
        }
        packetRemaining--;
        if (repeating) {
            *pixel = repeated;
            return true;
        }
        return Read(pixel);
    }

private:
    bool Read(std::uint32_t* pixel)
    {
        if (file.size() - position < bytesPerPixel) {
            return false;
        }
        const std::uint8_t* bytes = file.data() + position;
        position += bytesPerPixel;
        if ((header.imageType & ~kRunLength) != kColorMapped) {
            *pixel = ColorFromBytes(bytes, header.pixelBits, useAlpha);
            return true;
        }
        const int index = bytes[0] - header.colorMapFirst;
        *pixel = index >= 0 && static_cast<std::size_t>(index) < colorMap.size() ? colorMap[index]
                                                                               : PackArgb(0xFF, 0, 0, 0);
        return true;
    }

    FileBytes file;
    std::size_t position;
    const TgaHeader& header;
    const std::vector<std::uint32_t>& colorMap;
    bool useAlpha;
    std::size_t bytesPerPixel;
    bool runLength;
    std::uint32_t packetRemaining = 0;
    bool repeating = false;
    std::uint32_t repeated = 0;
};

} // namespace

std::optional<Image> DecodeTga(FileBytes file)
{
    ByteReader reader(file);
    const TgaHeader header = ReadHeader(reader);
    if (reader.Failed() || !Plausible(header)) {
        return std::nullopt;
    }
    reader.Skip(header.idLength);

    const bool colorMapped = (header.imageType & ~kRunLength) == kColorMapped;
    const std::uint8_t colorBits = colorMapped ? header.colorMapEntryBits : header.pixelBits;
    const bool useAlpha = (header.descriptor & kAttributeBits) != 0 && (colorBits == 16 || colorBits == 32);
    std::vector<std::uint32_t> colorMap;
    if (header.colorMapType == 1) {
        const std::size_t entryBytes = (header.colorMapEntryBits + 7) / 8;
        if (reader.Remaining() < entryBytes * header.colorMapLength) {
            return std::nullopt;
        }
        for (std::uint16_t i = 0; i < header.colorMapLength; i++) {
            std::uint8_t entry[4] = {};
            for (std::size_t b = 0; b < entryBytes; b++) {
                entry[b] = reader.U8();
            }
            colorMap.push_back(ColorFromBytes(entry, header.colorMapEntryBits, useAlpha));
        }
    }
    if (reader.Failed()) {
        return std::nullopt;
    }

    Image image(header.width, header.height, useAlpha);
    TgaPixelSource source(file, reader.Position(), header, colorMap, useAlpha);
    for (UINT row = 0; row < image.height; row++) {
        const UINT y = (header.descriptor & kTopToBottom) != 0 ? row : image.height - 1 - row;
        for (UINT column = 0; column < image.width; column++) {
            const UINT x = (header.descriptor & kRightToLeft) != 0 ? image.width - 1 - column : column;
            if (!source.Next(&image.At(x, y))) {
                return std::nullopt;
            }
        }
    }
    return image;
}

} // namespace d3dx
