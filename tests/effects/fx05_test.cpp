#include "effects/fx05.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "effects/glow.h"
#include "platform/d3d8/png_file.h"
#include "support/random.h"
#include "effects/show_effect_test.h"

TEST(Fx05, EveryTwoSecondsTheNextPictureFadesIn)
{
    const Fx05CrossFade start = fx05_CrossFade(0.0f);
    EXPECT_EQ(start.first, 0u);
    EXPECT_EQ(start.second, 1u);
    EXPECT_EQ(start.alpha, 1.0f);
    EXPECT_EQ(fx05_CrossFade(1000.0f).alpha, 0.5f);
    const Fx05CrossFade next = fx05_CrossFade(2000.0f);
    EXPECT_EQ(next.first, 1u);
    EXPECT_EQ(next.alpha, 1.0f);
    // The fifth picture hands over to the first again.
    const Fx05CrossFade last = fx05_CrossFade(9000.0f);
    EXPECT_EQ(last.first, 4u);
    EXPECT_EQ(last.second, 0u);
    EXPECT_EQ(last.alpha, 0.5f);
}

TEST(Fx05, LetterboxBarsGrowInOverTheFirstSecondAndAHalf)
{
    auto rows = [](float e) {
        const D3DVIEWPORT8 v = fx05_Letterbox(e);
        EXPECT_EQ(v.X, 0u);
        EXPECT_EQ(v.Width, 640u);
        return std::pair{v.Y, v.Height};
    };
    EXPECT_EQ(rows(0.0f), (std::pair<DWORD, DWORD>{0, 480}));
    EXPECT_EQ(rows(750.0f), (std::pair<DWORD, DWORD>{20, 440}));
    EXPECT_EQ(rows(1500.0f), (std::pair<DWORD, DWORD>{40, 400}));
    EXPECT_EQ(rows(22000.0f), (std::pair<DWORD, DWORD>{40, 400}));
}

TEST(Fx05, TheTunnelFlashesToFullStrengthOnEachBeat)
{
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(203628.0f), 0.675f);
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(203527.0f), 0.35f);
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(203528.0f), 0.35f);
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(208708.0f), 0.35f + 0.65f * 0.995f);
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(208709.0f), 0.35f);
    EXPECT_FLOAT_EQ(fx05_TunnelFactor(218890.0f), 0.675f);
}

TEST(Glow, AnEvenLatticeLeavesThePointsWhereTheyAreAndACornerPullsOnlyItsCorner)
{
    cVector lattice[kGlowLattice][kGlowLattice][kGlowLattice];
    for (int i = 0; i < kGlowLattice; ++i)
        for (int j = 0; j < kGlowLattice; ++j)
            for (int k = 0; k < kGlowLattice; ++k) lattice[i][j][k] = cVector(2.0f * i - 3.0f, 4.0f * j, -1.0f * k);

    const cVector p = glow_BezierVolume(lattice, 0.25f, 0.5f, 0.9f);
    EXPECT_NEAR(p.x, 6.0f * 0.25f - 3.0f, 1e-5f);
    EXPECT_NEAR(p.y, 12.0f * 0.5f, 1e-5f);
    EXPECT_NEAR(p.z, -3.0f * 0.9f, 1e-5f);

    lattice[3][3][3] += cVector(0.0f, 10.0f, 0.0f);
    EXPECT_NEAR(glow_BezierVolume(lattice, 1.0f, 1.0f, 1.0f).y, 22.0f, 1e-5f);
    EXPECT_NEAR(glow_BezierVolume(lattice, 0.0f, 1.0f, 1.0f).y, 12.0f, 1e-5f);
    EXPECT_NEAR(glow_BezierVolume(lattice, 0.5f, 0.5f, 0.5f).y, 6.0f + 10.0f / 512.0f, 1e-5f);
}

namespace {


// fx05 with the shell's shared objects, in the generated show folder.
class Fx05Effect : public ShowEffectTest {
protected:
    void SetUp() override
    {
        ShowEffectTest::SetUp();
        if (IsSkipped()) return;
        fx05_Init();
        glow_Init();
    }

    void Frame(float t) { ShowEffectTest::Frame(fx05_Render, t, "fx05"); }

    bool RowBlack(int y) const
    {
        for (int x = 0; x < 640; ++x)
            if ((Pixel(x, y) & 0xFFFFFF) != 0) return false;
        return true;
    }

    int LitPixels(int top, int bottom) const
    {
        int lit = 0;
        for (int y = top; y < bottom; y += 2)
            for (int x = 0; x < 640; x += 2) lit += (Pixel(x, y) & 0xFFFFFF) != 0;
        return lit;
    }

};

} // namespace

TEST_F(Fx05Effect, LetterboxedPicturesBehindTheGlowAndItsOrbits)
{
    Frame(200750.0f);
    EXPECT_TRUE(RowBlack(0));
    EXPECT_TRUE(RowBlack(19));
    EXPECT_FALSE(RowBlack(21));
    EXPECT_TRUE(RowBlack(461));

    for (float t : {203628.0f, 206000.0f, 212000.0f, 221000.0f}) Frame(t);
    EXPECT_TRUE(RowBlack(39));
    EXPECT_TRUE(RowBlack(440));
    // Between the bars the layers cover the whole picture.
    EXPECT_GT(LitPixels(40, 440), 320 * 200 * 9 / 10);
    // The glow in the middle wears the render target's pictures.
    const std::uint32_t centre = Pixel(320, 240);
    EXPECT_GT(((centre >> 16) & 0xFF) + ((centre >> 8) & 0xFF) + (centre & 0xFF), 60u);
}

TEST_F(Fx05Effect, TheGlowDrawsThreePhasesAndThreePeriodsPerControlPoint)
{
    RandomSeed(7);
    glow_Init();
    std::uint32_t reference = 7;
    for (int i = 0; i < 6 * 64 + 1; ++i) reference = reference * 214013u + 2531011u;
    EXPECT_EQ(RandomNext(), static_cast<int>((reference >> 16) & 0x7FFF));
}
