#pragma once
// A headless device with the scene texture registry started on it, a scratch
// folder for scene and picture files, and helpers to load scenes.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/presentation.h"
#include "scene/scene.h"
#include "scene/scene_textures.h"
#include "scene/scene_writer.h"

class SceneTest : public ::testing::Test {
protected:
    static constexpr UINT width = 160;
    static constexpr UINT height = 120;

    void SetUp() override
    {
        device = CreateHeadlessDevice(width, height, &direct3d);
        ASSERT_NE(device, nullptr);
        g_sceneTextures.Init(device, D3DFMT_A8R8G8B8);
    }

    void TearDown() override
    {
        scene.reset();
        g_sceneTextures.Shutdown();
        SetPresentHandler({});
        if (device != nullptr) device->Release();
        if (direct3d != nullptr) direct3d->Release();
    }

    // A fresh scene on the device, loaded from `bytes`; returns the code of
    // the mu3d_CException it threw, or -1 when it loaded.
    int LoadBytes(const std::string& bytes, std::uint32_t options = 0)
    {
        scene = std::make_unique<cScene>();
        scene->SetDevice(device, options);
        const std::string path = folder.Write("test.scene", bytes);
        try {
            scene->Load(path.c_str());
        } catch (const mu3d_CException& failure) {
            return failure.code;
        }
        return -1;
    }

    int Load(const SceneDescription& description, std::uint32_t options = 0)
    {
        return LoadBytes(WriteScene(description), options);
    }

    std::string PathOf(const std::string& name) const { return (folder.Path() / name).string(); }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    TempDir folder;
    std::unique_ptr<cScene> scene;
};

// The smallest scene that loads: one free camera on the root node.
inline SceneDescription MinimalScene()
{
    SceneDescription scene;
    scene.objects.push_back(SceneObjectRecord::FreeCamera("Camera", 60.0f));
    SceneNodeRecord root;
    root.kind = 0xEE05;
    root.name = "Camera";
    root.object = "Camera";
    scene.nodes.push_back(root);
    return scene;
}

// A square of side 2 about the origin in the z = 0 plane, facing -z.
inline std::vector<SceneMeshVertex> Square(float half = 1.0f)
{
    const cVector n(0, 0, -1);
    return {{{-half, half, 0}, n, 0, 0}, {{half, half, 0}, n, 1, 0}, {{half, -half, 0}, n, 1, 1},
            {{-half, -half, 0}, n, 0, 1}};
}

inline std::vector<std::uint16_t> SquareIndices()
{
    return {0, 1, 2, 0, 2, 3};
}

inline SceneVectorKey At(float frame, cVector value)
{
    return SceneVectorKey{frame, value, {}};
}
