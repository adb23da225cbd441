#include "math/quaternion.h"

#include <cmath>

cQuaternion cQuaternion::operator*(const cQuaternion& q) const
{
    return cQuaternion(w * q.w - x * q.x - y * q.y - z * q.z,
                       w * q.x + x * q.w + y * q.z - z * q.y,
                       w * q.y + y * q.w + z * q.x - x * q.z,
                       w * q.z + z * q.w + x * q.y - y * q.x);
}

float QuaternionDot(const cQuaternion& a, const cQuaternion& b)
{
    return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
}

cQuaternion QuaternionFromAxisAngle(const cVector& axis, float angle)
{
    const float s = -std::sin(angle / 2.0f);
    return cQuaternion(std::cos(angle / 2.0f), s * axis.x, s * axis.y, s * axis.z);
}

cQuaternion QuaternionExp(const cQuaternion& q)
{
    const float theta = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    // At theta = 0 the quotient is 0 / 0; its limit is 1.
    const float s = std::fabs(theta) > 0.001f ? std::sin(theta) / theta : 1.0f;
    return cQuaternion(std::cos(theta), s * q.x, s * q.y, s * q.z);
}

cQuaternion QuaternionSlerp(float t, const cQuaternion& a, const cQuaternion& b)
{
    float d = QuaternionDot(a, b);
    if (d > 1.0f) {
        d = 1.0f;
    }
    const float theta = std::acos(d);
    const float s = std::sin(theta);
    // Parallel or opposite keys: the sine ratios would divide by almost nothing.
    if (std::fabs(s) <= 0.001f) {
        return (1.0f - t) * a + t * b;
    }
    const float ka = std::sin((1.0f - t) * theta) / s;
    const float kb = std::sin(t * theta) / s;
    return ka * a + kb * b;
}

cQuaternion QuaternionSquad(float t, const cQuaternion& p, const cQuaternion& a, const cQuaternion& b,
                            const cQuaternion& q)
{
    return QuaternionSlerp(2.0f * t * (1.0f - t), QuaternionSlerp(t, p, q), QuaternionSlerp(t, a, b));
}
