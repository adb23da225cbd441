#include "flare_cloud.h"

#include <cmath>

#include "seeded_random.h"

namespace {
constexpr float pi = 3.14159265f;
constexpr float particleSquare = 0.05f;
} // namespace

ObjectMesh ParticleMesh(const std::vector<cVector>& particles)
{
    ObjectMesh mesh;
    for (const cVector& p : particles) {
        const std::uint32_t a = mesh.AddVertex(p, 0, 0);
        const std::uint32_t b = mesh.AddVertex(p + cVector(particleSquare, 0, 0), 1, 0);
        const std::uint32_t c = mesh.AddVertex(p + cVector(particleSquare, -particleSquare, 0), 1, 1);
        const std::uint32_t d = mesh.AddVertex(p + cVector(0, -particleSquare, 0), 0, 1);
        mesh.AddQuadFacing(a, b, c, d, cVector(0, 0, -1));
    }
    return mesh;
}

std::vector<cVector> SpiralCloud(int particlesPerArm, float innerRadius, float outerRadius, std::uint64_t seed)
{
    SeededRandom random(seed);
    std::vector<cVector> cloud;
    for (int arm = 0; arm < 2; ++arm) {
        for (int k = 0; k < particlesPerArm; ++k) {
            const float f = static_cast<float>(k) / static_cast<float>(particlesPerArm - 1);
            const float r = innerRadius + (outerRadius - innerRadius) * f + random.Range(-0.3f, 0.3f);
            const float angle = pi * static_cast<float>(arm) + 2.4f * pi * f + random.Range(-0.12f, 0.12f);
            cloud.push_back({r * std::cos(angle), r * std::sin(angle), random.Range(-0.25f, 0.25f)});
        }
    }
    return cloud;
}

std::vector<cVector> BallCloud(int particles, float radius, float depthScale, std::uint64_t seed)
{
    SeededRandom random(seed);
    std::vector<cVector> cloud;
    for (int k = 0; k < particles; ++k) {
        const float z = random.Range(-1.0f, 1.0f);
        const float angle = random.Range(0.0f, 2.0f * pi);
        const float ring = std::sqrt(1.0f - z * z);
        // Distance from the centre: a power above 1/3 crowds the middle.
        const float r = radius * std::pow(random.Unit(), 0.6f);
        cloud.push_back({r * ring * std::cos(angle), r * ring * std::sin(angle), r * z * depthScale});
    }
    return cloud;
}
