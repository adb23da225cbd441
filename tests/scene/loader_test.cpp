#include "scene/scene_fixture.h"
#include "scene_data/picture_files.h"

namespace {

std::string SolidBmp(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    return MakeBmp(24, 4, 4, [=](int) {
        std::string row;
        for (int x = 0; x < 4; ++x) row += {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
        return row;
    });
}

std::string AlphaBmp(std::uint8_t value)
{
    return MakeBmp(8, 4, 4, [=](int) { return std::string(4, static_cast<char>(value)); });
}

// Every record kind of the format once: materials with and without
// textures, the six object types, the seven node kinds with every extra.
SceneDescription EveryRecordKind(const SceneTest& test, TempDir& folder)
{
    folder.Write("wall.bmp", SolidBmp(0, 0, 255));
    SceneDescription file;
    file.materials.push_back({"Plain", 0x40, 1, 0, 1, 0, "", ""});
    file.materials.push_back({"Wall", 0x00, 1, 1, 1, 1, (folder.Path() / "wall.bmp").string(), ""});
    file.materials.push_back({"Chrome", 0x03, 1, 1, 1, 1, "", (folder.Path() / "wall.bmp").string()});
    file.objects.push_back(SceneObjectRecord::TargetCamera("Camera01", 50, 5, {0, 0, -10}));
    file.objects.push_back(SceneObjectRecord::CameraTarget("Camera01.Target", "Camera01"));
    file.objects.push_back(SceneObjectRecord::FreeCamera("Free01", 40));
    file.objects.push_back(SceneObjectRecord::Light("Omni01", {1, 2, 3}));
    file.objects.push_back(SceneObjectRecord::Mesh("Box", Square(), SquareIndices(), {{"Wall", 0, 2}}));
    file.objects.push_back(
        SceneObjectRecord::Mesh("Two", Square(), SquareIndices(), {{"Plain", 0, 1}, {"Chrome", 3, 1}}));
    std::vector<SceneSkinVertex> skin(3);
    skin[1].position = {1, 0, 0};
    skin[2].position = {0, 1, 0};
    skin[2].matrices[0] = 2;
    file.objects.push_back(SceneObjectRecord::SkinnedMesh("Arm", skin, {0, 1, 2}, {{"Plain", 0, 1}}, 2));
    SceneNodeRecord root = MakeNode(0xEE07, "Root", "Box");
    SceneNodeRecord camera = MakeNode(0xEE04, "Camera01", "Camera01");
    camera.roll = {{0, 10, {}}, {10, 20, {}}};
    camera.fov = {{0, 45, {}}};
    SceneNodeRecord target = MakeNode(0xEE03, "Camera01.Target", "Camera01.Target");
    SceneNodeRecord free = MakeNode(0xEE05, "Free01", "Free01");
    free.fov = {{0, 30, {}}};
    SceneNodeRecord light = MakeNode(0xEE06, "Omni01", "Omni01");
    light.euler = {At(0, {0, 0, 0})};
    SceneNodeRecord box = MakeNode(0xEE02, "Box", "Box");
    box.morph = {{0, "Two", 0, 0}, {10, "Box", 0, 0}};
    box.hide = {{0, 0, 0, 0}, {5, 1, 0, 0}};
    SceneNodeRecord arm = MakeNode(0xEE02, "Arm", "Arm");
    SceneNodeRecord bone1 = MakeNode(0xEE01, "Bone01", "Arm");
    bone1.boneNumber = 1;
    SceneNodeRecord bone2 = MakeNode(0xEE01, "Bone02", "Arm");
    bone2.boneNumber = 2;
    bone1.children = {bone2};
    arm.children = {bone1};
    root.children = {camera, target, free, light, box, arm};
    file.nodes = {root};
    (void)test;
    return file;
}

} // namespace

TEST_F(SceneTest, LoadsEveryRecordKind)
{
    ASSERT_EQ(Load(EveryRecordKind(*this, folder)), -1);
    EXPECT_EQ(scene->camera, scene->objects.Find("camera01"));
    auto* camera = static_cast<cSceneTargetCamera*>(scene->camera);
    EXPECT_EQ(camera->target, scene->objects.Find("Camera01.Target"));
    EXPECT_TRUE(camera->rollTrack && camera->fovTrack);
    auto* box = static_cast<cSceneMesh*>(scene->objects.Find("Box"));
    EXPECT_EQ(box->singleMaterial, scene->materials.Find("Wall"));
    EXPECT_TRUE(box->morphTrack && box->hideTrack);
    EXPECT_EQ(box->vertexFormat, SCENE_MESH_FVF);
    EXPECT_FLOAT_EQ(box->bboxMin.x, -1.0f);
    EXPECT_FLOAT_EQ(box->bboxMax.y, 1.0f);
    auto* arm = static_cast<cSceneSkinnedMesh*>(scene->objects.Find("ARM"));
    EXPECT_EQ(arm->bones[0].node, scene->nodes.Find("Bone01"));
    EXPECT_EQ(arm->bones[1].node, scene->nodes.Find("bone02"));
    EXPECT_EQ(scene->nodes.Find("Bone01")->object, nullptr) << "a bone node carries no object";
    EXPECT_EQ(scene->root->object, nullptr) << "a dummy node never gets an object";
    EXPECT_NE(g_sceneTextures.Find((folder.Path() / "wall.bmp").string().c_str()), nullptr);
    EXPECT_EQ(scene->lastFrame, 100);
    scene->Render(3.0f);
}

TEST_F(SceneTest, EveryTruncationFailsWithCodeZero)
{
    const std::string whole = WriteScene(EveryRecordKind(*this, folder));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        cScene cut;
        cut.SetDevice(device, 0);
        std::FILE* file = fmemopen(const_cast<char*>(whole.data()), size, "rb");
        int code = -1;
        try {
            cut.Load(file);
        } catch (const mu3d_CException& failure) {
            code = failure.code;
        }
        std::fclose(file);
        ASSERT_EQ(code, 0) << "cut at " << size << " of " << whole.size();
    }
}

