#pragma once
// The little vector algebra the vertex pipeline needs, on Direct3D's terms:
// row vectors multiplied on the left of D3DMATRIX (p * M, m[row][col]).

#include <cmath>

#include "platform/d3d8/d3d8_types.h"

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Vec4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

// The upper 3x3 of a matrix, used for directions and normals.
struct Mat3 {
    float m[3][3] = {};
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

// A zero vector stays zero rather than turning into NaNs.
inline Vec3 Normalize(Vec3 a)
{
    const float length = Length(a);
    return length > 0.0f ? a * (1.0f / length) : a;
}

inline Vec3 Lerp(Vec3 a, Vec3 b, float t) { return a * (1.0f - t) + b * t; }

inline D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
    D3DMATRIX result;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            result.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] +
                                 a.m[row][2] * b.m[2][col] + a.m[row][3] * b.m[3][col];
        }
    }
    return result;
}

// The point (p, 1) through m, keeping x, y, z (for affine matrices).
inline Vec3 TransformPoint(Vec3 p, const D3DMATRIX& m)
{
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

inline Vec4 TransformPoint4(Vec3 p, const D3DMATRIX& m)
{
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2],
            p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3]};
}

inline Vec4 TransformVec4(Vec4 v, const D3DMATRIX& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2],
            v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3]};
}

inline Vec3 TransformDirection(Vec3 v, const D3DMATRIX& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

inline Vec3 TransformDirection(Vec3 v, const Mat3& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

// Normals go through the inverse transpose of the upper 3x3 so that they stay
// perpendicular to surfaces under non-uniform scaling; their length changes
// with the scale, which lighting sees unless NORMALIZENORMALS is set. A
// singular matrix flattens every normal to zero.
inline Mat3 NormalMatrix(const D3DMATRIX& m)
{
    const auto& a = m.m;
    // Cofactors of the 3x3: the inverse transpose is cofactor / determinant.
    Mat3 cofactor;
    cofactor.m[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    cofactor.m[0][1] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    cofactor.m[0][2] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    cofactor.m[1][0] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    cofactor.m[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    cofactor.m[1][2] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    cofactor.m[2][0] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    cofactor.m[2][1] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    cofactor.m[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const float determinant =
        a[0][0] * cofactor.m[0][0] + a[0][1] * cofactor.m[0][1] + a[0][2] * cofactor.m[0][2];
    Mat3 result;
    if (determinant == 0.0f || !std::isfinite(determinant)) return result;
    const float inverse = 1.0f / determinant;
    for (auto& row : cofactor.m)
        for (float& value : row) value *= inverse;
    return cofactor;
}

inline float Clamp01(float value) { return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value); }
