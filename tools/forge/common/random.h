#pragma once
// A small seeded generator (SplitMix64) so that every run makes the same
// pictures; nothing here reads a clock.

#include <cstdint>

class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float Uniform() { return static_cast<float>(Next() >> 40) / static_cast<float>(1ull << 24); }
    float Range(float low, float high) { return low + (high - low) * Uniform(); }
    int Below(int limit) { return static_cast<int>(Next() % static_cast<std::uint64_t>(limit)); }

private:
    std::uint64_t state;
};

// A well-mixed 32-bit hash of lattice coordinates, for noise.
inline std::uint32_t HashLattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B1u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}
