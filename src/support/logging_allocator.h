#pragma once
// Heap allocation that leaves a trace in the log.

#include <cstddef>

// Logs the allocation, then returns malloc's result (null when out of memory).
void* Malloc(std::size_t size);

// Releases a block from Malloc; null is ignored.
void Free(void* pointer);
