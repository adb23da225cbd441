#include "math/rotate_point.h"

#include <gtest/gtest.h>

// A quarter turn about each axis in turn, worked by hand: (0, 0, 80) about X
// by 90 degrees goes to (0, 80, 0); (10, 0, 0) about Y by 90 goes to (0, 0, 10)
// (z1 cos q + x sin q); (10, 0, 0) about Z by 90 goes to (0, -10, 0).
TEST(RotatePoint, TurnsAboutXThenYThenZInDegrees)
{
    const cVector aboutX = RotatePoint(0.0f, 0.0f, 80.0f, 90.0f, 0.0f, 0.0f);
    EXPECT_NEAR(aboutX.x, 0.0f, 1e-5f);
    EXPECT_NEAR(aboutX.y, 80.0f, 1e-5f);
    EXPECT_NEAR(aboutX.z, 0.0f, 1e-5f);
    const cVector aboutY = RotatePoint(10.0f, 0.0f, 0.0f, 0.0f, 90.0f, 0.0f);
    EXPECT_NEAR(aboutY.x, 0.0f, 1e-5f);
    EXPECT_NEAR(aboutY.z, 10.0f, 1e-5f);
    const cVector aboutZ = RotatePoint(10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f);
    EXPECT_NEAR(aboutZ.x, 0.0f, 1e-5f);
    EXPECT_NEAR(aboutZ.y, -10.0f, 1e-5f);
    // The order matters: X then Z differs from Z then X.
    const cVector both = RotatePoint(0.0f, 10.0f, 0.0f, 90.0f, 0.0f, 90.0f);
    EXPECT_NEAR(both.x, 0.0f, 1e-5f);
    EXPECT_NEAR(both.z, -10.0f, 1e-5f);
}
