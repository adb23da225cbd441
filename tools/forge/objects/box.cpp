#include "box.h"

ObjectMesh Box(const cVector& halfSize)
{
    ObjectMesh mesh;
    const cVector axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float half[3] = {halfSize.x, halfSize.y, halfSize.z};
    for (int axis = 0; axis < 3; ++axis) {
        const cVector& across = axes[(axis + 1) % 3];
        const cVector& up = axes[(axis + 2) % 3];
        const float acrossHalf = half[(axis + 1) % 3];
        const float upHalf = half[(axis + 2) % 3];
        for (float sign : {-1.0f, 1.0f}) {
            const cVector centre = axes[axis] * (sign * half[axis]);
            const std::uint32_t a = mesh.AddVertex(centre - across * acrossHalf + up * upHalf, 0, 0);
            const std::uint32_t b = mesh.AddVertex(centre + across * acrossHalf + up * upHalf, 1, 0);
            const std::uint32_t c = mesh.AddVertex(centre + across * acrossHalf - up * upHalf, 1, 1);
            const std::uint32_t d = mesh.AddVertex(centre - across * acrossHalf - up * upHalf, 0, 1);
            mesh.AddQuadFacing(a, b, c, d, axes[axis] * sign);
        }
    }
    return mesh;
}
