#include <gtest/gtest.h>

#include <cmath>

#include "app/fades.h"
#include "app/schedule.h"

namespace {

int SlotId(std::uint32_t t)
{
    const Slot* slot = SlotAt(t);
    return slot == nullptr ? 99 : slot->id;
}

} // namespace

TEST(Schedule, SlotBoundariesAreInclusiveFromExclusiveTo)
{
    const std::pair<std::uint32_t, int> expected[] = {
        {0, 0},        {2799, 0},      {2800, 1},      {24752, 1},     {24753, 2},     {26599, 2},
        {26600, 3},    {35650, 4},     {60499, 4},     {60500, 5},     {110449, 5},    {110450, 6},
        {118000, 7},   {140000, 8},    {172000, 9},    {200000, 10},   {222234, 10},   {222235, 11},
        {233180, 12},  {249999, 12},   {250000, -1},   {264999, -1},   {265000, 14},   {270999, 14},
        {271000, 99},  {4000000, 99},
    };
    for (auto [t, id] : expected) EXPECT_EQ(SlotId(t), id) << "t = " << t;
}

TEST(Schedule, SlotsKeepTheirFadesInOrder)
{
    const Slot* fx04 = SlotAt(60500);
    ASSERT_EQ(fx04->fadeCount, 9);
    EXPECT_EQ(fx04->fades[0].kind, FadeKind::ToBlack);
    EXPECT_EQ(fx04->fades[0].start, 90749.0f);
    EXPECT_EQ(fx04->fades[7].kind, FadeKind::FromBlack);
    EXPECT_EQ(fx04->fades[7].duration, 1300.0f);
    EXPECT_EQ(fx04->fades[8].kind, FadeKind::ToWhite);
    const Slot* finale = SlotAt(265000);
    ASSERT_EQ(finale->fadeCount, 2);
    EXPECT_EQ(finale->fades[1].start, 266000.0f);
    EXPECT_EQ(finale->fades[1].duration, 5000.0f);
}

TEST(Schedule, RewindMapsRealTimeOntoFallingShowTime)
{
    bool rewinding = true;
    EXPECT_EQ(ShowTime(249999, &rewinding), 249999u);
    EXPECT_FALSE(rewinding);
    EXPECT_EQ(ShowTime(250000, &rewinding), 250000u);
    EXPECT_TRUE(rewinding);
    EXPECT_EQ(ShowTime(250001, &rewinding), 249983u);
    EXPECT_EQ(ShowTime(264999, &rewinding), 16u);
    EXPECT_TRUE(rewinding);
    EXPECT_EQ(ShowTime(265000, &rewinding), 265000u);
    EXPECT_FALSE(rewinding);
    EXPECT_EQ(SlotId(ShowTime(250001, &rewinding)), 12);
    EXPECT_EQ(SlotId(ShowTime(264999, &rewinding)), 0);
}

TEST(Schedule, RewindPulseSwingsBetweenPointThreeAndOne)
{
    EXPECT_NEAR(RewindPulse(250000.0f), 0.3f, 1e-6f);
    EXPECT_NEAR(RewindPulse(251250.0f), 1.0f, 1e-5f); // half the 2500 ms period
    EXPECT_NEAR(RewindPulse(252500.0f), 0.3f, 1e-5f);
    EXPECT_NEAR(RewindPulse(250625.0f), 0.3f + 0.7f * std::sqrt(0.5f), 1e-5f);
}

TEST(Fades, AlphaRisesOrFallsInsideAHalfOpenWindow)
{
    EXPECT_EQ(FadeAlpha(100.0f, 100.0f, 300.0f, true), 0.0f);
    EXPECT_EQ(static_cast<int>(FadeAlpha(399.0f, 100.0f, 300.0f, true) * 255.0f), 254);
    EXPECT_LT(FadeAlpha(400.0f, 100.0f, 300.0f, true), 0.0f);
    EXPECT_LT(FadeAlpha(99.0f, 100.0f, 300.0f, true), 0.0f);
    EXPECT_EQ(FadeAlpha(100.0f, 100.0f, 300.0f, false), 1.0f);
    EXPECT_LT(FadeAlpha(100.0f, 100.0f, 0.0f, true), 0.0f);
    // The last frame before fx01 takes over: the black fade is almost opaque.
    EXPECT_GT(FadeAlpha(24752.0f, 24400.0f, 353.0f, true), 0.99f);
}
