// The generated object files, read back by the show's own loaders.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "objects/object.h"
#include "objects/object_ps.h"
#include "platform/d3d8/headless_device.h"

#include "forge/objects/objects.h"

namespace {

struct Intended {
    const char* name;
    std::uint32_t vertices;
    std::uint32_t faces;
    cVector min;
    cVector max;
    float tolerance;
};

// What each object was made to be: its counts, and the box its effect's
// camera and scale were worked out for.
const Intended intendedObjects[] = {
    {"01blob.obj", 1002, 2000, {-4.6f, -4.6f, -4.6f}, {4.6f, 4.6f, 4.6f}, 0.8f},
    {"01wire.obj", 1200, 1920, {-7.6f, -7.6f, -7.6f}, {7.6f, 7.6f, 7.6f}, 0.1f},
    {"geosphere.obj", 162, 320, {-100, -100, -100}, {100, 100, 100}, 0.01f},
    {"pyramid.obj", 16, 6, {-100, 0, -100}, {100, 180, 100}, 0.0f},
    {"wings2.obj", 316, 616, {-90, -15, -157}, {76, 25, 157}, 1.0f},
    {"box.obj", 24, 12, {-2.5f, -2.5f, -2.5f}, {2.5f, 2.5f, 2.5f}, 0.0f},
    {"o1.obj", 561, 1024, {-3.4f, -0.9f, -3.4f}, {3.4f, 0.9f, 3.4f}, 0.01f},
    {"samolot.obj", 750, 1464, {-505, -66, -454}, {505, 222, 438}, 1.0f},
    {"flara_duza2.obj", 160, 80, {-10, -10, -0.25f}, {10, 10, 0.25f}, 1.0f},
    {"flara_mala1.obj", 480, 240, {-4.2f, -4.2f, -2.1f}, {4.2f, 4.2f, 2.1f}, 0.8f},
    {"flara_mala2.obj", 360, 180, {-4.5f, -4.5f, -1.6f}, {4.5f, 4.5f, 1.6f}, 1.0f},
    {"dlugi.obj", 1882, 3760, {-3.66f, -16, -3.66f}, {3.66f, 16, 3.66f}, 0.05f},
    {"donut01.obj", 637, 1152, {-21.6f, -1.6f, -21.6f}, {21.6f, 1.6f, 21.6f}, 0.01f},
    {"donut02.obj", 833, 1536, {-24, -4, -24}, {24, 4, 24}, 0.01f},
    {"donut03.obj", 637, 1152, {-22.5f, -0.8f, -22.5f}, {22.5f, 0.8f, 22.5f}, 0.01f},
    {"blob01.obj", 642, 1280, {-3.5f, -3.5f, -3.5f}, {3.5f, 3.5f, 3.5f}, 0.7f},
    {"blob7_3k.obj", 1442, 2880, {-3, -3, -3}, {3, 3, 3}, 0.5f},
    {"glow.obj", 129, 224, {-4, -4, 0}, {4, 4, 0}, 0.0f},
};

// Flat pieces meant to be seen from -z, where the effects' cameras are.
bool IsFlatFacingTheCamera(const std::string& name)
{
    return name == "glow.obj" || name.rfind("flara", 0) == 0;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ForgeObjects : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempDir();
        std::string error;
        written = WriteObjects(folder->Path().string(), error);
        EXPECT_TRUE(written) << error;
    }

    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(written);
        device = CreateHeadlessDevice(64, 64, &direct3d);
        ASSERT_NE(device, nullptr);
    }

    void TearDown() override
    {
        if (device != nullptr) device->Release();
        if (direct3d != nullptr) direct3d->Release();
    }

    static std::string PathOf(const char* name) { return (folder->Path() / "obj" / name).string(); }

    static TempDir* folder;
    static bool written;
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};

TempDir* ForgeObjects::folder = nullptr;
bool ForgeObjects::written = false;

// Six times the signed volume: negative when the faces' cross products point
// inwards, which is how the effects' culling and lights expect them.
double SignedVolume(const cObject& object)
{
    double sum = 0.0;
    for (std::uint32_t face = 0; face < object.numFaces; ++face) {
        const MeshVertex& a = object.vertices[object.indices[3 * face]];
        const MeshVertex& b = object.vertices[object.indices[3 * face + 1]];
        const MeshVertex& c = object.vertices[object.indices[3 * face + 2]];
        sum += a.x * (static_cast<double>(b.y) * c.z - static_cast<double>(b.z) * c.y) +
               a.y * (static_cast<double>(b.z) * c.x - static_cast<double>(b.x) * c.z) +
               a.z * (static_cast<double>(b.x) * c.y - static_cast<double>(b.y) * c.x);
    }
    return sum;
}

} // namespace

