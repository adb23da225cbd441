#include "effects/logo.h"

#include <gtest/gtest.h>

TEST(Logo, BarsAppearAfterOneSecondAndJumpToAHundredAtOneAndAHalf)
{
    EXPECT_EQ(logo_Bars(0.999f).count, 0.0f);
    EXPECT_EQ(logo_Bars(1.0f).count, 0.0f); // the phase starts with no bar
    EXPECT_EQ(logo_Bars(1.0f).alpha, 0u);
    const LogoBars late = logo_Bars(1.4999f);
    EXPECT_NEAR(late.count, 25.0f, 0.01f);
    EXPECT_EQ(late.alpha, 55u);
    EXPECT_EQ(logo_Bars(1.5f).count, 100.0f);
    EXPECT_EQ(logo_Bars(1.5f).alpha, 223u);
    EXPECT_EQ(logo_Bars(2.0f).count, 0.0f);
}
