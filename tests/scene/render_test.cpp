// A small scene drawn headless: a lit textured square turning, an arm of
// two bones bending, and a triangle morphing between two shapes. Setting
// REWIND_SCENE_PNG to a folder keeps the scene file, its texture and the
// frames (frame-0.png, frame-10.png, frame-20.png) there for a look.

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/d3d8/png_file.h"
#include "scene/scene_fixture.h"
#include "scene_data/picture_files.h"

namespace {

constexpr float halfPi = 1.5707964f;

// A 4x4 checker of red and white squares of 2 texels.
std::string CheckerBmp()
{
    return MakeBmp(24, 4, 4, [](int y) {
        std::string row;
        for (int x = 0; x < 4; ++x) {
            const bool red = ((x / 2) + (y / 2)) % 2 == 0;
            row += red ? std::string("\x00\x00\xFF", 3) : std::string("\xFF\xFF\xFF", 3);
        }
        return row;
    });
}

std::vector<SceneMeshVertex> Triangle(float tipY)
{
    const cVector n(0, 0, -1);
    return {{{-10, 0, 0}, n, 0, 0}, {{0, tipY, 0}, n, 0, 0}, {{10, 0, 0}, n, 0, 0}};
}

SceneDescription TestScene(const std::string& textureName)
{
    SceneDescription file;
    file.lastFrame = 20;
    file.materials = {{"Checker", 0x00, 1, 1, 1, 1, textureName, ""},
                      {"Blue", 0x40, 1, 0.2f, 0.4f, 1, "", ""},
                      {"Yellow", 0x40, 1, 1, 1, 0.1f, "", ""}};
    file.objects.push_back(SceneObjectRecord::TargetCamera("Camera01", 60, 0, {0, 0, -100}));
    file.objects.push_back(SceneObjectRecord::CameraTarget("Camera01.Target", "Camera01"));
    file.objects.push_back(SceneObjectRecord::Light("Omni01"));
    file.objects.push_back(SceneObjectRecord::Mesh("Box", Square(15), SquareIndices(), {{"Checker", 0, 2}}));
    // The arm: three rows of two vertices, 60 units tall; the top row follows bone 2.
    std::vector<SceneSkinVertex> arm;
    for (int row = 0; row < 3; ++row) {
        for (int side = 0; side < 2; ++side) {
            SceneSkinVertex vertex;
            vertex.position = {side == 0 ? -5.0f : 5.0f, 30.0f * row, 0};
            vertex.normal = {0, 0, -1};
            vertex.matrices[0] = row == 2 ? 2 : 1;
            arm.push_back(vertex);
        }
    }
    file.objects.push_back(SceneObjectRecord::SkinnedMesh(
        "Arm", arm, {0, 2, 1, 1, 2, 3, 2, 4, 3, 3, 4, 5}, {{"Blue", 0, 4}}, 2));
    SceneObjectRecord morphA = SceneObjectRecord::Mesh("MorphA", Triangle(20), {0, 1, 2}, {{"Yellow", 0, 1}});
    morphA.tweenable = true;
    morphA.hidden = 1;
    SceneObjectRecord morphB = morphA;
    morphB.name = "MorphB";
    morphB.vertices = Triangle(-20);
    SceneObjectRecord morph = morphA;
    morph.name = "Morph";
    morph.hidden = 0;
    file.objects.insert(file.objects.end(), {morphA, morphB, morph});

    SceneNodeRecord root = MakeNode(0xEE07, "Scene Root");
    SceneNodeRecord camera = MakeNode(0xEE04, "Camera01", "Camera01");
    camera.position = {At(0, {0, 0, -100})};
    SceneNodeRecord target = MakeNode(0xEE03, "Camera01.Target", "Camera01.Target");
    SceneNodeRecord light = MakeNode(0xEE03, "Omni01", "Omni01");
    light.position = {At(0, {0, 0, -60})};
    SceneNodeRecord box = MakeNode(0xEE02, "Box", "Box");
    box.position = {At(0, {-45, 20, 0})};
    box.rotation = {SceneRotationKey{0, {0, 0, 1}, 0, {}}, SceneRotationKey{20, {0, 0, 1}, halfPi, {}}};
    SceneNodeRecord armNode = MakeNode(0xEE02, "Arm", "Arm");
    armNode.position = {At(0, {0, -40, 0})};
    SceneNodeRecord bone1 = MakeNode(0xEE01, "Bone01", "Arm");
    bone1.boneNumber = 1;
    bone1.boneOffset = MatrixIdentity();
    SceneNodeRecord bone2 = MakeNode(0xEE01, "Bone02", "Arm");
    bone2.boneNumber = 2;
    bone2.position = {At(0, {0, 30, 0})};
    bone2.rotation = {SceneRotationKey{0, {0, 0, 1}, 0, {}}, SceneRotationKey{20, {0, 0, 1}, -halfPi, {}}};
    bone2.boneOffset = MatrixTranslation(0, -30, 0);
    bone1.children = {bone2};
    armNode.children = {bone1};
    SceneNodeRecord morphNode = MakeNode(0xEE02, "Morph", "Morph");
    morphNode.position = {At(0, {45, -20, 0})};
    morphNode.morph = {{0, "MorphA", 0, 0}, {20, "MorphB", 0, 0}};
    root.children = {camera, target, light, box, armNode, morphNode};
    file.nodes = {root};
    return file;
}

class SceneRenderTest : public SceneTest {
protected:
    void RenderFrame(float frame)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        device->BeginScene();
        device->SetRenderState(D3DRS_AMBIENT, 0xFF3F3F3F);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        scene->Render(frame);
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }

