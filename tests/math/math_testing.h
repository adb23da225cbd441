#pragma once
// Comparisons and a fixed-seed source of random transforms for the math tests.

#include <gtest/gtest.h>

#include <random>

#include "math/math.h"

inline void ExpectMatrixNear(const cMatrix& actual, const cMatrix& expected, float tolerance)
{
    for (int i = 0; i < 16; i++) {
        EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
    }
}

inline void ExpectQuaternionNear(const cQuaternion& actual, const cQuaternion& expected, float tolerance)
{
    EXPECT_NEAR(actual.w, expected.w, tolerance);
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class RandomMath {
public:
    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(engine); }
    float Angle() { return Uniform(-6.3f, 6.3f); }
    cVector Vector(float range) { return cVector(Uniform(-range, range), Uniform(-range, range), Uniform(-range, range)); }
    cVector Axis() { return VectorNormalize(Vector(1.0f)); }
    cQuaternion Rotation() { return QuaternionFromAxisAngle(Axis(), Angle()); }

    // Scales of 0.5 to 2 per axis, any rotation, translations up to 100.
    cMatrix RotationScaleTranslation()
    {
        const cVector scale(Uniform(0.5f, 2.0f), Uniform(0.5f, 2.0f), Uniform(0.5f, 2.0f));
        return MatrixScaling(scale) * MatrixRotationEuler(cVector(Angle(), Angle(), Angle())) *
               MatrixTranslation(Vector(100.0f));
    }

private:
    std::mt19937 engine{20};
};