TEST_F(SceneTest, RefusesWrongMagicTagsAndOrder)
{
    std::string bytes = WriteScene(MinimalScene());
    EXPECT_EQ(LoadBytes(bytes), -1);
    std::string longMagic = bytes;
    longMagic[16] = 'X';
    EXPECT_EQ(LoadBytes(longMagic), 0);
    EXPECT_EQ(LoadBytes("SCENEFILE-QUASAR"), 0);
    EXPECT_EQ(LoadBytes(SceneBytes().String("SCENEFILE-QUASAR").Int(1).UInt(0x2020).UInt(0).bytes), 0);
    EXPECT_EQ(LoadBytes(SceneBytes().String(std::string(300, 'S')).bytes), 0) << "a string past 255 bytes";

    cScene early;
    try {
        early.Load(PathOf("test.scene").c_str());
        ADD_FAILURE() << "Load before SetDevice";
    } catch (const mu3d_CException& failure) {
        EXPECT_EQ(failure.code, 4);
    }
    try {
        early.SetDevice(nullptr, 0);
        ADD_FAILURE() << "SetDevice without a device";
    } catch (const mu3d_CException& failure) {
        EXPECT_EQ(failure.code, 1);
    }
    try {
        early.Render(0);
        ADD_FAILURE() << "Render without a device";
    } catch (const mu3d_CException& failure) {
        EXPECT_EQ(failure.code, 4);
    }
}

TEST_F(SceneTest, NeedsACameraThatCanLook)
{
    SceneDescription file = MinimalScene();
    file.objects = {SceneObjectRecord::Light("Omni01")};
    EXPECT_EQ(Load(file), 2);
    file.objects = {SceneObjectRecord::TargetCamera("Cam", 45, 0),
                     SceneObjectRecord::CameraTarget("Cam.Target", "Cam")};
    EXPECT_EQ(Load(file), -1);
    EXPECT_EQ(file.objects.size(), 2u);
    file.objects.erase(file.objects.begin());
    EXPECT_EQ(Load(file), 0) << "a target naming a camera not yet defined";
    file.objects = {SceneObjectRecord::TargetCamera("Cam", 45, 0)};
    EXPECT_EQ(Load(file), 0) << "the chosen target camera has no target";
    file.objects = {SceneObjectRecord::FreeCamera("Cam", 45),
                     SceneObjectRecord::CameraTarget("Cam.Target", "Cam")};
    EXPECT_EQ(Load(file), 0) << "a target of a free camera";
}

