#pragma once
// The object file, byte for byte: an 8-byte signature (every loader skips
// it), the vertex and face counts, five floats per vertex (x, y, z, u, v) and
// three 32-bit indices per face, all little-endian.

#include <string>

#include "object_mesh.h"

inline constexpr char objectFileSignature[8] = {'R', 'W', 'N', 'D', 'O', 'B', 'J', '1'};

std::string ObjectFileBytes(const ObjectMesh& mesh);
