#pragma once
// The meshes of the scene, as scene-file records with stored normals.

#include <string>
#include <vector>

#include "scene/scene_writer.h"

#include "forge/objects/object_mesh.h"

// One part of a mesh drawn with one material. Each part gets its own smooth
// normals, so the edges between parts stay sharp.
struct ScenePart {
    ObjectMesh mesh;
    std::string material;
};

// A mesh record of one group per part, in the order given.
SceneObjectRecord SceneMesh(const std::string& name, const std::vector<ScenePart>& parts);

// A round, flat disc at height `y` facing up, the texture laid over it from
// above (u along x, v along z).
ObjectMesh FlatDisc(float radius, float y, int rings, int segments);

// A lathed surface around the y axis through (height, radius) pairs, from
// the bottom up, or from the top down when the heights fall; a radius of 0
// closes it there. The texture wraps once around.
ObjectMesh Lathe(const std::vector<std::pair<float, float>>& profile, int segments);

// The stem: a tapering tube 90 units tall on the mesh's origin, skinned to
// three bones that start at heights 0, 30 and 60, blending over 16 units
// round each joint.
inline constexpr float stemBoneLength = 30.0f;
SceneObjectRecord StemMesh(const std::string& name, const std::string& material);
