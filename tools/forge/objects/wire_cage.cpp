#include "wire_cage.h"

#include <cmath>

#include "geosphere.h"
#include "loft.h"

ObjectMesh WireCage(int frequency, float radius, float strutHalfWidth)
{
    const ObjectMesh sphere = Geosphere(frequency, radius);
    ObjectMesh cage;
    for (const auto& edge : MeshEdges(sphere)) {
        const cVector from = sphere.vertices[edge[0]].position;
        const cVector to = sphere.vertices[edge[1]].position;
        const cVector along = VectorNormalize(to - from);
        // One side of the square faces away from the centre.
        const cVector side = VectorNormalize(Cross(along, from + to));
        std::vector<LoftSection> sections;
        sections.push_back({from - along * strutHalfWidth});
        for (const cVector& centre : {from, to}) {
            LoftSection loop;
            for (int k = 0; k < 4; ++k) {
                const float angle = 1.5707963f * static_cast<float>(k) + 0.7853982f;
                loop.push_back(RingPoint(centre, side, along, angle, strutHalfWidth, strutHalfWidth));
            }
            sections.push_back(loop);
        }
        sections.push_back({to + along * strutHalfWidth});
        cage.Append(Loft(sections, false));
    }
    return cage;
}
