#include "loft.h"

#include <algorithm>
#include <cmath>

cVector RingPoint(const cVector& centre, const cVector& side, const cVector& along, float angle, float across,
                  float up)
{
    return centre + side * (across * std::cos(angle)) + Cross(side, along) * (up * std::sin(angle));
}

ObjectMesh Loft(const std::vector<LoftSection>& sections, bool seamCopies)
{
    ObjectMesh mesh;
    std::size_t loopSize = 1;
    for (const LoftSection& section : sections) {
        loopSize = std::max(loopSize, section.size());
    }
    const std::size_t columns = seamCopies ? loopSize + 1 : loopSize;
    const float lastRow = static_cast<float>(sections.size() - 1);

    // First vertex of each section; a pole has one vertex.
    std::vector<std::uint32_t> first;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        first.push_back(static_cast<std::uint32_t>(mesh.vertices.size()));
        const float v = static_cast<float>(s) / lastRow;
        if (sections[s].size() == 1) {
            mesh.AddVertex(sections[s][0], 0.5f, v);
            continue;
        }
        for (std::size_t k = 0; k < columns; ++k) {
            mesh.AddVertex(sections[s][k % loopSize], static_cast<float>(k) / static_cast<float>(loopSize), v);
        }
    }

    auto vertex = [&](std::size_t s, std::size_t k) {
        if (sections[s].size() == 1) return first[s];
        return first[s] + static_cast<std::uint32_t>(seamCopies ? k : k % loopSize);
    };
    for (std::size_t s = 0; s + 1 < sections.size(); ++s) {
        for (std::size_t k = 0; k < loopSize; ++k) {
            const std::uint32_t a = vertex(s, k);
            const std::uint32_t b = vertex(s, k + 1);
            const std::uint32_t c = vertex(s + 1, k + 1);
            const std::uint32_t d = vertex(s + 1, k);
            if (a != b) mesh.faces.push_back({a, b, c});
            if (c != d) mesh.faces.push_back({a, c, d});
        }
    }
    return mesh;
}
