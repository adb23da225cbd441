#include <cmath>

#include "common/device_state_reading.h"
#include "scene/device_values.h"
#include "scene/scene_fixture.h"

namespace {

void ExpectMatrixNear(const cMatrix& actual, const cMatrix& expected)
{
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-4f) << "element " << i;
}

} // namespace

TEST_F(SceneTest, NodesComposeScaleRotationTranslationAndParent)
{
    SceneDescription file = MinimalScene();
    SceneNodeRecord parent = MakeNode(0xEE03, "Parent");
    parent.position = {At(0, {10, 0, 0}), At(10, {20, 0, 0})};
    parent.rotation = {SceneRotationKey{0, {0, 0, 1}, 3.14159265f / 2, {}}};
    SceneNodeRecord child = MakeNode(0xEE03, "Child");
    child.position = {At(0, {1, 0, 0})};
    child.scale = {At(0, {2, 2, 2})};
    SceneNodeRecord sibling = MakeNode(0xEE03, "Sibling");
    sibling.position = {At(0, {0, 5, 0})};
    parent.children = {child, sibling};
    file.nodes[0].children = {parent};
    ASSERT_EQ(Load(file), -1);
    scene->Render(10);
    const cMatrix parentWorld = MatrixRotationZ(3.14159265f / 2) * MatrixTranslation(20, 0, 0);
    ExpectMatrixNear(scene->nodes.Find("Parent")->world, parentWorld);
    ExpectMatrixNear(scene->nodes.Find("Child")->world, MatrixScaling(2) * MatrixTranslation(1, 0, 0) * parentWorld);
    // The sibling composes with the parent, not with its elder sibling.
    ExpectMatrixNear(scene->nodes.Find("Sibling")->world, MatrixTranslation(0, 5, 0) * parentWorld);
    EXPECT_FLOAT_EQ(scene->nodes.Find("Child")->time, 10.0f);
}

TEST_F(SceneTest, TargetCameraLooksAtTheTargetOfTheSameFrame)
{
    SceneDescription file;
    file.objects = {SceneObjectRecord::TargetCamera("Cam", 60, 0), SceneObjectRecord::CameraTarget("Cam.T", "Cam"),
                    SceneObjectRecord::Light("Omni")};
    SceneNodeRecord root = MakeNode(0xEE07, "Root");
    SceneNodeRecord camera = MakeNode(0xEE04, "Cam", "Cam");
    camera.position = {At(0, {0, 0, -10})};
    camera.fov = {{0, 30, {}}, {10, 50, {}}};
    camera.roll = {{0, 0, {}}, {10, 20, {}}};
    SceneNodeRecord target = MakeNode(0xEE03, "Cam.T", "Cam.T");
    target.position = {At(0, {0, 0, 0}), At(10, {10, 0, 0})};
    SceneNodeRecord light = MakeNode(0xEE03, "Omni", "Omni");
    light.position = {At(0, {1, 2, 3})};
    // The target comes after the camera in the tree.
    root.children = {camera, target, light};
    file.nodes = {root};
    ASSERT_EQ(Load(file), -1);
    scene->Render(10);
    auto* cam = static_cast<cSceneTargetCamera*>(scene->camera);
    EXPECT_FLOAT_EQ(cam->fov, 50.0f);
    EXPECT_FLOAT_EQ(cam->roll, 20.0f);
    ExpectMatrixNear(cam->view, MatrixCameraLookAt({0, 0, -10}, {10, 0, 0}, 20));
    D3DMATRIX view{};
    device->GetTransform(D3DTS_VIEW, &view);
    ExpectMatrixNear(FromDeviceMatrix(view), cam->view);
    D3DMATRIX projection{};
    device->GetTransform(D3DTS_PROJECTION, &projection);
    ExpectMatrixNear(FromDeviceMatrix(projection), MatrixPerspective(50, 0.75f, 1, 1000));
    D3DLIGHT8 lit{};
    BOOL enabled = FALSE;
    ASSERT_EQ(device->GetLight(0, &lit), D3D_OK);
    device->GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(lit.Type, D3DLIGHT_POINT);
    EXPECT_FLOAT_EQ(lit.Position.z, 3.0f);
    EXPECT_FLOAT_EQ(lit.Range, 500.0f);
    EXPECT_FLOAT_EQ(lit.Attenuation1, 0.001f);
}

TEST_F(SceneTest, FreeCameraViewIsTheInverseOfItsNode)
{
    SceneDescription file = MinimalScene();
    file.nodes[0].position = {At(0, {3, 4, 5})};
    ASSERT_EQ(Load(file), -1);
    scene->Render(0);
    ExpectMatrixNear(scene->camera->view, MatrixTranslation(-3, -4, -5));
}