TEST_F(SceneTest, RefusesBrokenCountsAndReferences)
{
    SceneDescription base = MinimalScene();
    auto withObject = [&](const SceneObjectRecord& object) {
        SceneDescription file = base;
        file.objects.push_back(object);
        return Load(file);
    };
    SceneObjectRecord unknown = SceneObjectRecord::Light("X");
    unknown.type = 0xFF07;
    EXPECT_EQ(withObject(unknown), 0);
    EXPECT_EQ(withObject(SceneObjectRecord::Mesh("NoGroups", Square(), SquareIndices(), {})), 0);
    EXPECT_EQ(withObject(SceneObjectRecord::Mesh("PastEnd", Square(), SquareIndices(), {{"", 3, 2}})), 0);
    SceneObjectRecord manyTriangles = SceneObjectRecord::Mesh("M", Square(), SquareIndices(), {{"", 0, 2}});
    manyTriangles.triangleCount = 3;
    EXPECT_EQ(withObject(manyTriangles), 0);
    EXPECT_EQ(withObject(SceneObjectRecord::SkinnedMesh("S", {SceneSkinVertex{}}, {0, 0, 0}, {{"", 0, 1}}, 256)), 0);
    EXPECT_EQ(withObject(SceneObjectRecord::SkinnedMesh("S", {SceneSkinVertex{}}, {0, 0, 0}, {{"", 0, 1}}, 1)), 0)
        << "a bone no node fills";

    // Counts far beyond the file are refused before anything is allocated.
    SceneBytes huge;
    huge.String("SCENEFILE-QUASAR").Int(0).UInt(0x1010).UInt(0).UInt(0x2020).UInt(1).String("Big").UInt(0xFF04);
    huge.UInt(0x7FFFFFFF).UInt(0x7FFFFFFF).UInt(0x7FFFFFFF).Int(0).Float(0).Float(0).Float(0).UInt(0xFFFFFFFF).Int(0);
    EXPECT_EQ(LoadBytes(huge.bytes), 0);

    // Bone numbers outside the mesh's bones, and bones of something that is not a skinned mesh.
    SceneDescription skinned = base;
    skinned.objects.push_back(SceneObjectRecord::SkinnedMesh("S", {SceneSkinVertex{}}, {0, 0, 0}, {{"", 0, 1}}, 1));
    for (std::int32_t number : {0, 2, -1}) {
        SceneDescription file = skinned;
        file.nodes[0].children = {MakeNode(0xEE01, "B", "S")};
        file.nodes[0].children[0].boneNumber = number;
        EXPECT_EQ(Load(file), 0) << number;
    }
    SceneDescription wrongOwner = skinned;
    wrongOwner.nodes[0].children = {MakeNode(0xEE01, "B", "Camera")};
    EXPECT_EQ(Load(wrongOwner), 0);
    // A hide track on a node whose object is not a mesh; an empty track.
    SceneDescription hideCamera = base;
    hideCamera.nodes[0].children = {MakeNode(0xEE02, "H", "Camera")};
    hideCamera.nodes[0].children[0].hide = {{0, 1, 0, 0}};
    EXPECT_EQ(Load(hideCamera), 0);
    SceneDescription emptyTrack = base;
    emptyTrack.nodes[0].position.clear();
    EXPECT_EQ(Load(emptyTrack), 0);
}

