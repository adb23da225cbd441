#pragma once
// A mesh bent by bones: each vertex blends up to three world matrices by its
// weights, chosen by four index bytes (0 the mesh's own world matrix, k + 1
// bone k), through the device's indexed vertex blending. A bone is a node
// of the tree plus the offset matrix that takes the mesh's rest pose into
// that node's space.

#include <vector>

#include "scene/scene_mesh.h"

// Vertex layout: position, three weights and four index bytes, normal, one
// 2D texture coordinate.
constexpr DWORD SCENE_SKIN_FVF = D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr UINT SCENE_SKIN_STRIDE = 48;

// A vertex names its matrices by one byte each, so 255 bones at most.
constexpr std::uint32_t SCENE_MAX_BONES = 255;

struct SceneBone {
    cSceneNode* node = nullptr;
    cMatrix offset{0.0f};
};

class cSceneSkinnedMesh : public cSceneMeshBase {
public:
    using cSceneMeshBase::cSceneMeshBase;
    int TypeCode() const override { return SCENE_SKINNED_MESH; }

    // Always by groups, without a visibility test (the mesh has no bounds).
    void Draw() override;

    std::uint32_t boneCount = 0;
    std::vector<SceneBone> bones;
};
