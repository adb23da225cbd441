#pragma once
// A 4x4 transform in the layout the device takes unchanged: row-major, element
// (i, j) at m[4i + j], applied to row vectors (p * M), so A * B applies A first
// and the translation sits in the fourth row (m[12], m[13], m[14]).

#include "math/vector.h"

class cQuaternion;

class cMatrix {
public:
    float m[16];

    // Every element set to fill; callers pass 0 for a zero matrix.
    explicit cMatrix(float fill = 0.0f);

    // Both read the operands as they were, so m *= m squares m.
    cMatrix& operator*=(const cMatrix& other);
    cMatrix operator*(const cMatrix& other) const;

    // Rows and columns count from 1 here, the way the scene loader fills matrices.
    float& operator()(int row, int column) { return m[4 * (row - 1) + (column - 1)]; }
    float operator()(int row, int column) const { return m[4 * (row - 1) + (column - 1)]; }

    operator float*() { return m; }
    operator const float*() const { return m; }
};

// Builders. Rotation angles are in radians; every element a builder does not
// set is 0.
cMatrix MatrixIdentity();
cMatrix MatrixTranslation(const cVector& v);
cMatrix MatrixTranslation(float x, float y, float z);
cMatrix MatrixScaling(const cVector& v);
cMatrix MatrixScaling(float s);
cMatrix MatrixRotationX(float angle);
cMatrix MatrixRotationY(float angle);
cMatrix MatrixRotationZ(float angle);

// Turns about Z first, then X, then Y.
cMatrix MatrixRotationEuler(const cVector& angles);

// The quaternion is used as given, not normalised.
cMatrix MatrixFromQuaternion(const cQuaternion& q);

// Inverse of a matrix whose fourth column is (0, 0, 0, 1). A singular matrix
// is not detected: its inverse is full of infinities.
cMatrix MatrixInverseAffine(const cMatrix& m);

// Inverse of the rotation and scale only, translation left 0: for directions.
cMatrix MatrixInverseLinear(const cMatrix& m);

// Left-handed, depth 0 at zNear and 1 at zFar. The field of view is vertical,
// in degrees; xScale is the screen's height-to-width ratio (0.75 for 640x480).
cMatrix MatrixPerspective(float fovDegrees, float xScale, float zNear, float zFar);

// A view matrix from the yaw and pitch of the line of sight plus a roll in
// degrees, rather than from cross products: there is no up vector, so a target
// straight above or below the eye still works; eye == target divides by zero.
cMatrix MatrixCameraLookAt(const cVector& eye, const cVector& target, float rollDegrees);
