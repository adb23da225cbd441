#pragma once
// A point or a direction: three floats, a plain value copied freely.

class cMatrix;

class cVector {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    cVector() = default;
    cVector(float x, float y, float z) : x(x), y(y), z(z) {}

    cVector& operator+=(const cVector& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }

    cVector& operator-=(const cVector& v)
    {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }

    cVector operator+(const cVector& v) const { return cVector(x + v.x, y + v.y, z + v.z); }
    cVector operator-(const cVector& v) const { return cVector(x - v.x, y - v.y, z - v.z); }
    cVector operator-() const { return cVector(-x, -y, -z); }
    cVector operator*(float s) const { return cVector(x * s, y * s, z * s); }

    // Transforms the vector as a point (w = 1) and keeps x, y, z only: there is
    // no divide by w, so a projection matrix gives clip-space values here.
    cVector operator*(const cMatrix& m) const;
};

inline cVector operator*(float s, const cVector& v)
{
    return v * s;
}

float VectorLength(const cVector& v);

// A zero vector gives infinities and NaNs: callers only normalise real directions.
cVector VectorNormalize(const cVector& v);
