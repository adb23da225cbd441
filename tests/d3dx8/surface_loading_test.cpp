#include <gtest/gtest.h>

#include <cstring>

#include "platform/d3dx8/d3dx8_constants.h"
#include "platform/d3dx8/pixel_format.h"
#include "platform/d3dx8/surface_loading.h"

namespace {

// A surface in memory whose rows carry padding, so that a loader which
// ignores the pitch writes in the wrong place. Unwritten bytes read 0xAB.
class MemorySurface final : public IDirect3DSurface8 {
public:
    MemorySurface(UINT width, UINT height, D3DFORMAT format)
        : bytesPerPixel(d3dx::BytesPerPixel(format)), pitch(width * bytesPerPixel + 8),
          bits(std::size_t{pitch} * height, 0xAB)
    {
        desc = {format, D3DRTYPE_SURFACE, 0, D3DPOOL_MANAGED, 0, D3DMULTISAMPLE_NONE, width, height};
    }

    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetDevice(IDirect3DDevice8**) override { return D3DERR_INVALIDCALL; }
    HRESULT GetDesc(D3DSURFACE_DESC* out) override
    {
        *out = desc;
        return D3D_OK;
    }
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD) override
    {
        locked->Pitch = static_cast<INT>(pitch);
        locked->pBits = rect != nullptr ? At(rect->left, rect->top) : bits.data();
        return D3D_OK;
    }
    HRESULT UnlockRect() override { return D3D_OK; }

    BYTE* At(UINT x, UINT y) { return bits.data() + std::size_t{pitch} * y + bytesPerPixel * x; }
    std::uint32_t Word(UINT x, UINT y)
    {
        std::uint32_t word = 0;
        std::memcpy(&word, At(x, y), bytesPerPixel);
        return word;
    }

private:
    D3DSURFACE_DESC desc;
    UINT bytesPerPixel;
    UINT pitch;
    std::vector<BYTE> bits;
};

// Loads one row of pixels of `format`, given as words, into the surface's top row.
HRESULT LoadRow(MemorySurface& surface, D3DFORMAT format, const std::vector<std::uint32_t>& words,
                DWORD filter = D3DX_FILTER_NONE, D3DCOLOR colorKey = 0)
{
    const UINT size = d3dx::BytesPerPixel(format);
    std::vector<BYTE> row(words.size() * size);
    for (std::size_t i = 0; i < words.size(); i++) {
        std::memcpy(&row[i * size], &words[i], size);
    }
    const RECT rect = {0, 0, static_cast<LONG>(words.size()), 1};
    return D3DXLoadSurfaceFromMemory(&surface, nullptr, nullptr, row.data(), format, static_cast<UINT>(row.size()),
                                     nullptr, &rect, filter, colorKey);
}

} // namespace

TEST(SurfaceLoading, ConvertsBetweenFormatsRoundingEachChannel)
{
    struct Case {
        D3DFORMAT from, to;
        std::uint32_t source, expected;
    };
    const Case cases[] = {
        {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, 0xFF808080, 0x8410},   // 128 -> 16 of 31, 32 of 63
        {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, 0xFF040404, 0x0020},   // 4 of 255: 0 of 31, 1 of 63
        {D3DFMT_A8R8G8B8, D3DFMT_A1R5G5B5, 0x7F0000FF, 0x001F}, // alpha below half: 0
        {D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4, 0x88FF1100, 0x8F10},
        {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, 0x00123456, 0xFF123456}, // unused bits written as ones
        {D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, 0x07FF, 0xFF00FFFF},
        {D3DFMT_A1R5G5B5, D3DFMT_A8R8G8B8, 0x8010, 0xFF000084}, // 16 of 31 widens to 132
        {D3DFMT_A4R4G4B4, D3DFMT_A8R8G8B8, 0x8F00, 0x88FF0000},
        {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, 0x12ABCDEF, 0xFFABCDEF},
        {D3DFMT_R8G8B8, D3DFMT_A8R8G8B8, 0xABCDEF, 0xFFABCDEF},
    };
    for (const Case& c : cases) {
        MemorySurface surface(1, 1, c.to);
        ASSERT_EQ(LoadRow(surface, c.from, {c.source}), D3D_OK);
        EXPECT_EQ(surface.Word(0, 0), c.expected) << std::hex << c.from << " " << c.source << " -> " << c.to;
    }
}