TEST_F(SceneTest, VisibilityTestSkipsBoxesOutsideOnePlane)
{
    SceneDescription file = MinimalScene();
    file.objects.push_back(SceneObjectRecord::Mesh("Box", Square(), SquareIndices(), {{"", 0, 2}}));
    ASSERT_EQ(Load(file), -1);
    auto* box = static_cast<cSceneMesh*>(scene->objects.Find("Box"));
    const cMatrix projection = MatrixPerspective(60, 0.75f, 1, 100);
    device->SetTransform(D3DTS_PROJECTION, AsDeviceMatrix(projection));
    device->SetTransform(D3DTS_VIEW, AsDeviceMatrix(MatrixIdentity()));
    const auto visibleAt = [&](cVector place) {
        device->SetTransform(D3DTS_WORLD, AsDeviceMatrix(MatrixTranslation(place)));
        return box->IsVisible();
    };
    EXPECT_TRUE(visibleAt({0, 0, 10}));
    EXPECT_FALSE(visibleAt({0, 0, -10})) << "behind the camera";
    EXPECT_TRUE(visibleAt({0, 0, 1})) << "straddling the near plane";
    EXPECT_FALSE(visibleAt({0, 0, 200})) << "beyond the far plane";
    EXPECT_FALSE(visibleAt({50, 0, 10}));
    EXPECT_FALSE(visibleAt({0, -50, 10}));
    EXPECT_TRUE(visibleAt({6, 0, 10})) << "partly inside";
}

TEST_F(SceneTest, MorphAndHideFollowTheirStepTracks)
{
    SceneDescription file = MinimalScene();
    SceneObjectRecord a = SceneObjectRecord::Mesh("A", Square(), SquareIndices(), {{"", 0, 2}});
    a.hidden = 1;
    SceneObjectRecord b = a;
    b.name = "B";
    file.objects.push_back(a);
    file.objects.push_back(b);
    file.objects.push_back(SceneObjectRecord::Mesh("M", Square(), SquareIndices(), {{"", 0, 2}}));
    SceneNodeRecord node = MakeNode(0xEE02, "M", "M");
    node.morph = {{0, "A", 0, 0}, {10, "b", 0, 0}};
    node.hide = {{0, 0, 0, 0}, {10, 1, 0, 0}};
    file.nodes[0].children = {node};
    ASSERT_EQ(Load(file), -1);
    auto* mesh = static_cast<cSceneMesh*>(scene->objects.Find("M"));
    scene->Render(5);
    EXPECT_EQ(mesh->morphCurrent, scene->objects.Find("A"));
    EXPECT_EQ(mesh->morphNext, scene->objects.Find("B"));
    EXPECT_FLOAT_EQ(mesh->morphFactor, 0.5f);
    EXPECT_EQ(mesh->hidden, 0);
    scene->Render(10);
    EXPECT_EQ(mesh->hidden, 0) << "the key's own frame still shows the earlier value";
    scene->Render(10.5f);
    EXPECT_EQ(mesh->hidden, 1);
}

