#include <gtest/gtest.h>

#include <cmath>

#include "scene/tracks.h"

namespace {

constexpr float pi = 3.14159265f;

cVectorTrack::Key VectorKey(float frame, cVector value, TcbParameters tcb = {})
{
    cVectorTrack::Key key;
    key.frame = frame;
    key.value = value;
    key.tcb = tcb;
    return key;
}

cRotationTrack::Key RotationKey(float frame, cVector axis, float angle)
{
    cRotationTrack::Key key;
    key.frame = frame;
    key.axis = axis;
    key.angle = angle;
    return key;
}

void ExpectQuaternionNear(const cQuaternion& a, const cQuaternion& b, float tolerance = 1e-4f)
{
    EXPECT_NEAR(a.w, b.w, tolerance);
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// The angle of a unit quaternion about +z, for rotations that stay about z.
float AngleAboutZ(const cQuaternion& q)
{
    // QuaternionFromAxisAngle negates the vector part.
    return 2.0f * std::atan2(-q.z, q.w);
}

} // namespace

TEST(Ease, LeavesUAloneWithoutEaseAndNormalisesLargeEases)
{
    EXPECT_FLOAT_EQ(Ease(0.0f, 0.0f, 0.3f), 0.3f);
    // a + b = 3 behaves as a / 3 and b / 3.
    EXPECT_FLOAT_EQ(Ease(1.5f, 1.5f, 0.25f), Ease(0.5f, 0.5f, 0.25f));
    EXPECT_FLOAT_EQ(Ease(0.5f, 0.5f, 0.25f), 0.125f); // k = 1, (k / a) u^2
    EXPECT_FLOAT_EQ(Ease(0.5f, 0.5f, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(Ease(0.5f, 0.5f, 1.0f), 1.0f);
    // Only easing in: the constant-speed part and the ends.
    EXPECT_FLOAT_EQ(Ease(0.5f, 0.0f, 0.75f), (2.0f * 0.75f - 0.5f) / 1.5f);
}

// The segment's ends are exact whatever one-sided or tiny eases it has.
TEST(Ease, ReachesBothEndsWithOneSidedAndTinyEases)
{
    // No ease-to: the constant-speed part runs to u = 1, where
    // k (2u - a) = (2 - 0.5) / 1.5 = 1.
    EXPECT_EQ(Ease(0.5f, 0.0f, 1.0f), 1.0f);
    // Eases of 1e-39 (a + b = 0.5, so easing is on): k / 1e-39 is past a
    // float's range, yet the ends stay 0 and 1.
    EXPECT_EQ(Ease(1e-39f, 0.5f, 0.0f), 0.0f);
    EXPECT_EQ(Ease(0.5f, 1e-39f, 1.0f), 1.0f);
}

TEST(VectorTrack, AFrameOnAnInnerKeyAfterAnEaseOnlySegmentIsThatKey)
{
    cVectorTrack track(cVectorTrack::Position);
    TcbParameters easeFromOnly;
    easeFromOnly.easeFrom = 0.5f;
    track.keys = {VectorKey(0, {0, 0, 0}, easeFromOnly), VectorKey(10, {10, 5, 0}), VectorKey(20, {0, 0, 0})};
    track.Prepare();
    // Frame 10 is the end (u = 1) of the segment that starts at key 0.
    const cMatrix m = track.Evaluate(10);
    EXPECT_FLOAT_EQ(m.m[12], 10.0f);
    EXPECT_FLOAT_EQ(m.m[13], 5.0f);
}

TEST(VectorTrack, HoldsEndKeysAndPassesThroughKeys)
{
    cVectorTrack track(cVectorTrack::Position);
    track.keys = {VectorKey(0, {0, 0, 0}), VectorKey(10, {10, 0, 0}), VectorKey(30, {10, 20, 0})};
    track.Prepare();
    EXPECT_FLOAT_EQ(track.Value(-5).x, 0.0f);
    EXPECT_FLOAT_EQ(track.Value(40).y, 20.0f);
    EXPECT_FLOAT_EQ(track.Value(10).x, 10.0f);
    EXPECT_FLOAT_EQ(track.Value(10).y, 0.0f);
    EXPECT_FLOAT_EQ(track.Evaluate(30).m[13], 20.0f);

    cVectorTrack single(cVectorTrack::Scale);
    single.keys = {VectorKey(5, {2, 3, 4})};
    single.Prepare();
    EXPECT_FLOAT_EQ(single.Evaluate(100).m[10], 4.0f);
}

TEST(VectorTrack, TwoKeysWithoutTcbFormTheCubicOfTheirDifference)
{
    cVectorTrack track(cVectorTrack::Position);
    track.keys = {VectorKey(0, {0, 0, 0}), VectorKey(4, {8, -4, 2})};
    track.Prepare();
    EXPECT_FLOAT_EQ(track.keys[0].outgoing.x, 8.0f);
    EXPECT_FLOAT_EQ(track.keys[1].incoming.y, -4.0f);
    // Both tangents equal the difference: the curve is the straight line.
    EXPECT_NEAR(track.Value(1).x, 2.0f, 1e-5f);
    EXPECT_NEAR(track.Value(3).y, -3.0f, 1e-5f);
}

TEST(VectorTrack, TangentsWeighTensionContinuityBiasAndSegmentLengths)
{
    cVectorTrack track(cVectorTrack::Position);
    TcbParameters tcb;
    tcb.tension = 0.5f;
    tcb.continuity = 0.5f;
    tcb.bias = -0.5f;
    track.keys = {VectorKey(0, {0, 0, 0}), VectorKey(10, {10, 0, 0}, tcb), VectorKey(40, {40, 0, 0})};
    track.Prepare();
    // gNext = 30, gPrev = 10, fA = 30 / 40, fB = 10 / 40.
    const float out = 0.75f * (0.5f * 0.5f * 1.5f * 30.0f + 0.5f * 1.5f * 0.5f * 10.0f);
    const float in = 0.25f * (0.5f * 0.5f * 0.5f * 30.0f + 0.5f * 1.5f * 1.5f * 10.0f);
    EXPECT_FLOAT_EQ(track.keys[1].outgoing.x, out);
    EXPECT_FLOAT_EQ(track.keys[1].incoming.x, in);
}

TEST(FloatTrack, InterpolatesWithEaseOfTheStartingKey)
{
    cFloatTrack track;
    track.keys.resize(2);
    track.keys[0].frame = 0;
    track.keys[0].value = 30;
    track.keys[0].tcb.easeFrom = 0.5f;
    track.keys[0].tcb.easeTo = 0.5f;
    track.keys[1].frame = 10;
    track.keys[1].value = 60;
    track.Prepare();
    // Eased u = 0.125 at a quarter of the segment, on the line from 30 to 60.
    EXPECT_NEAR(track.Evaluate(2.5f), 30.0f + 30.0f * 0.125f, 1e-4f);
    EXPECT_FLOAT_EQ(track.Evaluate(10), 60.0f);
    EXPECT_FLOAT_EQ(track.Evaluate(-1), 30.0f);
}

TEST(RotationTrack, NegativeAngleIsThePositiveAngleAboutTheOppositeAxis)
{
    cRotationTrack negative;
    negative.keys = {RotationKey(0, {0, 0, 1}, 0), RotationKey(10, {0, 0, 1}, -pi / 2)};
    negative.Prepare();
    cRotationTrack positive;
    positive.keys = {RotationKey(0, {0, 0, 1}, 0), RotationKey(10, {0, 0, -1}, pi / 2)};
    positive.Prepare();
    EXPECT_FLOAT_EQ(negative.keys[1].axis.z, -1.0f);
    ExpectQuaternionNear(negative.Rotation(10), positive.Rotation(10));
    ExpectQuaternionNear(negative.Rotation(4), positive.Rotation(4));
    const cMatrix expected = MatrixRotationZ(-pi / 2);
    const cMatrix actual = negative.Evaluate(10);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << i;
}

TEST(RotationTrack, TwoAndAHalfTurnsRunThroughThreePhases)
{
    cRotationTrack track;
    track.keys = {RotationKey(0, {0, 0, 1}, 0), RotationKey(100, {0, 0, 1}, 5 * pi)};
    track.Prepare();
    EXPECT_EQ(track.keys[1].spins, 2);
    EXPECT_NEAR(track.keys[1].angle, pi, 1e-5f);
    // u1 = 0.2, u2 = 0.8. In the middle phase the angle grows evenly from pi
    // (at u1) by 3 pi over 0.6 of the segment, about the key's axis.
    const auto sameRotation = [](const cQuaternion& q, float angle) {
        return std::fabs(QuaternionDot(q, QuaternionFromAxisAngle({0, 0, 1}, angle)));
    };
    EXPECT_NEAR(sameRotation(track.Rotation(20), pi), 1.0f, 1e-4f);
    EXPECT_NEAR(sameRotation(track.Rotation(40), pi + pi), 1.0f, 1e-4f);
    EXPECT_NEAR(sameRotation(track.Rotation(50), pi + 1.5f * pi), 1.0f, 1e-4f);
    EXPECT_NEAR(sameRotation(track.Rotation(80), pi + 3 * pi), 1.0f, 1e-4f);
    // The first phase turns half a turn; it starts at the key.
    ExpectQuaternionNear(track.Rotation(0), cQuaternion(1, 0, 0, 0));
    const float early = AngleAboutZ(track.Rotation(10));
    EXPECT_GT(std::fabs(early), 0.01f);
    EXPECT_LT(std::fabs(early), pi);
    // The last phase ends exactly on the key's orientation.
    ExpectQuaternionNear(track.Rotation(100), track.keys[1].q);
    const cQuaternion late = track.Rotation(95);
    EXPECT_NEAR(QuaternionDot(late, late), 1.0f, 0.05f);
}

TEST(RotationTrack, OddTurnsStartTheLastPhaseFromTheNegatedQuaternion)
{
    cRotationTrack track;
    track.keys = {RotationKey(0, {0, 0, 1}, 0), RotationKey(10, {0, 0, 1}, 3 * pi)};
    track.Prepare();
    ASSERT_EQ(track.keys[1].spins, 1);
    // u1 = 1/3: at u just past u2 the result is close to -m, m = rotation by u2 * 3 pi = 2 pi.
    const cQuaternion q = track.Rotation(10.0f * (2.0f / 3.0f + 1e-4f));
    const cQuaternion m = QuaternionFromAxisAngle({0, 0, 1}, 2 * pi);
    ExpectQuaternionNear(q, -m, 1e-2f);
}

TEST(StepTrack, HoldsTheEarlierKeyUpToAndAtTheNextKey)
{
    cStepTrack<int> track;
    track.keys.resize(3);
    track.keys[0] = {0, 1, 0, 0};
    track.keys[1] = {10, 0, 0, 0};
    track.keys[2] = {20, 1, 0, 0};
    EXPECT_EQ(track.CurrentValue(5), 1);
    EXPECT_EQ(track.NextValue(5), 0);
    EXPECT_FLOAT_EQ(track.BlendFactor(5), 0.5f);
    EXPECT_EQ(track.CurrentValue(10), 1) << "a key's own frame still ends the segment before it";
    EXPECT_FLOAT_EQ(track.BlendFactor(10), 1.0f);
    EXPECT_EQ(track.CurrentValue(10.5f), 0);
    EXPECT_EQ(track.CurrentValue(-3), 1);
    EXPECT_FLOAT_EQ(track.BlendFactor(-3), 0.0f);
    EXPECT_EQ(track.CurrentValue(25), 1);
    EXPECT_EQ(track.NextValue(25), 1);
    EXPECT_FLOAT_EQ(track.BlendFactor(25), 1.0f);

    cStepTrack<int> single;
    single.keys.resize(1);
    single.keys[0] = {3, 7, 0, 0};
    EXPECT_EQ(single.CurrentValue(100), 7);
    EXPECT_FLOAT_EQ(single.BlendFactor(100), 0.0f);
}
