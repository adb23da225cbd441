#pragma once
// The object file under obj\, binary and little-endian, without padding:
//
//   offset 0         8 bytes   header, skipped unread
//   offset 8         4 bytes   V, the number of vertex records
//   offset 12        4 bytes   F, the number of face records
//   offset 16        20 x V    vertex records: x, y, z, u, v as 32-bit floats
//   16 + 20 x V      12 x F    face records: three 32-bit vertex indices, 0-based
//
// Meshes read the whole file; point-sprite clouds read only the positions.

#include <cstdint>
#include <vector>

#include "objects/object_vertices.h"
#include "support/cfile.h"

inline constexpr long objectHeaderSize = 8;
inline constexpr long objectVerticesOffset = 16;
inline constexpr long vertexRecordSize = 20;
inline constexpr long faceRecordSize = 12;

// Object files are untrusted input, so a count never claims more records than
// begin before the end of the file: what is allocated follows the file's
// size. A last record cut short by the end of the file is kept, its missing
// bytes read as zero.
std::uint32_t RecordsInFile(cfile& file, long firstRecordOffset, std::uint32_t count, long recordSize);

// Reads a mesh from a file opened at its start: the vertices with their
// normals zero, and three 16-bit indices per triangle (the low 16 bits of
// those in the file).
void ReadObjectMesh(cfile& file, std::vector<MeshVertex>& vertices, std::vector<std::uint16_t>& indices);

// Reads a point-sprite cloud from a file opened at its start: one particle
// per group of four vertex records, at the position of the group's first
// record, size 1 and opaque white. Up to three records left after the last
// group are ignored, and so are the faces.
void ReadObjectParticles(cfile& file, std::vector<SpriteVertex>& particles);
