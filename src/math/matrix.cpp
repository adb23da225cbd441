#include "math/matrix.h"

#include <cmath>

#include "math/quaternion.h"

cMatrix::cMatrix(float fill)
{
    for (float& element : m) {
        element = fill;
    }
}

cMatrix& cMatrix::operator*=(const cMatrix& other)
{
    *this = *this * other;
    return *this;
}

cMatrix cMatrix::operator*(const cMatrix& other) const
{
    const float* b = other.m;
    cMatrix product;
    for (int row = 0; row < 4; row++) {
        const float* a = &m[4 * row];
        for (int column = 0; column < 4; column++) {
            product.m[4 * row + column] = a[0] * b[column] + a[1] * b[4 + column] +
                                          a[2] * b[8 + column] + a[3] * b[12 + column];
        }
    }
    return product;
}

cMatrix MatrixIdentity()
{
    cMatrix r(0.0f);
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
    return r;
}

cMatrix MatrixTranslation(const cVector& v)
{
    return MatrixTranslation(v.x, v.y, v.z);
}

cMatrix MatrixTranslation(float x, float y, float z)
{
    cMatrix r = MatrixIdentity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

cMatrix MatrixScaling(const cVector& v)
{
    cMatrix r(0.0f);
    r.m[0] = v.x;
    r.m[5] = v.y;
    r.m[10] = v.z;
    r.m[15] = 1.0f;
    return r;
}

cMatrix MatrixScaling(float s)
{
    return MatrixScaling(cVector(s, s, s));
}

cMatrix MatrixRotationX(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    cMatrix r = MatrixIdentity();
    r.m[5] = c;
    r.m[6] = s;
    r.m[9] = -s;
    r.m[10] = c;
    return r;
}

cMatrix MatrixRotationY(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    cMatrix r = MatrixIdentity();
    r.m[0] = c;
    r.m[2] = -s;
    r.m[8] = s;
    r.m[10] = c;
    return r;
}

cMatrix MatrixRotationZ(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    cMatrix r = MatrixIdentity();
    r.m[0] = c;
    r.m[1] = s;
    r.m[4] = -s;
    r.m[5] = c;
    return r;
}

cMatrix MatrixRotationEuler(const cVector& angles)
{
    return MatrixRotationZ(angles.z) * MatrixRotationX(angles.x) * MatrixRotationY(angles.y);
}

cMatrix MatrixFromQuaternion(const cQuaternion& q)
{
    const float w = q.w;
    const float x = q.x;
    const float y = q.y;
    const float z = q.z;
    cMatrix r(0.0f);
    r.m[0] = 1.0f - 2.0f * (y * y + z * z);
    r.m[1] = 2.0f * (x * y - w * z);
    r.m[2] = 2.0f * (x * z + w * y);
    r.m[4] = 2.0f * (x * y + w * z);
    r.m[5] = 1.0f - 2.0f * (x * x + z * z);
    r.m[6] = 2.0f * (y * z - w * x);
    r.m[8] = 2.0f * (x * z - w * y);
    r.m[9] = 2.0f * (y * z + w * x);
    r.m[10] = 1.0f - 2.0f * (x * x + y * y);
    r.m[15] = 1.0f;
    return r;
}

cMatrix MatrixInverseLinear(const cMatrix& matrix)
{
    const float* m = matrix.m;
    const float c00 = m[5] * m[10] - m[9] * m[6];
    const float c01 = m[4] * m[10] - m[8] * m[6];
    const float c02 = m[9] * m[4] - m[8] * m[5];
    const float det = m[0] * c00 - m[1] * c01 + m[2] * c02;
    const float k = 1.0f / det;

    cMatrix r(0.0f);
    r.m[0] = c00 * k;
    r.m[1] = -(m[1] * m[10] - m[9] * m[2]) * k;
    r.m[2] = (m[1] * m[6] - m[2] * m[5]) * k;
    r.m[4] = -c01 * k;
    r.m[5] = (m[0] * m[10] - m[8] * m[2]) * k;
    r.m[6] = -(m[0] * m[6] - m[4] * m[2]) * k;
    r.m[8] = c02 * k;
    r.m[9] = -(m[9] * m[0] - m[8] * m[1]) * k;
    r.m[10] = (m[5] * m[0] - m[4] * m[1]) * k;
    r.m[15] = 1.0f;
    return r;
}

cMatrix MatrixInverseAffine(const cMatrix& matrix)
{
    const float* m = matrix.m;
    cMatrix r = MatrixInverseLinear(matrix);
    r.m[12] = -(m[12] * r.m[0] + m[13] * r.m[4] + m[14] * r.m[8]);
    r.m[13] = -(m[12] * r.m[1] + m[13] * r.m[5] + m[14] * r.m[9]);
    r.m[14] = -(m[12] * r.m[2] + m[13] * r.m[6] + m[14] * r.m[10]);
    return r;
}

cMatrix MatrixPerspective(float fovDegrees, float xScale, float zNear, float zFar)
{
    // 0.00872664 is pi/360: degrees to radians, halved.
    const float cot = 1.0f / std::tan(fovDegrees * 0.00872664f);
    const float q = zFar / (zFar - zNear);
    cMatrix r(0.0f);
    r.m[0] = cot * xScale;
    r.m[5] = cot;
    r.m[10] = q;
    r.m[11] = 1.0f;
    r.m[14] = -q * zNear;
    return r;
}

cMatrix MatrixCameraLookAt(const cVector& eye, const cVector& target, float rollDegrees)
{
    const cVector d = target - eye;
    const float yaw = -std::atan2(d.x, d.z);
    const float pitch = std::asin(d.y / VectorLength(d));
    const float roll = rollDegrees * -0.01745328f;
    const float cy = std::cos(yaw);
    const float sy = std::sin(yaw);
    const float cp = std::cos(pitch);
    const float sp = std::sin(pitch);
    const float cr = std::cos(roll);
    const float sr = std::sin(roll);

    cMatrix rotation = MatrixIdentity();
    rotation.m[0] = cr * cy + sr * sp * sy;
    rotation.m[1] = cr * sp * sy - sr * cy;
    rotation.m[2] = -cp * sy;
    rotation.m[4] = sr * cp;
    rotation.m[5] = cr * cp;
    rotation.m[6] = sp;
    rotation.m[8] = cr * sy - sr * sp * cy;
    rotation.m[9] = -cr * sp * cy - sr * sy;
    rotation.m[10] = cp * cy;
    return MatrixTranslation(-eye) * rotation;
}
