#pragma once
// The process-wide random generator every effect draws from. It is the
// classic C library generator written out, so the sequence, and with it the
// place of every bar, stripe and particle, is the same on every platform.

#include <cstdint>

// The next value, 0 to 32767: state = state * 214013 + 2531011, bits 16..30.
int RandomNext();

// Restarts the sequence; the state is 1 when the process starts.
void RandomSeed(std::uint32_t seed);
