#include "objects/object_file.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr long particleGroupRecords = 4;
// The u, v of a group's first record and its three other records.
constexpr long particleSkippedBytes = 2 * 4 + (particleGroupRecords - 1) * vertexRecordSize;

long FileSize(cfile& file)
{
    const long position = std::ftell(file.handle);
    if (position < 0 || std::fseek(file.handle, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file.handle);
    std::fseek(file.handle, position, SEEK_SET);
    return std::max(size, 0L);
}

} // namespace

std::uint32_t RecordsInFile(cfile& file, long firstRecordOffset, std::uint32_t count, long recordSize)
{
    const long available = FileSize(file) - firstRecordOffset;
    if (available <= 0) return 0;
    const long records = (available + recordSize - 1) / recordSize;
    return static_cast<std::uint32_t>(std::min<long>(count, records));
}

// A triangle that names a vertex past the last one is dropped rather than
// clamped: a clamped index would draw a triangle the file never described.
void ReadObjectMesh(cfile& file, std::vector<MeshVertex>& vertices, std::vector<std::uint16_t>& indices)
{
    file.Skip(objectHeaderSize);
    const std::uint32_t vertexCount = file.ReadInt();
    const std::uint32_t faceCount = file.ReadInt();
    const std::uint32_t vertexRecords = RecordsInFile(file, objectVerticesOffset, vertexCount, vertexRecordSize);
    const std::uint32_t faceRecords = RecordsInFile(
        file, objectVerticesOffset + static_cast<long>(vertexRecords) * vertexRecordSize, faceCount, faceRecordSize);

    vertices.assign(vertexRecords, MeshVertex{});
    for (MeshVertex& vertex : vertices) {
        vertex.x = file.ReadFloat();
        vertex.y = file.ReadFloat();
        vertex.z = file.ReadFloat();
        vertex.u = file.ReadFloat();
        vertex.v = file.ReadFloat();
    }

    indices.clear();
    indices.reserve(static_cast<std::size_t>(faceRecords) * 3);
    for (std::uint32_t face = 0; face < faceRecords; ++face) {
        const std::uint16_t a = static_cast<std::uint16_t>(file.ReadInt());
        const std::uint16_t b = static_cast<std::uint16_t>(file.ReadInt());
        const std::uint16_t c = static_cast<std::uint16_t>(file.ReadInt());
        if (a < vertexRecords && b < vertexRecords && c < vertexRecords) {
            indices.insert(indices.end(), {a, b, c});
        }
    }
}

void ReadObjectParticles(cfile& file, std::vector<SpriteVertex>& particles)
{
    file.Skip(objectHeaderSize);
    const std::uint32_t vertexRecords =
        RecordsInFile(file, objectVerticesOffset, file.ReadInt(), vertexRecordSize);
    file.Skip(4); // the face count
    particles.assign(vertexRecords / particleGroupRecords, SpriteVertex{});
    for (SpriteVertex& particle : particles) {
        particle.x = file.ReadFloat();
        particle.y = file.ReadFloat();
        particle.z = file.ReadFloat();
        particle.size = 1.0f;
        particle.color = 0xFFFFFFFF;
        file.Skip(particleSkippedBytes);
    }
}
