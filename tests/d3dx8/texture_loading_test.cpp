#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "d3dx8/byte_writer.h"
#include "d3dx8/headless_device.h"
#include "platform/d3dx8/d3dx8_constants.h"
#include "platform/d3dx8/texture_loading.h"

namespace {

class TextureLoadingTest : public HeadlessDevice {
protected:
    std::uint32_t Texel(IDirect3DTexture8* texture, UINT level, UINT x, UINT y)
    {
        D3DLOCKED_RECT locked;
        EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        const BYTE* row = static_cast<const BYTE*>(locked.pBits) + locked.Pitch * y;
        const std::uint32_t texel = reinterpret_cast<const std::uint32_t*>(row)[x];
        texture->UnlockRect(level);
        return texel;
    }

    TempDir dir;
};

} // namespace

// A 3x5 bitmap, red in the top left corner, blue in the bottom right, grey elsewhere.
TEST_F(TextureLoadingTest, ABitmapBecomesAPowerOfTwoTextureWithAFullMipChain)
{
    ByteWriter file;
    file.Bytes({'B', 'M'}).U32(0).U32(0).U32(54);
    file.U32(40).U32(3).U32(-5).U16(1).U16(24).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    for (int i = 0; i < 15; i++) {
        if (i == 0) {
            file.Bytes({0, 0, 255});
        } else if (i == 14) {
            file.Bytes({255, 0, 0});
        } else {
            file.Bytes({128, 128, 128});
        }
        if (i % 3 == 2) {
            file.Zeros(3);
        }
    }
    dir.Write("Data/Pic.bmp", file.Text());
    const std::string name = dir.Path().string() + "\\data\\pic.bmp";
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device, name.c_str(), &texture), D3D_OK);

    ASSERT_EQ(texture->GetLevelCount(), 4u); // 4x8, 2x4, 1x2, 1x1
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Height, 8u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(Texel(texture, 0, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(Texel(texture, 0, 3, 7), 0xFF0000FFu);
    // Halving by boxes all the way down leaves the mean of level 0, give or
    // take each level's rounding.
    const std::uint32_t last = Texel(texture, 3, 0, 0);
    for (int shift : {0, 8, 16}) {
        double sum = 0;
        for (UINT i = 0; i < 32; i++) {
            sum += (Texel(texture, 0, i % 4, i / 4) >> shift) & 0xFF;
        }
        EXPECT_NEAR((last >> shift) & 0xFF, sum / 32, 1.5) << "shift " << shift;
    }
    texture->Release();
}

TEST_F(TextureLoadingTest, AlphaPicturesGetAnAlphaFormatAndBadFilesInvalidData)
{
    ByteWriter tga; // 2x1, 32 bits with 8 attribute bits, top-down
    tga.U8(0).U8(0).U8(2).U16(0).U16(0).U8(0).U16(0).U16(0).U16(2).U16(1).U8(32).U8(0x28);
    tga.Bytes({255, 0, 0, 0x40, 0, 255, 0, 0xFF});
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device, dir.Write("alpha.tga", tga.Text()).c_str(), &texture), D3D_OK);
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(Texel(texture, 0, 0, 0), 0x400000FFu);
    texture->Release();

    texture = reinterpret_cast<IDirect3DTexture8*>(&texture);
    EXPECT_EQ(D3DXCreateTextureFromFileA(device, (dir.Path() / "none.jpg").c_str(), &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(D3DXCreateTextureFromFileA(device, dir.Write("text.jpg", "not a picture").c_str(), &texture),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateTextureFromFileA(device, nullptr, &texture), D3DERR_INVALIDCALL);
}
