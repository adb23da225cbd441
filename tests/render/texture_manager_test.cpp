#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "common/jpeg_writer.h"
#include "platform/ijl/ijl.h"
#include "render/image_quad_device.h"
#include "render/texture_manager.h"

namespace {

const std::string kReady = "cTextureManager : Initialized and waiting for orders...\n";
const Sample kColour = {200, 100, 50};

std::string Miss(const std::string& name) { return "cTextureManager : cannot find texture named " + name + "\n"; }
std::string Refused(const std::string& colour, const std::string& alpha)
{
    return "cTextureManager : Cannot load texture (" + colour + " + " + alpha + ")\n";
}

// Grey: black in the top half, white in the bottom half.
std::string HalfWhite(int width, int height)
{
    return EncodeJpeg(width, height, 1, [=](int, int y) { return Sample{std::uint8_t(y < height / 2 ? 0 : 255)}; });
}

class TextureManager : public HeadlessDeviceTest {
protected:
    std::string Write(const std::string& name, const std::string& contents) { return files.Write(name, contents); }

    static D3DCOLOR Texel(IDirect3DTexture8* texture, UINT level, UINT x, UINT y)
    {
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        const D3DCOLOR texel = static_cast<const D3DCOLOR*>(locked.pBits)[y * locked.Pitch / 4 + x];
        texture->UnlockRect(level);
        return texel;
    }