TEST_F(ForgeObjects, EveryObjectLoadsWithTheCountsAndBoundsItWasMadeFor)
{
    for (const Intended& intended : intendedObjects) {
        SCOPED_TRACE(intended.name);
        LogCapture log;
        cObject object(PathOf(intended.name).c_str(), device);
        EXPECT_EQ(object.numVertices, intended.vertices);
        EXPECT_EQ(object.numFaces, intended.faces);
        // The loader drops faces that name missing vertices, so a bad index
        // shows as a short index list.
        EXPECT_EQ(object.indices.size(), 3u * intended.faces);
        EXPECT_NE(object.vertexBuffer, nullptr);
        EXPECT_NE(object.indexBuffer, nullptr);
        EXPECT_NE(log.Text().find("cObject : Loaded"), std::string::npos);
        EXPECT_EQ(log.Text().find("failed"), std::string::npos) << log.Text();

        cVector min = {object.vertices[0].x, object.vertices[0].y, object.vertices[0].z};
        cVector max = min;
        for (const MeshVertex& v : object.vertices) {
            min = {std::min(min.x, v.x), std::min(min.y, v.y), std::min(min.z, v.z)};
            max = {std::max(max.x, v.x), std::max(max.y, v.y), std::max(max.z, v.z)};
        }
        const float t = intended.tolerance + 1e-4f;
        EXPECT_NEAR(min.x, intended.min.x, t);
        EXPECT_NEAR(min.y, intended.min.y, t);
        EXPECT_NEAR(min.z, intended.min.z, t);
        EXPECT_NEAR(max.x, intended.max.x, t);
        EXPECT_NEAR(max.y, intended.max.y, t);
        EXPECT_NEAR(max.z, intended.max.z, t);
    }
}

// Solids enclose a volume wound for D3DCULL_CW; flat pieces face -z; and the
// lit solids that should shade smoothly share every corner between their
// faces (a repeated position would leave a crease in ComputeNormals).
TEST_F(ForgeObjects, FacesAreWoundForTheEffectsCullingAndLights)
{
    const std::set<std::string> smooth = {"01blob.obj", "blob01.obj", "blob7_3k.obj", "dlugi.obj",
                                          "samolot.obj", "wings2.obj", "geosphere.obj"};
    for (const Intended& intended : intendedObjects) {
        SCOPED_TRACE(intended.name);
        cObject object(PathOf(intended.name).c_str(), device);
        if (IsFlatFacingTheCamera(intended.name)) {
            object.ComputeNormals();
            for (const D3DXVECTOR3& normal : object.faceNormals) {
                ASSERT_GT(normal.z, 0.99f);
            }
            continue;
        }
        EXPECT_LT(SignedVolume(object), 0.0);
        if (smooth.count(intended.name) != 0) {
            std::set<std::tuple<float, float, float>> positions;
            for (const MeshVertex& v : object.vertices) {
                positions.insert({v.x, v.y, v.z});
            }
            EXPECT_EQ(positions.size(), object.vertices.size());
        }
    }
}

TEST_F(ForgeObjects, PointCloudsTakeEveryFourthVertexAsAParticle)
{
    for (const char* name : {"flara_duza2.obj", "flara_mala1.obj", "flara_mala2.obj", "blob01.obj"}) {
        SCOPED_TRACE(name);
        LogCapture log;
        cObjectPS cloud(PathOf(name).c_str(), device);
        cObject mesh(PathOf(name).c_str(), device);
        // The flares are written four vertices per particle; the blob's
        // remainder of two vertices is ignored by the loader.
        if (std::string(name) != "blob01.obj") {
            EXPECT_EQ(mesh.numVertices % 4, 0u);
        }
        ASSERT_EQ(cloud.numParticles, mesh.numVertices / 4);
        EXPECT_EQ(log.Text().find("failed"), std::string::npos) << log.Text();
        // No two particles on the same spot.
        std::set<std::tuple<float, float, float>> spots;
        for (std::uint32_t k = 0; k < cloud.numParticles; ++k) {
            EXPECT_EQ(cloud.particles[k].x, mesh.vertices[4 * k].x);
            EXPECT_EQ(cloud.particles[k].z, mesh.vertices[4 * k].z);
            spots.insert({cloud.particles[k].x, cloud.particles[k].y, cloud.particles[k].z});
        }
        EXPECT_EQ(spots.size(), cloud.numParticles);
    }
}

TEST_F(ForgeObjects, TwoRunsWriteTheSameBytes)
{
    TempDir again;
    std::string error;
    ASSERT_TRUE(WriteObjects(again.Path().string(), error)) << error;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder->Path() / "obj")) {
        if (entry.path().extension() != ".obj") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(again.Path() / "obj" / entry.path().filename()));
    }
    EXPECT_EQ(files, std::size(intendedObjects));
}
