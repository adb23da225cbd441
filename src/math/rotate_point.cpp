#include "math/rotate_point.h"

#include <cmath>

cVector RotatePoint(float x, float y, float z, float angleX, float angleY, float angleZ)
{
    constexpr double toRadians = 0.017453292519943295;
    const double p = angleX * toRadians, q = angleY * toRadians, r = angleZ * toRadians;
    const double y1 = y * std::cos(p) + z * std::sin(p);
    const float z1 = static_cast<float>(z * std::cos(p) - y * std::sin(p));
    const float x2 = static_cast<float>(x * std::cos(q) - z1 * std::sin(q));
    cVector out;
    out.z = static_cast<float>(z1 * std::cos(q) + x * std::sin(q));
    out.x = static_cast<float>(x2 * std::cos(r) + y1 * std::sin(r));
    out.y = static_cast<float>(y1 * std::cos(r) - x2 * std::sin(r));
    return out;
}
