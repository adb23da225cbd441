#pragma once
// The animated 3D scene: the materials, objects and node tree of one scene
// file, played back frame by frame with fixed-function Direct3D.
//
//   cScene* scene = new cScene;
//   scene->SetDevice(device, 0);
//   scene->Load("obj\\a.scene");           // throws mu3d_CException
//   scene->zFar = 25000.0f;
//   scene->Render(frame);                  // every frame, inside the device's scene
//
// The scene texture registry (scene_textures.h) must be initialised on the
// same device before Load. The device must outlive the scene.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "scene/named_list.h"
#include "scene/scene_camera.h"
#include "scene/scene_exception.h"
#include "scene/scene_material.h"
#include "scene/scene_mesh.h"
#include "scene/scene_node.h"
#include "scene/scene_object.h"
#include "scene/scene_skinned_mesh.h"

// Scene options.
enum : std::uint32_t {
    SCENE_FLARES = 0x01,            // lights draw as flares (with a flare material)
    SCENE_MORPHING = 0x04,          // meshes with a morph track tween between their targets
    SCENE_SOFTWARE_VERTICES = 0x10, // set by SetDevice on a mixed vertex processing device
};

class cScene {
public:
    cScene();
    ~cScene();
    cScene(const cScene&) = delete;
    cScene& operator=(const cScene&) = delete;

    // Stores the device and options and builds the flare quad and the tween
    // declaration. Throws code 1 for a null device or a failed Direct3D call.
    void SetDevice(IDirect3DDevice8* device, std::uint32_t options);

    // Reads a scene file (a Windows name) and builds the scene. Throws
    // mu3d_CException (scene_exception.h lists the codes); the scene is then
    // partly built and must not be rendered.
    void Load(const char* fileName);

    // Reads a scene from an open stream, as Load does; the stream stays open.
    void Load(std::FILE* file);

    // Updates the tree at `frame`, sets the camera's projection and view and
    // draws every object. Throws code 4 before SetDevice and Load.
    void Render(float frame);

    NamedList<cSceneNode> nodes;
    NamedList<cSceneObject> objects;
    NamedList<cSceneMaterial> materials;
    std::uint32_t options = 0;
    IDirect3DDevice8* device = nullptr;
    float zNear = 1.0f;
    float zFar = 1000.0f;
    float xScale = 0.75f;
    cSceneCamera* camera = nullptr;
    std::int32_t lastFrame = 0;
    std::int32_t nextLightIndex = 0;
    cSceneMaterial* flareMaterial = nullptr;
    std::unique_ptr<cSceneNode> root;
    IDirect3DVertexBuffer8* flareVertices = nullptr;
    IDirect3DIndexBuffer8* flareIndices = nullptr;
    DWORD tweenDeclaration = 0;

    // Every object and material the scene made, listed or not (a duplicate
    // name is not listed, but may already be referred to).
    std::vector<std::unique_ptr<cSceneObject>> ownedObjects;
    std::vector<std::unique_ptr<cSceneMaterial>> ownedMaterials;

private:
    void ReleaseDeviceObjects();
};
