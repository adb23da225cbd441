#include "disc.h"

#include <cmath>

ObjectMesh Disc(float radius, int rings, int segments)
{
    ObjectMesh mesh;
    const cVector facing(0, 0, -1);
    const std::uint32_t centre = mesh.AddVertex({0, 0, 0}, 0.5f, 0.5f);
    for (int ring = 1; ring <= rings; ++ring) {
        const float r = radius * static_cast<float>(ring) / static_cast<float>(rings);
        for (int k = 0; k < segments; ++k) {
            const float angle = 6.2831853f * static_cast<float>(k) / static_cast<float>(segments);
            const float x = r * std::cos(angle);
            const float y = r * std::sin(angle);
            mesh.AddVertex({x, y, 0}, 0.5f + 0.5f * x / radius, 0.5f - 0.5f * y / radius);
        }
    }
    const auto index = [&](int ring, int k) {
        return static_cast<std::uint32_t>(1 + (ring - 1) * segments + (k % segments));
    };
    for (int k = 0; k < segments; ++k) {
        mesh.AddFaceFacing(centre, index(1, k), index(1, k + 1), facing);
    }
    for (int ring = 1; ring < rings; ++ring) {
        for (int k = 0; k < segments; ++k) {
            mesh.AddQuadFacing(index(ring, k), index(ring, k + 1), index(ring + 1, k + 1), index(ring + 1, k), facing);
        }
    }
    return mesh;
}
