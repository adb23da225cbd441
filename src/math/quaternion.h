#pragma once
// A rotation as a quaternion, stored w first. The same type doubles as a plain
// four-float value for the component-wise operations, which is how the
// interpolators blend keys.

#include "math/vector.h"

class cQuaternion {
public:
    float w = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    cQuaternion() = default;
    cQuaternion(float w, float x, float y, float z) : w(w), x(x), y(y), z(z) {}

    cQuaternion operator+(const cQuaternion& q) const { return cQuaternion(w + q.w, x + q.x, y + q.y, z + q.z); }
    cQuaternion operator-(const cQuaternion& q) const { return cQuaternion(w - q.w, x - q.x, y - q.y, z - q.z); }
    cQuaternion operator-() const { return cQuaternion(-w, -x, -y, -z); }
    cQuaternion operator*(float s) const { return cQuaternion(w * s, x * s, y * s, z * s); }

    // The Hamilton product this * q. With MatrixFromQuaternion and row vectors
    // it composes like matrices: the matrix of a * b is the matrix of a times
    // the matrix of b, so a turns first.
    cQuaternion operator*(const cQuaternion& q) const;
};

inline cQuaternion operator*(float s, const cQuaternion& q)
{
    return q * s;
}

float QuaternionDot(const cQuaternion& a, const cQuaternion& b);

// The vector part is negated so that the quaternion turns row vectors the way
// MatrixRotationX/Y/Z turn them: for axis (1, 0, 0), MatrixFromQuaternion of the
// result is MatrixRotationX(angle). The axis is used as given, not normalised.
cQuaternion QuaternionFromAxisAngle(const cVector& axis, float angle);

// Exponential of the pure quaternion (0, x, y, z); w is ignored.
cQuaternion QuaternionExp(const cQuaternion& q);

// Follows the arc from a to b as given, the long way round when their dot
// product is negative, and does not renormalise: animation keys were authored
// against exactly this path. Only the top of the dot product is clamped, since
// rounding pushes the dot product of equal keys past 1.
cQuaternion QuaternionSlerp(float t, const cQuaternion& a, const cQuaternion& b);

// Spline between the keys p and q through the inner control quaternions a and b.
cQuaternion QuaternionSquad(float t, const cQuaternion& p, const cQuaternion& a, const cQuaternion& b,
                            const cQuaternion& q);
