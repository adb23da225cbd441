#pragma once
// A lumpy sphere: a geodesic sphere whose radius swells and sinks with a
// smooth noise made of a few sine waves running in random directions. The
// seed picks the waves; `roughness` is the largest change of the radius as a
// fraction of it.

#include <cstdint>

#include "object_mesh.h"

ObjectMesh Blob(int frequency, float radius, float roughness, std::uint64_t seed);
