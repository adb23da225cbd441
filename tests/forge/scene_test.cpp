// The generated scene, loaded and played by the show's scene system on a
// headless device.

#include "scene/scene.h"
#include "scene/scene_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/log_capture.h"
#include "scene/scene_picture.h"

#include "forge/scene/bmp_file.h"
#include "forge/scene/scene.h"
#include "forge/scene/tga_file.h"

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The show opens the scene and its textures from its own folder.
class ForgeScene : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        std::string error;
        ASSERT_TRUE(WriteScene(folder.Path().string(), error)) << error;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        scene = std::make_unique<cScene>();
        scene->SetDevice(device, 0);
        try {
            scene->Load("obj\\a.scene");
        } catch (const mu3d_CException& failure) {
            FAIL() << "the scene failed to load with code " << failure.code;
        }
        scene->zFar = 25000.0f;
    }

    void TearDown() override
    {
        std::filesystem::current_path(previous);
        SceneTest::TearDown();
    }

    template <typename T>
    T* Object(const char* name)
    {
        return dynamic_cast<T*>(scene->objects.Find(name));
    }

    void Play(float frame)
    {
        device->BeginScene();
        scene->Render(frame);
        device->EndScene();
    }

    std::filesystem::path previous;
};

} // namespace

TEST_F(ForgeScene, LoadsEveryTextureWithItsMaterial)
{
    for (const char* name : {"Floor", "Panel", "Chrome", "Ice", "Skin", "Halo"}) {
        SCOPED_TRACE(name);
        const cSceneMaterial* material = scene->materials.Find(name);
        ASSERT_NE(material, nullptr);
        // A texture that failed to load would have been removed again.
        EXPECT_NE(g_sceneTextures.Find(material->textureName.c_str()), nullptr);
    }
    const cSceneMaterial* panel = scene->materials.Find("Panel");
    EXPECT_EQ(panel->flags & 0x01u, 0x01u);
    EXPECT_NE(g_sceneTextures.Find(panel->secondTextureName.c_str()), nullptr);
    EXPECT_EQ(scene->materials.Find("Chrome")->flags & 0x20u, 0x20u);
    // The halo's TGA has an "_alpha.bmp" companion: transparent, additive.
    const cSceneMaterial* halo = scene->materials.Find("Halo");
    EXPECT_EQ(halo->flags & 0x14u, 0x14u);
    EXPECT_EQ(halo->blendSelector, 0);
    // BMP, JPEG and TGA files all take part.
    std::set<std::string> extensions;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "obj")) {
        extensions.insert(entry.path().extension().string());
    }
    for (const char* extension : {".bmp", ".jpg", ".tga"}) {
        EXPECT_EQ(extensions.count(extension), 1u) << extension;
    }
}

TEST_F(ForgeScene, HasATargetCameraLightsASkinnedMeshAndTracks)
{
    auto* camera = dynamic_cast<cSceneTargetCamera*>(scene->camera);
    ASSERT_NE(camera, nullptr);
    EXPECT_NE(camera->target, nullptr);
    EXPECT_NE(camera->fovTrack, nullptr);
    EXPECT_NE(camera->rollTrack, nullptr);
    EXPECT_GE(scene->lastFrame, 109); // fx07 plays 10.9 s at ten frames a second
    EXPECT_EQ(Object<cSceneLight>("Omni01")->lightIndex, 0);
    EXPECT_EQ(Object<cSceneLight>("Omni02")->lightIndex, 1);

    auto* stem = Object<cSceneSkinnedMesh>("Stem");
    ASSERT_NE(stem, nullptr);
    ASSERT_EQ(stem->boneCount, 3u);
    for (const SceneBone& bone : stem->bones) {
        EXPECT_NE(bone.node, nullptr);
    }
    EXPECT_NE(Object<cSceneMeshBase>("Halo")->hideTrack, nullptr);
    auto* crystal = Object<cSceneMeshBase>("Crystal");
    ASSERT_NE(crystal->morphTrack, nullptr);
    for (const auto& key : crystal->morphTrack->keys) {
        EXPECT_NE(key.value, nullptr); // every morph key names a loaded shape
    }
    EXPECT_EQ(scene->nodes.Find("Scene Root")->kind, 0xEE07u);
    // The orbit turns more than once in its segment.
    auto* orbit = dynamic_cast<cRotationTrack*>(scene->nodes.Find("Orbit")->rotationTrack.get());
    ASSERT_NE(orbit, nullptr);
    EXPECT_EQ(orbit->keys.back().spins, 1);
}

