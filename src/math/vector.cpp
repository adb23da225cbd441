#include "math/vector.h"

#include <cmath>

#include "math/matrix.h"

cVector cVector::operator*(const cMatrix& m) const
{
    const float* e = m.m;
    return cVector(x * e[0] + y * e[4] + z * e[8] + e[12],
                   x * e[1] + y * e[5] + z * e[9] + e[13],
                   x * e[2] + y * e[6] + z * e[10] + e[14]);
}

float VectorLength(const cVector& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

cVector VectorNormalize(const cVector& v)
{
    const float squaredLength = v.x * v.x + v.y * v.y + v.z * v.z;
    return v * (1.0f / std::sqrt(squaredLength));
}
