#include "support/random.h"

namespace {
std::uint32_t state = 1;
}

int RandomNext()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void RandomSeed(std::uint32_t seed)
{
    state = seed;
}
