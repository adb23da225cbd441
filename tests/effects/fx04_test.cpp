#include "effects/fx04.h"

#include <gtest/gtest.h>

#include "support/random.h"

TEST(Fx04, TheFlareFlashRisesForATenthOfASecondAndFallsOverThree)
{
    const float beat = 65892.0f;
    EXPECT_EQ(fx04_FlashEnvelope(beat - 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(fx04_FlashEnvelope(beat + 50.0f) + 3.5f, 4.5f);
    EXPECT_FLOAT_EQ(fx04_FlashEnvelope(beat + 100.0f) + 3.5f, 5.5f);
    EXPECT_NEAR(fx04_FlashEnvelope(beat + 200.0f) + 3.5f, 4.833f, 0.001f);
    EXPECT_EQ(fx04_FlashEnvelope(beat + 400.0f) + 3.5f, 3.5f);
}

TEST(Fx04, PyramidsDropInFadeAndJumpHigherWithTheMusic)
{
    // Column 0, row 0 is at z = 450 when 1250 ms have passed since 62135.
    const Fx04Pyramid quiet = fx04_Pyramid(0, 0, 62135.0f + 1250.0f, 0.0f);
    EXPECT_FLOAT_EQ(quiet.z, 450.0f);
    EXPECT_FLOAT_EQ(quiet.alpha, 0.25f);
    const Fx04Pyramid far = fx04_Pyramid(0, 0, 62135.0f, 0.0f);
    EXPECT_EQ(far.alpha, 0.0f); // z = 700: not yet visible

    // Over the middle of the field the bounce spans -30..30 when quiet and
    // reaches 120 upward at full level; the field wraps to the back.
    float lowest = 0.0f, highestQuiet = 0.0f, highestLoud = 0.0f;
    for (float t = 66000.0f; t < 69000.0f; t += 7.0f) {
        const Fx04Pyramid p = fx04_Pyramid(2, 8, t, 0.0f);
        ASSERT_GE(p.z, -300.0f);
        ASSERT_LT(p.z, 850.0f);
        if (p.z < -200.0f || p.z >= 400.0f) continue;
        EXPECT_FLOAT_EQ(p.alpha, 0.5f);
        lowest = std::min(lowest, p.y);
        highestQuiet = std::max(highestQuiet, p.y);
        highestLoud = std::max(highestLoud, fx04_Pyramid(2, 8, t, 1.0f).y);
    }
    EXPECT_NEAR(lowest, -30.0f, 0.5f);
    EXPECT_NEAR(highestQuiet, 30.0f, 0.5f);
    EXPECT_NEAR(highestLoud, 120.0f, 2.0f);
}

// The C library generator from state 1 gives 41, 18467, 6334, 26500, then
// 19169, 15724, 11478, 29358. Drawn as r1..r4 for z, y, x and the clock:
//   z = (41 - 1000) / 9000 + 0.1 = -0.0065556    y = 467 / 7000 + 0.6 = 0.6667143
//   x = (334 - 1000) / 9000 + 0.1 = 0.026        clock = 6500 x 0.001 = 6.5
//   z = (1169 - 1000) / 9000 + 0.1 = 0.1187778   y = 724 / 7000 + 0.6 = 0.7034286
//   x = (1478 - 1000) / 9000 + 0.1 = 0.1531111   clock = 9358 x 0.001 = 9.358
TEST(Fx04, EachFountainRecordTakesFourDrawsForZYXAndItsClock)
{
    RandomSeed(1);
    const Fx04FountainRecord first = fx04_DrawFountainRecord();
    EXPECT_NEAR(first.velocity.z, -0.0065556f, 1e-6f);
    EXPECT_NEAR(first.velocity.y, 0.6667143f, 1e-6f);
    EXPECT_NEAR(first.velocity.x, 0.026f, 1e-6f);
    EXPECT_NEAR(first.startClock, 6.5f, 1e-6f);
    const Fx04FountainRecord second = fx04_DrawFountainRecord();
    EXPECT_NEAR(second.velocity.z, 0.1187778f, 1e-6f);
    EXPECT_NEAR(second.velocity.y, 0.7034286f, 1e-6f);
    EXPECT_NEAR(second.velocity.x, 0.1531111f, 1e-6f);
    EXPECT_NEAR(second.startClock, 9.358f, 1e-6f);
    RandomSeed(1);
}
