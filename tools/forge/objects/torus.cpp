#include "torus.h"

#include <cmath>

ObjectMesh Torus(float ringRadius, float tubeWidth, float tubeHeight, int rings, int sides)
{
    ObjectMesh mesh;
    const float turn = 6.2831853f;
    // Angles are taken modulo a whole turn so the seam vertices sit exactly
    // on the first ones.
    for (int i = 0; i <= rings; ++i) {
        const float around = turn * static_cast<float>(i % rings) / static_cast<float>(rings);
        const cVector outwards(std::cos(around), 0.0f, std::sin(around));
        for (int j = 0; j <= sides; ++j) {
            const float tube = turn * static_cast<float>(j % sides) / static_cast<float>(sides);
            const cVector position = outwards * (ringRadius + tubeWidth * std::cos(tube)) +
                                     cVector(0.0f, tubeHeight * std::sin(tube), 0.0f);
            mesh.AddVertex(position, static_cast<float>(i) / static_cast<float>(rings),
                           static_cast<float>(j) / static_cast<float>(sides));
        }
    }
    const auto index = [&](int i, int j) { return static_cast<std::uint32_t>(i * (sides + 1) + j); };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < sides; ++j) {
            const float around = turn * (static_cast<float>(i) + 0.5f) / static_cast<float>(rings);
            const float tube = turn * (static_cast<float>(j) + 0.5f) / static_cast<float>(sides);
            const cVector outward = cVector(std::cos(around), 0.0f, std::sin(around)) * std::cos(tube) +
                                    cVector(0.0f, std::sin(tube), 0.0f);
            mesh.AddQuadFacing(index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1), outward);
        }
    }
    return mesh;
}
