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
