#include "math_testing.h"

#include <cmath>

TEST(Vector, ArithmeticIsComponentWise)
{
    cVector v(1.0f, 2.0f, 3.0f);
    v += cVector(1.0f, 1.0f, 1.0f);
    v -= cVector(0.5f, 0.0f, 1.0f);
    const cVector r = -(2.0f * v - v * 0.5f + cVector(0.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(r.x, -2.25f);
    EXPECT_FLOAT_EQ(r.y, -5.5f);
    EXPECT_FLOAT_EQ(r.z, -4.5f);
    EXPECT_FLOAT_EQ(VectorLength(cVector(2.0f, 3.0f, 6.0f)), 7.0f);
    EXPECT_FLOAT_EQ(VectorNormalize(cVector(0.0f, -3.0f, 4.0f)).y, -0.6f);
}

TEST(Vector, TimesMatrixIsAPointWithoutDivide)
{
    cMatrix m = MatrixTranslation(10.0f, 20.0f, 30.0f);
    m.m[3] = m.m[7] = m.m[11] = 7.0f;  // a w column that a divide would use
    m.m[15] = 5.0f;
    const cVector p = cVector(1.0f, 2.0f, 3.0f) * m;
    EXPECT_FLOAT_EQ(p.x, 11.0f);
    EXPECT_FLOAT_EQ(p.y, 22.0f);
    EXPECT_FLOAT_EQ(p.z, 33.0f);
}

TEST(Matrix, ElementAccessCountsFromOne)
{
    cMatrix m(0.0f);
    m(1, 1) = 1.0f;
    m(4, 3) = 2.0f;
    const cMatrix& constant = m;
    const float* device = constant;
    EXPECT_EQ(device[0], 1.0f);
    EXPECT_EQ(device[14], 2.0f);
    EXPECT_EQ(constant(2, 3), m.m[6]);
}

TEST(Matrix, ProductAppliesLeftOperandFirst)
{
    const cVector p = cVector(1.0f, 2.0f, 3.0f) * (MatrixTranslation(1.0f, 1.0f, 1.0f) * MatrixScaling(2.0f));
    EXPECT_FLOAT_EQ(p.x, 4.0f);
    EXPECT_FLOAT_EQ(p.z, 8.0f);

    cMatrix m = MatrixTranslation(1.0f, 2.0f, 3.0f);
    m *= MatrixScaling(cVector(2.0f, 3.0f, 4.0f));
    EXPECT_FLOAT_EQ(m.m[14], 12.0f);
    const cMatrix squared = m * m;
    m *= m;
    ExpectMatrixNear(m, squared, 0.0f);
}

TEST(Matrix, EulerTurnsAboutZThenXThenY)
{
    // Quarter turns: Z takes (0, 1, 0) to (-1, 0, 0), X leaves it, Y takes it to
    // (0, 0, 1); Z leaves (0, 0, 1), X takes it to (0, -1, 0), Y leaves it.
    const float quarter = 1.5707964f;
    const cMatrix euler = MatrixRotationEuler(cVector(quarter, quarter, quarter));
    EXPECT_NEAR(VectorLength(cVector(0.0f, 1.0f, 0.0f) * euler - cVector(0.0f, 0.0f, 1.0f)), 0.0f, 1e-6f);
    EXPECT_NEAR(VectorLength(cVector(0.0f, 0.0f, 1.0f) * euler - cVector(0.0f, -1.0f, 0.0f)), 0.0f, 1e-6f);
}

TEST(Matrix, InverseAffineUndoesRotationScaleTranslation)
{
    // With translations up to 100 and scales of 0.5 to 2 the translation row of
    // the product carries rounding errors up to about 2e-5; 1e-4 leaves room.
    RandomMath random;
    for (int i = 0; i < 300; i++) {
        const cMatrix m = random.RotationScaleTranslation();
        const cMatrix product = MatrixInverseAffine(m) * m;
        ExpectMatrixNear(product, MatrixIdentity(), 1e-4f);

        const cMatrix linear = MatrixInverseLinear(m) * m;
        ExpectMatrixNear(linear, MatrixTranslation(m.m[12], m.m[13], m.m[14]), 1e-4f);
    }
    ExpectMatrixNear(MatrixInverseLinear(MatrixTranslation(5.0f, -6.0f, 7.0f)), MatrixIdentity(), 0.0f);
}

TEST(Matrix, PerspectiveFromVerticalFieldOfView)
{
    const cMatrix m = MatrixPerspective(90.0f, 1.0f, 1.0f, 2.0f);
    cMatrix expected(0.0f);
    expected.m[0] = expected.m[5] = 1.0f;
    expected.m[10] = 2.0f;
    expected.m[11] = 1.0f;
    expected.m[14] = -2.0f;
    ExpectMatrixNear(m, expected, 1e-5f);

    const cMatrix narrow = MatrixPerspective(60.0f, 0.75f, 1.0f, 100.0f);
    EXPECT_NEAR(narrow.m[5], std::sqrt(3.0f), 1e-5f);
    EXPECT_FLOAT_EQ(narrow.m[0], 0.75f * narrow.m[5]);
}

TEST(Matrix, CameraLookAt)
{
    const cVector origin(0.0f, 0.0f, 0.0f);
    ExpectMatrixNear(MatrixCameraLookAt(origin, cVector(0.0f, 0.0f, 1.0f), 0.0f), MatrixIdentity(), 0.0f);
    ExpectMatrixNear(MatrixCameraLookAt(origin, cVector(0.0f, 0.0f, -1.0f), 0.0f), MatrixRotationY(3.1415927f), 1e-6f);
    ExpectMatrixNear(MatrixCameraLookAt(origin, cVector(0.0f, 0.0f, 5.0f), 30.0f), MatrixRotationZ(30.0f * 0.01745328f), 1e-6f);

    // Whatever the roll, the target lies straight ahead at its distance.
    RandomMath random;
    for (int i = 0; i < 100; i++) {
        const cVector eye = random.Vector(50.0f);
        const cVector target = random.Vector(50.0f);
        const cVector ahead = target * MatrixCameraLookAt(eye, target, random.Uniform(-180.0f, 180.0f));
        EXPECT_NEAR(ahead.x, 0.0f, 1e-4f);
        EXPECT_NEAR(ahead.y, 0.0f, 1e-4f);
        EXPECT_NEAR(ahead.z, VectorLength(target - eye), 1e-4f);
    }
}
