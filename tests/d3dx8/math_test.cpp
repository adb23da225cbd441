#include <gtest/gtest.h>

#include <numbers>

#include "platform/d3dx8/d3dx8_math.h"

namespace {

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected, float tolerance = 1e-5f)
{
    for (int row = 0; row < 4; row++) {
        for (int column = 0; column < 4; column++) {
            EXPECT_NEAR(actual(row, column), expected(row, column), tolerance) << "m[" << row << "][" << column << "]";
        }
    }
}

D3DXVECTOR3 Transformed(D3DXVECTOR3 point, const D3DXMATRIX& matrix)
{
    return *D3DXVec3TransformCoord(&point, &point, &matrix);
}

void ExpectVectorNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

} // namespace

TEST(D3dxMath, LookAtMovesTheEyeToTheOriginFacingPlusZ)
{
    const D3DXVECTOR3 eye(0, 0, -5), origin(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    ExpectMatrixNear(*D3DXMatrixLookAtLH(&view, &eye, &origin, &up),
                     D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1));

    const D3DXVECTOR3 from(3, 4, -2), to(-1, 2, 5);
    D3DXMatrixLookAtLH(&view, &from, &to, &up);
    const D3DXVECTOR3 sight = to - from;
    ExpectVectorNear(Transformed(from, view), D3DXVECTOR3(0, 0, 0));
    ExpectVectorNear(Transformed(to, view), D3DXVECTOR3(0, 0, D3DXVec3Length(&sight)));
    EXPECT_GT(Transformed(from + D3DXVECTOR3(0, 1, 0), view).y, 0.5f); // up stays up
}

TEST(D3dxMath, PerspectiveFovHasDirect3DsElements)
{
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 2, 4.0f / 3.0f, 1.0f, 100.0f);
    ExpectMatrixNear(projection,
                     D3DXMATRIX(0.75f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 100.0f / 99.0f, 1, 0, 0, -100.0f / 99.0f, 0));
}

TEST(D3dxMath, RotationsAndProductsFollowDirect3DsRowVectorConvention)
{
    const float quarter = std::numbers::pi_v<float> / 2;
    D3DXMATRIX x, y, z, scaling, translation;
    ExpectVectorNear(Transformed(D3DXVECTOR3(0, 1, 0), *D3DXMatrixRotationX(&x, quarter)), D3DXVECTOR3(0, 0, 1));
    ExpectVectorNear(Transformed(D3DXVECTOR3(0, 0, 1), *D3DXMatrixRotationY(&y, quarter)), D3DXVECTOR3(1, 0, 0));
    ExpectVectorNear(Transformed(D3DXVECTOR3(1, 0, 0), *D3DXMatrixRotationZ(&z, quarter)), D3DXVECTOR3(0, 1, 0));

    // Scale, then rotate, then move, with the output written over an input.
    D3DXMATRIX combined = *D3DXMatrixScaling(&scaling, 2, 2, 2);
    D3DXMatrixMultiply(&combined, &combined, &z);
    D3DXMatrixMultiply(&combined, &combined, D3DXMatrixTranslation(&translation, 1, 2, 3));
    ExpectVectorNear(Transformed(D3DXVECTOR3(1, 0, 0), combined), D3DXVECTOR3(1, 4, 3));
}