TEST_F(SceneTest, FirstDefinitionWinsAndNamesIgnoreCase)
{
    SceneDescription file = MinimalScene();
    file.materials = {{"Red", 0x40, 1, 1, 0, 0, "", ""}, {"RED", 0x40, 1, 0, 0, 1, "", ""}};
    file.objects.push_back(SceneObjectRecord::Mesh(
        "Box", Square(), SquareIndices(), {{"red", 0, 1}, {"$emptymaterial", 3, 1}, {"Missing", 0, 0}}));
    file.objects.push_back(SceneObjectRecord::Light("box"));
    ASSERT_EQ(Load(file), -1);
    const auto* box = static_cast<cSceneMesh*>(scene->objects.Find("BOX"));
    ASSERT_EQ(box->TypeCode(), SCENE_MESH);
    EXPECT_FLOAT_EQ(box->groups[0].material->red, 1.0f);
    EXPECT_EQ(box->groups[1].material, scene->materials.Find("$EMPTYMATERIAL"));
    EXPECT_EQ(box->groups[2].material, nullptr);
    EXPECT_EQ(scene->materials.Count(), 2u) << "the built-in material and the first Red";
    EXPECT_EQ(scene->ownedObjects.size(), 3u) << "the duplicate is kept alive but not listed";
}

TEST_F(SceneTest, LightsAreNumberedInFileOrder)
{
    SceneDescription file = MinimalScene();
    for (const char* name : {"A", "B", "C"}) file.objects.push_back(SceneObjectRecord::Light(name));
    ASSERT_EQ(Load(file), -1);
    EXPECT_EQ(static_cast<cSceneLight*>(scene->objects.Find("A"))->lightIndex, 0);
    EXPECT_EQ(static_cast<cSceneLight*>(scene->objects.Find("C"))->lightIndex, 2);
    EXPECT_EQ(scene->nextLightIndex, 3);
}

TEST_F(SceneTest, ChildSubtreeComesBeforeTheSibling)
{
    SceneDescription file = MinimalScene();
    SceneNodeRecord a = MakeNode(0xEE03, "A");
    SceneNodeRecord a1 = MakeNode(0xEE03, "A1");
    SceneNodeRecord a1x = MakeNode(0xEE03, "A1x");
    SceneNodeRecord a2 = MakeNode(0xEE03, "A2");
    SceneNodeRecord b = MakeNode(0xEE03, "B");
    a1.children = {a1x};
    a.children = {a1, a2};
    file.nodes[0].children = {a, b};
    ASSERT_EQ(Load(file), -1);
    const cSceneNode* nodeA = scene->root->firstChild;
    EXPECT_EQ(nodeA->name, "A");
    EXPECT_EQ(nodeA->firstChild->name, "A1");
    EXPECT_EQ(nodeA->firstChild->firstChild->name, "A1x");
    EXPECT_EQ(nodeA->firstChild->nextSibling->name, "A2");
    EXPECT_EQ(nodeA->nextSibling->name, "B");
    EXPECT_EQ(scene->nodes.Find("a1x"), nodeA->firstChild->firstChild);
}

TEST_F(SceneTest, DeepChainsLoadRenderAndUnwind)
{
    // 100000 nested children, then 100000 siblings: no recursion runs out of stack.
    SceneBytes bytes;
    bytes.String("SCENEFILE-QUASAR").Int(0).UInt(0x1010).UInt(0).UInt(0x2020).UInt(1);
    bytes.Object(SceneObjectRecord::FreeCamera("Camera", 60));
    bytes.UInt(0x3030);
    const SceneNodeRecord node = MakeNode(0xEE03, "");
    SceneBytes record;
    record.Node(node, false);
    const std::size_t flagsOffset = 4;
    for (int i = 0; i < 200000; ++i) {
        std::string copy = record.bytes;
        copy[flagsOffset] = static_cast<char>(i < 100000 ? 0x01 : (i + 1 < 200000 ? 0x02 : 0x00));
        bytes.bytes += copy;
    }
    ASSERT_EQ(LoadBytes(bytes.bytes), -1);
    scene->Render(0);
}

