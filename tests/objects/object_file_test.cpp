#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "object_file_bytes.h"
#include "objects/object_file.h"

namespace {

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
};

Mesh ReadMesh(const std::string& bytes)
{
    TempDir dir;
    cfile file;
    file.Open(dir.Write("mesh.obj", bytes).c_str(), READ_BIN);
    Mesh mesh;
    ReadObjectMesh(file, mesh.vertices, mesh.indices);
    file.Close();
    return mesh;
}

} // namespace

TEST(ObjectFile, MeshKeepsLow16BitIndicesAndDropsTrianglesNamingMissingVertices)
{
    const Mesh mesh = ReadMesh(ObjectFile(3, 3, {1, 2, 3, 0.25f, 0.75f, 0, 0, 0, 0, 0, 7, 8, 9, 1, 0},
                                          {0, 1, 2, 0x10002, 0x20001, 0xFFFF0000, 0, 1, 3}));
    ASSERT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.vertices[0].z, 3.0f);
    EXPECT_EQ(mesh.vertices[0].u, 0.25f);
    EXPECT_EQ(mesh.vertices[0].v, 0.75f);
    EXPECT_EQ(mesh.vertices[2].x, 7.0f);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 1, 2, 2, 1, 0}));
}

// Counts that promise more than the file holds cost no more than the file:
// no record past its end is made up, and a cut-off record reads as zero.
TEST(ObjectFile, CountsAreCutToTheRecordsTheFileHolds)
{
    EXPECT_TRUE(ReadMesh("").vertices.empty());

    std::string bytes = ObjectFile(0xFFFFFFFF, 0xFFFFFFFF, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    bytes.resize(bytes.size() - 8); // the second record loses its u and v
    const Mesh truncated = ReadMesh(bytes);
    ASSERT_EQ(truncated.vertices.size(), 2u);
    EXPECT_EQ(truncated.vertices[1].z, 8.0f);
    EXPECT_EQ(truncated.vertices[1].u, 0.0f);
    EXPECT_TRUE(truncated.indices.empty());

    // Two faces promised, one and a third present: the partial one reads (1, 0, 0).
    const Mesh faces = ReadMesh(ObjectFile(2, 2, std::vector<float>(10, 0.0f), {0, 1, 1, 1}));
    EXPECT_EQ(faces.indices, (std::vector<std::uint16_t>{0, 1, 1, 1, 0, 0}));
}