    LogCapture log;
    TempDir files;
};

TEST_F(TextureManager, LoadRegistersANameOnceAndFindReportsItsLevelZeroSize)
{
    const std::string first = Write("a.jpg", SolidJpeg(20, 12, kColour));
    const std::string second = Write("b.jpg", SolidJpeg(8, 8, kColour));
    cTextureManager textures(device);

    ASSERT_TRUE(textures.Load(first.c_str(), "a"));
    IDirect3DTexture8* loaded = textures.FindSilent("a");
    EXPECT_FALSE(textures.Load(second.c_str(), "a"));
    DWORD width = 7;
    DWORD height = 7;
    EXPECT_EQ(textures.Find("A", &width, &height), nullptr); // names are case-sensitive
    EXPECT_EQ(width, 7u);
    EXPECT_EQ(textures.FindSilent("b"), nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(textures.Find("a", &width, &height), loaded);
    EXPECT_EQ(width, 32u); // as D3DX rounded it up
    EXPECT_EQ(height, 16u);
    EXPECT_EQ(textures.Count(), 1u);
    EXPECT_EQ(textures.Entry(0)->file, first);
    EXPECT_EQ(textures.Entry(0)->alphaFile, nullptr);

    EXPECT_EQ(log.Text(), kReady + "cTextureManager : Successfully loaded [a] from  " + first + "\n" +
                              "cTextureManager : Cannot load texture (" + second +
                              ") - there is such texture named [a] already\n" + Miss("A"));
}

TEST_F(TextureManager, GreyPictureBecomesTheAlphaOfEveryMipLevel)
{
    const std::string colour = Write("c.jpg", SolidJpeg(16, 16, kColour));
    const std::string alpha = Write("a.jpg", HalfWhite(16, 16));
    cTextureManager textures(device);

    ASSERT_TRUE(textures.LoadWithAlpha(colour.c_str(), alpha.c_str(), "fx"));
    DWORD width = 0;
    IDirect3DTexture8* texture = textures.Find("fx", &width);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(width, 16u);
    EXPECT_TRUE(ColorNear(Texel(texture, 0, 5, 2), 0x00C86432));
    EXPECT_TRUE(ColorNear(Texel(texture, 0, 5, 13), 0xFFC86432));
    ASSERT_EQ(texture->GetLevelCount(), 5u);
    EXPECT_TRUE(ColorNear(Texel(texture, 1, 1, 1), 0x00C86432));
    EXPECT_TRUE(ColorNear(Texel(texture, 1, 1, 6), 0xFFC86432));
    EXPECT_TRUE(ColorNear(Texel(texture, 4, 0, 0), 0x80C86432));

    EXPECT_EQ(log.Text(), kReady + Miss("fx") + "cTextureManager : Successfully loaded [fx] with alphafrom  " +
                              colour + " and " + alpha + "\n");
}

TEST_F(TextureManager, FailedLoadsAddNothingAndLeaveTheirSlotToTheNext)
{
    const std::string good = Write("good.jpg", SolidJpeg(32, 32, kColour));
    const std::string half = Write("half.jpg", HalfWhite(32, 16));
    const std::string missing = (files.Path() / "missing.jpg").string();
    cTextureManager textures(device);
    log.Clear();

    EXPECT_FALSE(textures.Load(missing.c_str(), "x"));
    EXPECT_FALSE(textures.LoadWithAlpha(missing.c_str(), good.c_str(), "y"));
    EXPECT_FALSE(textures.LoadWithAlpha(good.c_str(), half.c_str(), "z"));
    EXPECT_EQ(textures.Count(), 0u);
    EXPECT_EQ(log.Text(), "cTextureManager : Error loading texture " + missing + "\n" + Miss("y") + "File " +
                              missing + " not found!\n" + Refused(missing, good) + Miss("z") +
                              "cTextureManager : Texture and alpha channel are not the same! (" + good + " + " +
                              half + ")\n");

    ASSERT_TRUE(textures.LoadWithAlpha(good.c_str(), good.c_str(), "z"));
    EXPECT_EQ(textures.Entry(0)->index, 0u);
    EXPECT_STREQ(textures.Entry(0)->name, "z");
    log.Clear();
    EXPECT_FALSE(textures.LoadWithAlpha(good.c_str(), good.c_str(), "z"));
    EXPECT_EQ(log.Text(), "cTextureManager : Cannot load texture (" + good + " + " + good +
                              ") there is such texture named[z] already\n");
}

TEST_F(TextureManager, RefusesLoadsPastTheLastSlotAndReleasesAll)
{
    const std::string file = Write("a.jpg", SolidJpeg(1, 1, kColour));
    cTextureManager textures(device);
    for (DWORD i = 0; i < cTextureManager::kSlots; i++) {
        ASSERT_TRUE(textures.Load(file.c_str(), std::to_string(i).c_str()));
    }
    IDirect3DTexture8* kept = textures.FindSilent("0");
    kept->AddRef();
    log.Clear();
    EXPECT_FALSE(textures.Load(file.c_str(), "more"));
    EXPECT_EQ(textures.Count(), cTextureManager::kSlots);
    textures.ReleaseAll();
    EXPECT_EQ(textures.FindSilent("1"), nullptr);
    EXPECT_EQ(kept->Release(), 0u); // the registry's reference is gone
    EXPECT_EQ(log.Text(), "cTextureManager : Cannot load texture [more] - all 1024 slots are taken\n"
                          "cTextureManager : Releasing 1024 textures ...\ncTextureManager : Done\n"
                          "cTextureManager : Deinitialized ...\n");
}

// A JPEG the library cannot read ends the process with exit code 1 after one
// log line. No device: the process ends before one would be used.
TEST(TextureManagerDeathTest, UndecodableJpegEndsTheProcess)
{
    LogCapture log;
    TempDir files;
    const std::string good = files.Write("good.jpg", SolidJpeg(16, 16, kColour));
    std::string huge = SolidJpeg(16, 16, kColour);
    huge.replace(huge.find("\xFF\xC0") + 5, 4, "\xEA\x60\xEA\x60"); // 60000 x 60000
    const std::string noise = EncodeJpeg(64, 64, 3, [](int x, int y) {
        return Sample{std::uint8_t(x * y), std::uint8_t(x * 5), std::uint8_t(y * 9)};
    });
    const struct {
        std::string colour, alpha, failing;
        IJLERR error;
    } cases[] = {
        {files.Write("text.jpg", "no picture"), good, files.Path() / "text.jpg", IJL_ERR_NOT_JPEG},
        {files.Write("empty.jpg", ""), good, files.Path() / "empty.jpg", IJL_ERROR_EOF},
        {files.Write("huge.jpg", huge), good, files.Path() / "huge.jpg", IJL_MEMORY_ERROR},
        {good, files.Write("cut.jpg", noise.substr(0, noise.size() * 3 / 4)), files.Path() / "cut.jpg", IJL_ERROR_EOF},
    };
    cTextureManager textures(nullptr);
    for (const auto& bad : cases) {
        log.Clear();
        EXPECT_EXIT(textures.LoadWithAlpha(bad.colour.c_str(), bad.alpha.c_str(), "fx"), testing::ExitedWithCode(1),
                    "");
        EXPECT_EQ(log.Text(), Miss("fx") + "JPGLOAD : " + ijlErrorStr(bad.error) + "   --  " + bad.failing + "\n\n");
    }
}

} // namespace
