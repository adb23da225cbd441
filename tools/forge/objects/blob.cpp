#include "blob.h"

#include <cmath>

#include "geosphere.h"
#include "seeded_random.h"

namespace {

struct Wave {
    cVector direction;
    float frequency;
    float phase;
    float weight;
};

std::vector<Wave> MakeWaves(std::uint64_t seed)
{
    SeededRandom random(seed);
    std::vector<Wave> waves(7);
    float total = 0.0f;
    for (Wave& wave : waves) {
        // A direction uniform on the sphere.
        const float z = random.Range(-1.0f, 1.0f);
        const float angle = random.Range(0.0f, 6.2831853f);
        const float ring = std::sqrt(1.0f - z * z);
        wave.direction = {ring * std::cos(angle), ring * std::sin(angle), z};
        wave.frequency = random.Range(1.5f, 4.5f);
        wave.phase = random.Range(0.0f, 6.2831853f);
        // Slow waves carry more of the shape than quick ones.
        wave.weight = random.Range(0.5f, 1.0f) / wave.frequency;
        total += wave.weight;
    }
    for (Wave& wave : waves) {
        wave.weight /= total;
    }
    return waves;
}

} // namespace

ObjectMesh Blob(int frequency, float radius, float roughness, std::uint64_t seed)
{
    ObjectMesh mesh = Geosphere(frequency, 1.0f);
    const std::vector<Wave> waves = MakeWaves(seed);
    for (ObjectVertex& vertex : mesh.vertices) {
        const cVector unit = vertex.position;
        float swell = 0.0f;
        for (const Wave& wave : waves) {
            swell += wave.weight * std::sin(wave.frequency * Dot(wave.direction, unit) + wave.phase);
        }
        vertex.position = unit * (radius * (1.0f + roughness * swell));
    }
    return mesh;
}
