#include "geosphere.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace {

constexpr float pi = 3.14159265f;

struct Icosahedron {
    std::vector<cVector> corners;
    std::vector<std::array<int, 3>> faces;
};

Icosahedron MakeIcosahedron()
{
    const float g = (1.0f + std::sqrt(5.0f)) * 0.5f;
    Icosahedron ico;
    ico.corners = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                   {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
    ico.faces = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                 {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                 {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
    return ico;
}

// Points that land on the same spot of the sphere from two neighbouring
// faces are one vertex; rounding the unit position finds them.
using SpotKey = std::tuple<long, long, long>;

SpotKey SpotOf(const cVector& unit)
{
    return {std::lround(unit.x * 1e5f), std::lround(unit.y * 1e5f), std::lround(unit.z * 1e5f)};
}

} // namespace

ObjectMesh Geosphere(int frequency, float radius)
{
    const Icosahedron ico = MakeIcosahedron();
    ObjectMesh mesh;
    std::map<SpotKey, std::uint32_t> spots;
    auto vertexAt = [&](const cVector& flat) {
        const cVector unit = VectorNormalize(flat);
        const auto [found, added] = spots.try_emplace(SpotOf(unit), 0u);
        if (added) {
            const float u = 0.5f + std::atan2(unit.z, unit.x) / (2.0f * pi);
            const float v = 0.5f - std::asin(unit.y) / pi;
            found->second = mesh.AddVertex(unit * radius, u, v);
        }
        return found->second;
    };

    const float step = 1.0f / static_cast<float>(frequency);
    for (const auto& corner : ico.faces) {
        const cVector a = ico.corners[corner[0]];
        const cVector ab = (ico.corners[corner[1]] - a) * step;
        const cVector ac = (ico.corners[corner[2]] - a) * step;
        const cVector outward = a + ab + ac;
        auto point = [&](int i, int j) { return vertexAt(a + ab * static_cast<float>(i) + ac * static_cast<float>(j)); };
        for (int i = 0; i < frequency; ++i) {
            for (int j = 0; i + j < frequency; ++j) {
                mesh.AddFaceFacing(point(i, j), point(i + 1, j), point(i, j + 1), outward);
                if (i + j + 1 < frequency) {
                    mesh.AddFaceFacing(point(i + 1, j), point(i + 1, j + 1), point(i, j + 1), outward);
                }
            }
        }
    }
    return mesh;
}

std::vector<std::array<std::uint32_t, 2>> MeshEdges(const ObjectMesh& mesh)
{
    std::set<std::array<std::uint32_t, 2>> edges;
    for (const ObjectFace& face : mesh.faces) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = face[k];
            const std::uint32_t b = face[(k + 1) % 3];
            edges.insert({std::min(a, b), std::max(a, b)});
        }
    }
    return {edges.begin(), edges.end()};
}