TEST_F(ForgeScene, PlaybackMovesTheCameraBonesAndHalo)
{
    LogCapture log;
    auto* camera = dynamic_cast<cSceneTargetCamera*>(scene->camera);
    cSceneNode* gem = scene->nodes.Find("Gem"); // rides on the stem's last bone
    auto* halo = Object<cSceneMeshBase>("Halo");

    Play(0);
    const float fovAtStart = camera->fov;
    const float rollAtStart = camera->roll;
    const cVector tipAtStart = cVector() * gem->world;
    EXPECT_EQ(halo->hidden, 1);

    Play(45);
    EXPECT_LT(camera->fov, fovAtStart - 10.0f); // zoomed in on the crystal
    EXPECT_GT(camera->roll, rollAtStart + 5.0f);
    const cVector tipLater = cVector() * gem->world;
    EXPECT_GT(VectorLength(tipLater - tipAtStart), 5.0f); // the stem bends
    EXPECT_EQ(halo->hidden, 0);
    EXPECT_EQ(log.Text().find("failed"), std::string::npos) << log.Text();
}

TEST_F(ForgeScene, TwoRunsWriteTheSameBytes)
{
    TempDir again;
    std::string error;
    ASSERT_TRUE(WriteScene(again.Path().string(), error)) << error;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "obj")) {
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(again.Path() / "obj" / entry.path().filename()));
    }
    EXPECT_EQ(files, 8u); // the scene and seven pictures
}

// The device blends a fourth matrix with whatever the three weights leave
// over, so each vertex's weights must add up to 1 over bones that exist.
TEST(ForgeSceneDescription, StemVerticesBlendTwoOfItsThreeBonesWithWeightsThatSumToOne)
{
    const SceneDescription description = BuildSceneDescription();
    const SceneObjectRecord* stem = nullptr;
    for (const SceneObjectRecord& object : description.objects) {
        if (object.name == "Stem") stem = &object;
    }
    ASSERT_NE(stem, nullptr);
    std::set<int> bonesUsed;
    for (const SceneSkinVertex& vertex : stem->skinVertices) {
        EXPECT_NEAR(vertex.weights[0] + vertex.weights[1] + vertex.weights[2], 1.0f, 1e-6f);
        for (int k = 0; k < 2; ++k) {
            ASSERT_GE(vertex.matrices[k], 1);
            ASSERT_LE(vertex.matrices[k], stem->boneCount);
            if (vertex.weights[k] > 0.0f) bonesUsed.insert(vertex.matrices[k]);
        }
    }
    EXPECT_EQ(bonesUsed, (std::set<int>{1, 2, 3}));
}

// An odd width makes the BMP rows padded; rows run bottom-up in both formats.
TEST(ForgeScenePictures, WritersRoundTripThroughTheScenesReaders)
{
    TextureCanvas canvas(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            canvas.At(x, y) = static_cast<std::uint32_t>(0x10000000 * (x + 1) + 0x00203040 * (y + 1) + x * 8);
        }
    }
    std::vector<std::uint8_t> alpha(15);
    for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = static_cast<std::uint8_t>(i * 17);
    TempDir folder;
    auto read = [&](const std::string& bytes, auto reader, auto& picture) {
        std::FILE* file = std::fopen(folder.Write("picture", bytes).c_str(), "rb");
        const bool ok = reader(file, picture);
        std::fclose(file);
        return ok;
    };

    ScenePicture bmp, tga32, tga16;
    AlphaPicture mask;
    ASSERT_TRUE(read(Bmp24Bytes(canvas), ReadBmpPicture, bmp));
    ASSERT_TRUE(read(Tga32Bytes(canvas), ReadTgaPicture, tga32));
    ASSERT_TRUE(read(Tga16Bytes(canvas), ReadTgaPicture, tga16));
    ASSERT_TRUE(read(Bmp8Bytes(alpha, 5, 3), ReadAlphaBmp, mask));
    ASSERT_EQ(bmp.width, 5u);
    ASSERT_EQ(bmp.height, 3u);
    EXPECT_EQ(mask.alpha, alpha);
    for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
        const std::uint32_t pixel = canvas.pixels[i];
        EXPECT_EQ(bmp.pixels[i], pixel & 0xFFFFFF);
        EXPECT_EQ(tga32.pixels[i], pixel);
        EXPECT_EQ(tga16.pixels[i], pixel & 0xF8F8F8); // five bits a channel
    }
}