TEST_F(SceneTest, TwoHundredThousandNestedNamesKeepTheFirstDefinitionInAnyCase)
{
    // Node0 holds Node1, which holds Node2, ... down to the last node, which
    // repeats the name Node7 in other letters and so is not listed.
    constexpr int count = 200000;
    SceneBytes bytes;
    bytes.String("SCENEFILE-QUASAR").Int(0).UInt(0x1010).UInt(0).UInt(0x2020).UInt(1);
    bytes.Object(SceneObjectRecord::FreeCamera("Camera", 60));
    bytes.UInt(0x3030);
    for (int i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        SceneBytes record;
        record.Node(MakeNode(0xEE03, last ? "nODE7" : "Node" + std::to_string(i)), false);
        if (!last) record.bytes[4] = 0x01; // the flags after the kind: a child follows
        bytes.bytes += record.bytes;
    }
    ASSERT_EQ(LoadBytes(bytes.bytes), -1);
    EXPECT_EQ(scene->nodes.Count(), std::size_t(count - 1));

    const cSceneNode* seventh = scene->root.get();
    for (int depth = 0; depth < 7; ++depth) seventh = seventh->firstChild;
    EXPECT_EQ(seventh->name, "Node7");
    EXPECT_EQ(scene->nodes.Find("NODE7"), seventh);
    const cSceneNode* deepest = seventh;
    while (deepest->firstChild != nullptr) deepest = deepest->firstChild;
    EXPECT_EQ(deepest->name, "nODE7");
    EXPECT_EQ(scene->nodes.Find("node199998"), scene->nodes.Find("NODE199998"));
    EXPECT_EQ(scene->nodes.Find("node199998")->firstChild, deepest);
    EXPECT_EQ(scene->nodes.Find("Node200000"), nullptr);
    // Updating and freeing a tree this deep needs no stack of its depth.
    scene->Render(0);
}

TEST_F(SceneTest, MaterialsTakeTheirTexturesAndCompanions)
{
    folder.Write("plain.bmp", SolidBmp(1, 2, 3));
    folder.Write("glass.bmp", SolidBmp(1, 2, 3));
    folder.Write("glass_alpha.bmp", AlphaBmp(128));
    folder.Write("shine.bmp", SolidBmp(9, 9, 9));
    folder.Write("shine_alpha.bmp", AlphaBmp(255));
    const auto path = [&](const char* name) { return PathOf(name); };
    SceneDescription file = MinimalScene();
    file.materials = {
        {"Plain", 0x00, 1, 1, 1, 1, path("plain.bmp"), ""},
        {"Glass", 0x00, 1, 1, 1, 1, path("glass.bmp"), ""},
        {"Missing", 0x01, 1, 1, 1, 1, path("missing.bmp"), path("plain.bmp")},
        {"Empty", 0x02, 1, 1, 1, 1, "", ""},
        {"Shine", 0x183, 1, 1, 1, 1, path("plain.bmp"), path("shine.bmp")},
        {"Untextured", 0x41, 1, 1, 1, 1, "", ""},
        {"After", 0x40, 1, 1, 1, 1, "", ""},
    };
    ASSERT_EQ(Load(file), -1);
    EXPECT_EQ(scene->materials.Find("Plain")->flags, 0x00u);
    const cSceneMaterial* glass = scene->materials.Find("Glass");
    EXPECT_EQ(glass->flags, 0x14u);
    EXPECT_EQ(glass->blendSelector, 0);
    EXPECT_EQ(g_sceneTextures.Find(path("missing.bmp").c_str()), nullptr);
    EXPECT_EQ(scene->materials.Find("Missing")->flags, 0x01u) << "a missing picture loads on without it";
    EXPECT_EQ(scene->materials.Find("Empty")->flags, 0x02u);
    EXPECT_EQ(scene->materials.Find("Shine")->flags, 0x80u) << "a second texture with alpha keeps bit 0x80 only";
    EXPECT_NE(scene->materials.Find("After"), nullptr) << "0x40 has no texture fields even with 0x01";
    EXPECT_EQ(g_sceneTextures.Count(), 3u) << "plain.bmp is shared";
}

TEST_F(SceneTest, ATextureRegistryNotStartedFailsWithCodeThree)
{
    folder.Write("plain.bmp", SolidBmp(1, 2, 3));
    g_sceneTextures.Shutdown();
    SceneDescription file = MinimalScene();
    file.materials = {{"Plain", 0x00, 1, 1, 1, 1, PathOf("plain.bmp"), ""}};
    EXPECT_EQ(Load(file), 3);
}