TEST(SurfaceLoading, ColourKeyMatchesAlphaTooAndGivesTransparentBlack)
{
    MemorySurface surface(3, 1, D3DFMT_A8R8G8B8);
    ASSERT_EQ(LoadRow(surface, D3DFMT_A8R8G8B8, {0xFFFF00FF, 0x00FF00FF, 0xFF00FF00}, D3DX_FILTER_NONE, 0xFFFF00FF),
              D3D_OK);
    EXPECT_EQ(surface.Word(0, 0), 0x00000000u);
    EXPECT_EQ(surface.Word(1, 0), 0x00FF00FFu);
    // Formats without alpha read as opaque, so an opaque key matches them.
    ASSERT_EQ(LoadRow(surface, D3DFMT_R5G6B5, {0xF81F, 0x001F}, D3DX_FILTER_NONE, 0xFFFF00FF), D3D_OK);
    EXPECT_EQ(surface.Word(0, 0), 0x00000000u);
    EXPECT_EQ(surface.Word(1, 0), 0xFF0000FFu);
}

TEST(SurfaceLoading, RectanglesPickThePartAndThePlaceAndFiltersScale)
{
    // The 2x2 block at (1, 1) of a 4x3 source goes to (2, 1) of a 4x4 surface.
    std::vector<std::uint32_t> source(12);
    for (std::uint32_t i = 0; i < 12; i++) {
        source[i] = 0xFF000000 | i;
    }
    MemorySurface surface(4, 4, D3DFMT_A8R8G8B8);
    const RECT from = {1, 1, 3, 3}, to = {2, 1, 4, 3};
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(&surface, nullptr, &to, source.data(), D3DFMT_A8R8G8B8, 16, nullptr, &from,
                                        D3DX_FILTER_POINT, 0),
              D3D_OK);
    EXPECT_EQ(surface.Word(2, 1), 0xFF000005u);
    EXPECT_EQ(surface.Word(3, 2), 0xFF00000Au);
    EXPECT_EQ(surface.Word(1, 1), 0xABABABABu); // outside the rectangle: untouched
    EXPECT_EQ(surface.Word(2, 3), 0xABABABABu);

    // The texture loaders' filter: linear, with dithering (not done).
    MemorySurface wide(4, 1, D3DFMT_A8R8G8B8);
    ASSERT_EQ(LoadRow(wide, D3DFMT_A8R8G8B8, {0xFF000000, 0xFFFFFFFF}, 0x80003), D3D_OK);
    EXPECT_EQ(wide.Word(1, 0), 0xFF404040u);
}

TEST(SurfaceLoading, RefusesBadArguments)
{
    MemorySurface surface(2, 2, D3DFMT_A8R8G8B8);
    const std::uint32_t pixels[4] = {};
    const RECT rect = {0, 0, 2, 2}, empty = {1, 1, 1, 2}, outside = {1, 1, 3, 3};
    const auto load = [&](const RECT* destRect, D3DFORMAT format, UINT pitch, const RECT* srcRect, DWORD filter) {
        return D3DXLoadSurfaceFromMemory(&surface, nullptr, destRect, pixels, format, pitch, nullptr, srcRect,
                                         filter, 0);
    };
    EXPECT_EQ(load(nullptr, D3DFMT_A8R8G8B8, 8, &rect, D3DX_FILTER_NONE), D3D_OK);
    EXPECT_EQ(load(nullptr, D3DFMT_A8R8G8B8, 8, nullptr, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(load(nullptr, D3DFMT_A8R8G8B8, 8, &empty, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(load(&outside, D3DFMT_A8R8G8B8, 8, &rect, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(load(nullptr, D3DFMT_A8R8G8B8, 4, &rect, D3DX_FILTER_NONE), D3DERR_INVALIDCALL); // pitch too short
    EXPECT_EQ(load(nullptr, D3DFMT_D24S8, 8, &rect, D3DX_FILTER_NONE), D3DERR_INVALIDCALL);
    EXPECT_EQ(load(nullptr, D3DFMT_A8R8G8B8, 8, &rect, 0), D3DERR_INVALIDCALL);
}
