#include "pyramid.h"

ObjectMesh Pyramid(float baseHalfWidth, float height)
{
    ObjectMesh mesh;
    const float w = baseHalfWidth;
    const cVector corners[4] = {{-w, 0, -w}, {w, 0, -w}, {w, 0, w}, {-w, 0, w}};
    const cVector apex(0, height, 0);
    for (int side = 0; side < 4; ++side) {
        const cVector& left = corners[side];
        const cVector& right = corners[(side + 1) % 4];
        const std::uint32_t a = mesh.AddVertex(apex, 0.5f, 0.0f);
        const std::uint32_t b = mesh.AddVertex(left, 0.0f, 1.0f);
        const std::uint32_t c = mesh.AddVertex(right, 1.0f, 1.0f);
        const cVector middle = (left + right) * 0.5f;
        mesh.AddFaceFacing(a, b, c, cVector(middle.x, 0.0f, middle.z));
    }
    std::uint32_t base[4];
    for (int k = 0; k < 4; ++k) {
        base[k] = mesh.AddVertex(corners[k], corners[k].x / (2 * w) + 0.5f, corners[k].z / (2 * w) + 0.5f);
    }
    mesh.AddQuadFacing(base[0], base[1], base[2], base[3], cVector(0, -1, 0));
    return mesh;
}