    D3DCOLOR Pixel(int x, int y) const
    {
        const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
        return static_cast<D3DCOLOR>(p[0]) << 16 | static_cast<D3DCOLOR>(p[1]) << 8 | p[2];
    }

    // Pixel position of a world point on the z = 0 plane seen from (0, 0, -100).
    static std::pair<int, int> Screen(float x, float y)
    {
        const float cot = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f);
        return {static_cast<int>((x * cot * 0.75f / 100.0f + 1.0f) * 0.5f * width),
                static_cast<int>((1.0f - y * cot / 100.0f) * 0.5f * height)};
    }

    D3DCOLOR At(float x, float y) const
    {
        const auto [sx, sy] = Screen(x, y);
        return Pixel(sx, sy);
    }

    std::vector<std::uint8_t> pixels;
    float currentFrame = 0.0f;
};

bool IsBlue(D3DCOLOR c) { return (c & 0xFF) > 0x40 && (c & 0xFF) > (c >> 16 & 0xFF); }
bool IsYellow(D3DCOLOR c) { return (c >> 16 & 0xFF) > 0x40 && (c >> 8 & 0xFF) > 0x40 && (c & 0xFF) < (c >> 16 & 0xFF) / 2; }

} // namespace

TEST_F(SceneRenderTest, DrawsTheTestSceneAtThreeFrames)
{
    folder.Write("checker.bmp", CheckerBmp());
    const SceneDescription file = TestScene(PathOf("checker.bmp"));
    ASSERT_EQ(Load(file, SCENE_MORPHING), -1);
    const char* keep = std::getenv("REWIND_SCENE_PNG");
    if (keep != nullptr) {
        std::filesystem::create_directories(keep);
        std::filesystem::copy_file(PathOf("checker.bmp"), std::filesystem::path(keep) / "checker.bmp",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(std::filesystem::path(keep) / "test.scene", std::ios::binary) << WriteScene(TestScene("checker.bmp"));
    }
    SetPresentHandler([this](const PresentedFrame& frame) {
        pixels.assign(frame.rgba, frame.rgba + static_cast<std::size_t>(frame.width) * frame.height * 4);
        const char* keepFolder = std::getenv("REWIND_SCENE_PNG");
        if (keepFolder != nullptr && currentFrame >= 0.0f) {
            WritePng((std::string(keepFolder) + "/frame-" + std::to_string(static_cast<int>(currentFrame)) + ".png").c_str(),
                     frame);
        }
    });
    for (float frame : {0.0f, 10.0f, 20.0f}) {
        currentFrame = frame;
        RenderFrame(frame);
        ASSERT_EQ(pixels.size(), std::size_t{width} * height * 4);
        // The textured square: lit, so neither black nor a flat colour everywhere.
        EXPECT_NE(At(-45, 20), 0u) << frame;
        EXPECT_EQ(At(0, 55), 0u) << "background";
        // The arm's lower bone stays put.
        EXPECT_TRUE(IsBlue(At(0, -30))) << std::hex << At(0, -30);
    }
    currentFrame = -1.0f;
    // Frame 20: the upper bone has turned a quarter to the right, so the top
    // of the arm lies to the right of the elbow instead of above it.
    EXPECT_TRUE(IsBlue(At(20, -10))) << std::hex << At(20, -10);
    EXPECT_FALSE(IsBlue(At(0, 15)));
    // And the triangle now points down.
    EXPECT_TRUE(IsYellow(At(45, -32))) << std::hex << At(45, -32);
    EXPECT_FALSE(IsYellow(At(45, -8)));
    RenderFrame(0);
    EXPECT_TRUE(IsBlue(At(0, 15)));
    EXPECT_TRUE(IsYellow(At(45, -8))) << std::hex << At(45, -8);
    // Half way the triangle is flat: neither tip is drawn.
    RenderFrame(10);
    EXPECT_FALSE(IsYellow(At(45, -12)));
    EXPECT_FALSE(IsYellow(At(45, -28 + 40)));
}

TEST_F(SceneRenderTest, LightsDrawFlaresOnlyWithTheOptionAndAMaterial)
{
    SceneDescription file = TestScene("");
    file.materials[0].texture = "";
    ASSERT_EQ(Load(file), -1);
    SetPresentHandler([this](const PresentedFrame& frame) {
        pixels.assign(frame.rgba, frame.rgba + static_cast<std::size_t>(frame.width) * frame.height * 4);
    });
    RenderFrame(0);
    EXPECT_EQ(At(0, 40), 0u);
    cSceneMaterial flare(scene.get());
    flare.flags = MATERIAL_NO_TEXTURE;
    flare.red = flare.green = flare.blue = 1.0f;
    flare.opacity = 1.0f;
    scene->flareMaterial = &flare;
    scene->options |= SCENE_FLARES;
    // A light above the arm: its 15-unit quad faces the camera.
    scene->nodes.Find("Omni01")->positionTrack = std::make_unique<cVectorTrack>(cVectorTrack::Position);
    auto* track = static_cast<cVectorTrack*>(scene->nodes.Find("Omni01")->positionTrack.get());
    track->keys.resize(1);
    track->keys[0].value = {0, 40, 0};
    RenderFrame(0);
    EXPECT_NE(At(0, 40), 0u);
    EXPECT_NE(At(6, 46), 0u);
    EXPECT_EQ(At(0, 52), 0u);
    scene->flareMaterial = nullptr;
}
