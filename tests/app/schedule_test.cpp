#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

// The timetable's fades, slot by slot in the order each slot draws them.
TEST(Schedule, EverySlotDrawsItsFadesInTheTimetablesOrder)
{
    using F = FadeKind;
    struct Expected {
        std::uint32_t slotStart;
        std::vector<ScheduledFade> fades;
    };
    const Expected timetable[] = {
        {0, {}},
        {2800, {{F::ToBlack, 24400, 353}}},
        {24753, {{F::FromBlack, 24753, 350}, {F::ToBlack, 26300, 300}}},
        {26600, {{F::FromBlack, 26600, 300}, {F::ToBlack, 35350, 300}}},
        {35650, {{F::FromBlack, 35650, 300}}},
        {60500,
         {{F::ToBlack, 90749, 100}, {F::FromBlack, 90849, 100}, {F::ToBlack, 91347, 100}, {F::FromBlack, 91447, 100},
          {F::FromBlack, 90220, 200}, {F::ToBlack, 91739, 200}, {F::FromBlack, 91939, 200},
          {F::FromBlack, 60500, 1300}, {F::ToWhite, 107084, 3366}}},
        {110450, {{F::FromWhite, 110450, 300}, {F::ToWhite, 117700, 300}}},
        {118000, {{F::FromWhite, 118000, 1400}, {F::ToWhite, 139700, 300}}},
        {140000, {{F::FromWhite, 140000, 300}, {F::ToWhite, 171600, 400}}},
        {172000, {{F::FromWhite, 172000, 300}, {F::ToBlack, 199000, 1000}}},
        {200000, {{F::FromBlack, 200000, 400}, {F::ToWhite, 221900, 335}}},
        {222235, {{F::FromWhite, 222235, 300}, {F::ToWhite, 232880, 300}}},
        {233180, {{F::FromWhite, 233180, 300}}},
        {250000, {}},
        {265000, {{F::FromBlack, 265000, 2000}, {F::ToBlack, 266000, 5000}}},
    };
    int total = 0;
    for (const Expected& expected : timetable) {
        const Slot* slot = SlotAt(expected.slotStart);
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->from, expected.slotStart);
        ASSERT_EQ(slot->fadeCount, static_cast<int>(expected.fades.size())) << "slot from " << expected.slotStart;
        for (int i = 0; i < slot->fadeCount; ++i) {
            const ScheduledFade& want = expected.fades[static_cast<size_t>(i)];
            EXPECT_EQ(slot->fades[i].kind, want.kind) << "slot from " << expected.slotStart << ", fade " << i;
            EXPECT_EQ(slot->fades[i].start, want.start) << "slot from " << expected.slotStart << ", fade " << i;
            EXPECT_EQ(slot->fades[i].duration, want.duration) << "slot from " << expected.slotStart << ", fade " << i;
        }
        total += slot->fadeCount;
    }
    EXPECT_EQ(total, 30); // the 31st is the rewind's darkening, below
}

// The rewind darkening runs on the real clock: clear at 260300, half way at
// 260300 + 4300 / 2 = 262450, 4299 / 4300 = 0.99977 a millisecond before
// 264600, and not drawn from 264600 to the passage's end at 265000.
TEST(Schedule, TheRewindDarkensTheScreenOverItsLastFiveSeconds)
{
    EXPECT_EQ(rewindDarkening.kind, FadeKind::ToBlack);
    const auto alpha = [](float clock) {
        return FadeAlpha(clock, rewindDarkening.start, rewindDarkening.duration, true);
    };
    EXPECT_LT(alpha(260299.0f), 0.0f);
    EXPECT_EQ(alpha(260300.0f), 0.0f);
    EXPECT_FLOAT_EQ(alpha(262450.0f), 0.5f);
    EXPECT_NEAR(alpha(264599.0f), 0.99977f, 1e-5f);
    EXPECT_LT(alpha(264600.0f), 0.0f);
    EXPECT_LT(alpha(264999.0f), 0.0f);
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
