#include "math_testing.h"

#include <cmath>

TEST(Quaternion, AxisAngleMatchesAxisRotations)
{
    RandomMath random;
    for (int i = 0; i < 100; i++) {
        const float a = random.Angle();
        ExpectMatrixNear(MatrixFromQuaternion(QuaternionFromAxisAngle(cVector(1.0f, 0.0f, 0.0f), a)), MatrixRotationX(a), 1e-6f);
        ExpectMatrixNear(MatrixFromQuaternion(QuaternionFromAxisAngle(cVector(0.0f, 1.0f, 0.0f), a)), MatrixRotationY(a), 1e-6f);
        ExpectMatrixNear(MatrixFromQuaternion(QuaternionFromAxisAngle(cVector(0.0f, 0.0f, 1.0f), a)), MatrixRotationZ(a), 1e-6f);
    }
}

TEST(Quaternion, ProductComposesLikeMatrices)
{
    RandomMath random;
    for (int i = 0; i < 100; i++) {
        const cQuaternion a = random.Rotation();
        const cQuaternion b = random.Rotation();
        ExpectMatrixNear(MatrixFromQuaternion(a * b), MatrixFromQuaternion(a) * MatrixFromQuaternion(b), 1e-5f);
    }
}

TEST(Quaternion, Exp)
{
    ExpectQuaternionNear(QuaternionExp(cQuaternion(3.0f, 0.0f, 0.0f, 0.0f)), cQuaternion(1.0f, 0.0f, 0.0f, 0.0f), 0.0f);
    ExpectQuaternionNear(QuaternionExp(cQuaternion(0.0f, 0.0f, 0.6f, 0.8f)),
                         cQuaternion(std::cos(1.0f), 0.0f, 0.6f * std::sin(1.0f), 0.8f * std::sin(1.0f)), 1e-6f);
}

TEST(Quaternion, InterpolatorsPassThroughTheirKeys)
{
    RandomMath random;
    for (int i = 0; i < 100; i++) {
        const cQuaternion p = random.Rotation();
        const cQuaternion a = random.Rotation();
        const cQuaternion b = random.Rotation();
        const cQuaternion q = random.Rotation();
        ExpectQuaternionNear(QuaternionSlerp(0.0f, p, q), p, 1e-6f);
        ExpectQuaternionNear(QuaternionSlerp(1.0f, p, q), q, 1e-5f);
        ExpectQuaternionNear(QuaternionSquad(0.0f, p, a, b, q), p, 1e-6f);
        ExpectQuaternionNear(QuaternionSquad(1.0f, p, a, b, q), q, 1e-5f);
    }
}

TEST(Quaternion, SlerpTakesTheArcAsGiven)
{
    const cQuaternion a(1.0f, 0.0f, 0.0f, 0.0f);
    const cVector x(1.0f, 0.0f, 0.0f);
    ExpectQuaternionNear(QuaternionSlerp(0.5f, a, QuaternionFromAxisAngle(x, 1.0f)), QuaternionFromAxisAngle(x, 0.5f), 1e-6f);

    // b is a small turn from -a: the short way round passes near -a, the long one far from both.
    const cQuaternion b = -QuaternionFromAxisAngle(cVector(0.0f, 1.0f, 0.0f), 0.5f);
    const float halfArc = std::acos(QuaternionDot(a, b)) / 2.0f;
    EXPECT_NEAR(QuaternionDot(QuaternionSlerp(0.5f, a, b), a), std::cos(halfArc), 1e-6f);

    // Exactly opposite keys blend linearly through zero, with no renormalising.
    ExpectQuaternionNear(QuaternionSlerp(0.5f, a, -a), cQuaternion(), 0.0f);
}

TEST(Quaternion, SlerpOfNearlyEqualKeysIsTheLinearBlend)
{
    const cQuaternion a = QuaternionFromAxisAngle(VectorNormalize(cVector(1.0f, 2.0f, 3.0f)), 0.7f);
    const cQuaternion past = a * 1.0000002f;  // a dot product just above 1, as rounding gives
    ASSERT_GT(QuaternionDot(a, past), 1.0f);
    const cQuaternion near = QuaternionFromAxisAngle(cVector(1.0f, 0.0f, 0.0f), 0.0015f) * a;
    for (float t : {0.0f, 0.3f, 1.0f}) {
        ExpectQuaternionNear(QuaternionSlerp(t, a, a), (1.0f - t) * a + t * a, 0.0f);
        ExpectQuaternionNear(QuaternionSlerp(t, a, a), a, 1e-6f);
        ExpectQuaternionNear(QuaternionSlerp(t, a, past), (1.0f - t) * a + t * past, 0.0f);
        ExpectQuaternionNear(QuaternionSlerp(t, a, near), (1.0f - t) * a + t * near, 0.0f);
    }
}

TEST(Quaternion, SquadOfTurnsAboutOneAxisBlendsTheirAngles)
{
    // Slerp between turns about one axis blends their angles, so at t = 1/4 the
    // inner slerps give 0.1 and 1.0 and the outer one, at 2t(1 - t) = 3/8, 0.4375.
    const cVector x(1.0f, 0.0f, 0.0f);
    const cQuaternion squad = QuaternionSquad(0.25f, QuaternionFromAxisAngle(x, 0.0f), QuaternionFromAxisAngle(x, 0.8f),
                                              QuaternionFromAxisAngle(x, 1.6f), QuaternionFromAxisAngle(x, 0.4f));
    ExpectQuaternionNear(squad, QuaternionFromAxisAngle(x, 0.4375f), 1e-6f);
}
