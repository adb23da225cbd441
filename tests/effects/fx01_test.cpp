#include "effects/fx01.h"

#include <gtest/gtest.h>

TEST(Fx01, BeatsSqueezeTheViewportForTwoHundredMilliseconds)
{
    const D3DVIEWPORT8 half = fx01_Viewport(39100.0f);
    EXPECT_EQ(half.Y, 110u);
    EXPECT_EQ(half.Height, 260u);
    const D3DVIEWPORT8 narrowest = fx01_Viewport(39199.9f); // a band of 40 rows round the middle
    EXPECT_EQ(narrowest.Y, 219u);
    EXPECT_EQ(narrowest.Height, 40u);
    EXPECT_EQ(fx01_Viewport(39200.0f).Height, 480u); // full again
    const D3DVIEWPORT8 second = fx01_Viewport(49005.0f + 100.0f);
    EXPECT_EQ(second.Y, 55u);
    EXPECT_EQ(second.Height, 370u);
    EXPECT_EQ(fx01_Viewport(38000.0f).Height, 480u);
}

TEST(Fx01, GridBandsRepeatEveryTenColumnsAndDriftAColumnEachTenthOfASecond)
{
    EXPECT_EQ(fx01_BandAlpha(0, 0.0f), 0u);
    EXPECT_EQ(fx01_BandAlpha(5, 0.0f), 128u);
    for (unsigned col = 0; col < 30; ++col) {
        EXPECT_NEAR(fx01_BandAlpha(col, 0.0f), fx01_BandAlpha(col + 10, 0.0f), 1u);
        EXPECT_NEAR(fx01_BandAlpha(col, 100.0f), fx01_BandAlpha(col + 1, 0.0f), 1u);
    }
}

// k = 0.002 t m with m = 0.8 in (38980, 41560), 0.6 in (49000, 50750) and
// 0.4 elsewhere, both windows open at both ends:
//   40000 -> 0.002 x 40000 x 0.8 = 64;     50000 -> 0.002 x 50000 x 0.6 = 60;
//   45000 -> 0.002 x 45000 x 0.4 = 36;     49000 -> 0.002 x 49000 x 0.4 = 39.2;
//   49001 -> 0.002 x 49001 x 0.6 = 58.8012; 50749 -> 0.002 x 50749 x 0.6 = 60.8988;
//   50750 -> 0.002 x 50750 x 0.4 = 40.6;   41560 -> 0.002 x 41560 x 0.4 = 33.248.
TEST(Fx01, TheObjectsTurnFasterOnTwoStretchesOfTheMusic)
{
    EXPECT_NEAR(fx01_SpinAngle(40000.0f), 64.0f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(41560.0f), 33.248f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(45000.0f), 36.0f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(49000.0f), 39.2f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(49001.0f), 58.8012f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(50000.0f), 60.0f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(50749.0f), 60.8988f, 1e-3f);
    EXPECT_NEAR(fx01_SpinAngle(50750.0f), 40.6f, 1e-3f);
}
