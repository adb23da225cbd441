#pragma once
// The forge's own random numbers: a fixed seed gives the same sequence on
// every run, so generated files come out byte for byte the same.

#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    // SplitMix64, reduced to 32 bits.
    std::uint32_t Next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }

    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

    float Range(float low, float high) { return low + (high - low) * Unit(); }

private:
    std::uint64_t state;
};
