#pragma once
// Meshes of the scene: indexed triangle lists in device buffers, drawn with
// one material or by groups of triangles with a material each. A mesh's node
// places it; its tracks may hide it, or morph it between two other meshes
// of the same layout through the device's tweening.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "scene/scene_object.h"
#include "scene/tracks.h"

class cSceneMaterial;
class cSceneMeshBase;

using cMorphTrack = cStepTrack<cSceneMeshBase*>;
using cHideTrack = cStepTrack<std::int32_t>;

struct SceneMeshGroup {
    std::int32_t startIndex = 0;
    std::int32_t primitiveCount = 0;
    cSceneMaterial* material = nullptr; // null: drawn without a material change
};

// Vertex layout of ordinary meshes: position, normal, one 2D texture coordinate.
constexpr DWORD SCENE_MESH_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr UINT SCENE_MESH_STRIDE = 32;

class cSceneMeshBase : public cSceneObject {
public:
    using cSceneObject::cSceneObject;
    ~cSceneMeshBase() override;

    int TypeCode() const override { return SCENE_MESH_BASE; }

    // All triangles with the single material.
    void Draw() override;
    // Takes the node's world matrix and the morph and hide values at its time.
    void Attach(cSceneNode* node) override;

    // False when the bounding box lies wholly outside one plane of the view
    // volume of the device's current world, view and projection.
    bool IsVisible() const;

    cVector bboxMin;
    cVector bboxMax;
    std::unique_ptr<cMorphTrack> morphTrack;
    std::unique_ptr<cHideTrack> hideTrack;
    cSceneMeshBase* morphCurrent = nullptr;
    cSceneMeshBase* morphNext = nullptr;
    float morphFactor = 0.0f;
    std::int32_t hidden = 0;
    cMatrix world = MatrixIdentity();
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    IDirect3DIndexBuffer8* indexBuffer = nullptr;
    cSceneMaterial* singleMaterial = nullptr;
    DWORD vertexFormat = SCENE_MESH_FVF; // a vertex format code or the scene's tween declaration
    std::uint32_t vertexCount = 0;
    std::uint32_t triangleCount = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t groupCount = 0;
    std::vector<SceneMeshGroup> groups;

protected:
    // Each group's triangles between its material's Apply and Restore.
    void DrawGroups(const SceneMeshGroup* groupList, std::uint32_t count) const;
    // The draw calls between binding the buffers and unbinding them.
    void DrawBound(const SceneMeshGroup* groupList, std::uint32_t count);
};

class cSceneMesh : public cSceneMeshBase {
public:
    using cSceneMeshBase::cSceneMeshBase;
    int TypeCode() const override { return SCENE_MESH; }

    // By groups; a mesh of one group takes the single-material draw.
    void Draw() override;
};