TEST_F(SceneTest, MaterialApplySetsAndRestoreUndoesEachFlag)
{
    cScene owner;
    owner.SetDevice(device, 0);
    cSceneMaterial material(&owner);
    material.opacity = 0.5f;
    material.red = 0.25f;
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);

    material.flags = MATERIAL_NO_TEXTURE | MATERIAL_TRANSPARENT;
    material.blendSelector = 0;
    material.Apply();
    D3DMATERIAL8 set{};
    device->GetMaterial(&set);
    EXPECT_FLOAT_EQ(set.Diffuse.r, 0.25f);
    EXPECT_FLOAT_EQ(set.Diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(set.Ambient.r, 1.0f);
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), TRUE);
    EXPECT_EQ(RenderState(device, D3DRS_CULLMODE), D3DCULL_NONE);
    EXPECT_EQ(RenderState(device, D3DRS_ZWRITEENABLE), FALSE);
    EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), D3DBLEND_SRCALPHA);
    EXPECT_EQ(RenderState(device, D3DRS_DESTBLEND), D3DBLEND_ONE);
    EXPECT_EQ(StageState(device, 0, D3DTSS_ALPHAOP), D3DTOP_SELECTARG1);
    material.Restore();
    EXPECT_EQ(RenderState(device, D3DRS_CULLMODE), D3DCULL_CW);
    EXPECT_EQ(RenderState(device, D3DRS_ALPHABLENDENABLE), FALSE);
    EXPECT_EQ(RenderState(device, D3DRS_ZWRITEENABLE), TRUE);

    const std::pair<std::int32_t, std::pair<DWORD, DWORD>> blends[] = {
        {1, {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}}, {2, {D3DBLEND_ONE, D3DBLEND_ONE}}};
    for (const auto& [selector, expected] : blends) {
        material.flags = MATERIAL_TRANSPARENT;
        material.blendSelector = selector;
        material.Apply();
        EXPECT_EQ(RenderState(device, D3DRS_SRCBLEND), expected.first);
        EXPECT_EQ(RenderState(device, D3DRS_DESTBLEND), expected.second);
        EXPECT_EQ(StageState(device, 0, D3DTSS_ALPHAOP), D3DTOP_SELECTARG2);
        material.Restore();
    }

    material.flags = MATERIAL_SPHERE_MAP;
    material.Apply();
    EXPECT_EQ(StageState(device, 0, D3DTSS_TEXCOORDINDEX), D3DTSS_TCI_CAMERASPACENORMAL);
    EXPECT_EQ(StageState(device, 0, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_COUNT2);
    D3DMATRIX texture{};
    device->GetTransform(D3DTS_TEXTURE0, &texture);
    EXPECT_FLOAT_EQ(texture.m[0][0], 0.5f);
    EXPECT_FLOAT_EQ(texture.m[3][1], 0.5f);
    device->GetMaterial(&set);
    EXPECT_FLOAT_EQ(set.Diffuse.r, 0.25f) << "a sphere-mapped material shows its colour";
    material.Restore();
    EXPECT_EQ(StageState(device, 0, D3DTSS_TEXCOORDINDEX), 0u);
    EXPECT_EQ(StageState(device, 0, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE);

    const std::pair<std::uint32_t, DWORD> secondStage[] = {
        {MATERIAL_SECOND_MODULATE | MATERIAL_SECOND_BLEND_ALPHA, D3DTOP_MODULATE},
        {MATERIAL_SECOND_BLEND_ALPHA | MATERIAL_SECOND_ALPHA_ADD, D3DTOP_BLENDTEXTUREALPHA},
        {MATERIAL_SECOND_ALPHA_ADD, D3DTOP_MODULATEALPHA_ADDCOLOR},
        {0, D3DTOP_ADD}};
    for (const auto& [bits, operation] : secondStage) {
        material.flags = MATERIAL_SECOND_TEXTURE | bits | (bits == 0 ? std::uint32_t{MATERIAL_SECOND_ALPHA} : 0u);
        material.Apply();
        EXPECT_EQ(StageState(device, 1, D3DTSS_COLOROP), operation);
        EXPECT_EQ(StageState(device, 1, D3DTSS_COLORARG1), D3DTA_CURRENT);
        EXPECT_EQ(StageState(device, 1, D3DTSS_COLORARG2), D3DTA_TEXTURE);
        EXPECT_EQ(StageState(device, 1, D3DTSS_TEXCOORDINDEX), D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
        EXPECT_EQ(StageState(device, 1, D3DTSS_ALPHAOP), bits == 0 ? D3DTOP_SELECTARG1 : D3DTOP_SELECTARG2);
        material.Restore();
        EXPECT_EQ(StageState(device, 1, D3DTSS_COLOROP), D3DTOP_DISABLE);
        EXPECT_EQ(StageState(device, 1, D3DTSS_ALPHAOP), D3DTOP_DISABLE);
        EXPECT_EQ(StageState(device, 1, D3DTSS_TEXTURETRANSFORMFLAGS), D3DTTFF_DISABLE);
    }

    material.flags = MATERIAL_TEXTURE_ALPHA;
    material.Apply();
    EXPECT_EQ(StageState(device, 0, D3DTSS_ALPHAOP), D3DTOP_SELECTARG1);
    EXPECT_EQ(StageState(device, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
    material.Restore();
}

TEST_F(SceneTest, SetDeviceBuildsTheFlareQuadAndTweenDeclaration)
{
    cScene owner;
    owner.SetDevice(device, SCENE_MORPHING);
    EXPECT_EQ(owner.options, SCENE_MORPHING) << "a software vertex processing device adds nothing";
    ASSERT_NE(owner.flareVertices, nullptr);
    D3DVERTEXBUFFER_DESC vertices{};
    owner.flareVertices->GetDesc(&vertices);
    EXPECT_EQ(vertices.Size, 48u);
    EXPECT_EQ(vertices.Usage, D3DUSAGE_SOFTWAREPROCESSING);
    EXPECT_NE(owner.tweenDeclaration, 0u);
    EXPECT_EQ(owner.materials.Find("$EMPTYMATERIAL")->flags, MATERIAL_NO_TEXTURE);
}
