#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <numbers>

#include "objects/object.h"

namespace {

// A mesh without a device: the loaders leave an object empty when given no
// device, and the arithmetic needs none.
class Mesh : public cObject {
public:
    Mesh(const std::vector<MeshVertex>& newVertices, const std::vector<std::uint16_t>& newIndices)
        : cObject(nullptr, nullptr)
    {
        vertices = newVertices;
        indices = newIndices;
        numVertices = static_cast<std::uint32_t>(vertices.size());
        numFaces = static_cast<std::uint32_t>(indices.size() / 3);
        faceNormals.resize(numFaces);
    }
};

MeshVertex At(float x, float y, float z)
{
    return MeshVertex{x, y, z, 0, 0, 0, 0, 0};
}

// The plain rule: every vertex scans every face.
std::vector<D3DXVECTOR3> ScannedVertexNormals(const Mesh& mesh)
{
    std::vector<D3DXVECTOR3> normals(mesh.numVertices);
    for (std::uint32_t vertex = 0; vertex < mesh.numVertices; ++vertex) {
        D3DXVECTOR3 sum;
        int count = 0;
        for (std::uint32_t face = 0; face < mesh.numFaces; ++face) {
            const std::uint16_t* corners = &mesh.indices[3 * face];
            if (corners[0] == vertex || corners[1] == vertex || corners[2] == vertex) {
                sum = sum + mesh.faceNormals[face];
                ++count;
            }
        }
        if (count != 0) sum = sum * (1.0f / static_cast<float>(count));
        D3DXVec3Normalize(&normals[vertex], &sum);
    }
    return normals;
}

bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// Same sums in the same order as scanning every face per vertex, so equal to
// the bit, including faces that name a vertex twice and degenerate ones.
TEST(ObjectMesh, ComputeNormalsMatchesTheFullScanBitForBit)
{
    std::srand(7);
    std::vector<MeshVertex> vertices;
    for (int i = 0; i < 200; ++i) {
        vertices.push_back(At(std::rand() % 1000 / 97.0f, std::rand() % 1000 / 89.0f, std::rand() % 1000 / 83.0f));
    }
    std::vector<std::uint16_t> indices;
    for (int i = 0; i < 3 * 500; ++i) indices.push_back(static_cast<std::uint16_t>(std::rand() % 180));
    indices.insert(indices.end(), {3, 3, 4, 5, 6, 5, 7, 7, 7});
    Mesh mesh(vertices, indices);
    mesh.ComputeNormals();
    const std::vector<D3DXVECTOR3> expected = ScannedVertexNormals(mesh);
    for (std::uint32_t i = 0; i < mesh.numVertices; ++i) {
        ASSERT_TRUE(SameBits(mesh.vertices[i].nx, expected[i].x) && SameBits(mesh.vertices[i].ny, expected[i].y) &&
                    SameBits(mesh.vertices[i].nz, expected[i].z))
            << "vertex " << i;
    }
}

TEST(ObjectMesh, SphereMapCoordinatesWireframeAndCopiesUseTheVerticesAsTheyAre)
{
    Mesh mesh({At(0, 0, 0), At(1, 0, 0), At(2, 0, 0)}, {0, 1, 2});
    mesh.vertices[0].nz = 1.0f;
    mesh.vertices[1].nx = 1.0f;
    mesh.vertices[1].ny = -1.0f;
    mesh.MakeSphereMapCoords();
    EXPECT_EQ(mesh.vertices[0].u, 0.5f);
    EXPECT_EQ(mesh.vertices[0].v, 0.5f);
    EXPECT_EQ(mesh.vertices[1].u, 1.0f);
    EXPECT_EQ(mesh.vertices[1].v, 0.0f);

    mesh.BuildWireframe();
    mesh.vertices[0].x = 9.0f; // too late for the wireframe
    std::vector<float> lineX;
    for (const MeshVertex& vertex : mesh.wireVertices) lineX.push_back(vertex.x);
    EXPECT_EQ(lineX, (std::vector<float>{0, 1, 1, 2, 2, 0}));

    const Mesh moreFaces({At(7, 7, 7), At(8, 8, 8), At(9, 9, 9)}, {2, 1, 0, 0, 1, 2});
    const Mesh moreVertices({At(7, 7, 7), At(8, 8, 8), At(9, 9, 9), At(0, 0, 0)}, {2, 1, 0});
    mesh.CopyFrom(&moreFaces);
    mesh.CopyFrom(&moreVertices);
    EXPECT_EQ(mesh.vertices[0].x, 9.0f);
    EXPECT_EQ(mesh.indices[0], 0u);
    const Mesh same({At(7, 7, 7), At(8, 8, 8), At(9, 9, 9)}, {2, 1, 0});
    mesh.CopyFrom(&same);
    EXPECT_EQ(mesh.vertices[0].x, 7.0f);
    EXPECT_EQ(mesh.indices[0], 2u);
}

TEST(ObjectPlacement, RotationsAreGivenInDegreesAndSpinAddsTheSpeed)
{
    cObjectPlacement placement;
    placement.SetRotation(180, 0, 0);
    EXPECT_FLOAT_EQ(placement.rotation.x, std::numbers::pi_v<float>);
    EXPECT_EQ(placement.rotation.y, 0.0f);
    EXPECT_EQ(placement.rotation.z, 0.0f);

    placement.SetRotation(0, 0, 0);
    placement.Spin();
    placement.Spin();
    EXPECT_FLOAT_EQ(placement.rotation.x, 0.2f);
    EXPECT_FLOAT_EQ(placement.rotation.z, 0.2f);

    placement.SetRotationSpeed(90, 0, 0);
    placement.Spin();
    EXPECT_FLOAT_EQ(placement.rotation.x, 0.2f + std::numbers::pi_v<float> / 2);
}
