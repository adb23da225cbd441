#pragma once
// Writes scene files from a description held in memory: the content
// generator builds the show's scene with it, and tests build scenes of every
// record kind (and, through the byte-level calls, broken ones).
//
//   SceneDescription scene;
//   scene.materials.push_back({"red", MATERIAL_NO_TEXTURE, 1.0f, 1.0f, 0.0f, 0.0f, "", ""});
//   scene.objects.push_back(SceneObjectRecord::FreeCamera("camera", 60.0f));
//   scene.nodes.push_back(MakeNode(NODE_FREE_CAMERA, "camera", "camera"));
//   std::string bytes = WriteScene(scene);

#include <cstdint>
#include <string>
#include <vector>

#include "math/math.h"

struct SceneTcb {
    float tension = 0.0f;
    float continuity = 0.0f;
    float bias = 0.0f;
    float easeTo = 0.0f;
    float easeFrom = 0.0f;
};

struct SceneVectorKey {
    float frame = 0.0f;
    cVector value;
    SceneTcb tcb;
};

struct SceneRotationKey {
    float frame = 0.0f;
    cVector axis{0.0f, 0.0f, 1.0f};
    float angle = 0.0f; // radians, relative to the previous key
    SceneTcb tcb;
};

struct SceneFloatKey {
    float frame = 0.0f;
    float value = 0.0f;
    SceneTcb tcb;
};

struct SceneMorphKey {
    float frame = 0.0f;
    std::string object;
    float easeTo = 0.0f;
    float easeFrom = 0.0f;
};

struct SceneHideKey {
    float frame = 0.0f;
    std::int32_t value = 0;
    float easeTo = 0.0f;
    float easeFrom = 0.0f;
};

struct SceneMaterialRecord {
    std::string name;
    std::uint32_t flags = 0;
    float opacity = 1.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    std::string texture;       // written unless flags has 0x40
    std::string secondTexture; // written when flags has 0x01 and not 0x40
};

struct SceneMeshVertex {
    cVector position;
    cVector normal;
    float u = 0.0f;
    float v = 0.0f;
};

struct SceneSkinVertex {
    cVector position;
    cVector normal;
    float weights[3] = {1.0f, 0.0f, 0.0f};
    std::uint8_t matrices[4] = {0, 0, 0, 0}; // 0 the mesh's world, k + 1 bone k
    float u = 0.0f;
    float v = 0.0f;
};

struct SceneGroupRecord {
    std::string material;
    std::int32_t startIndex = 0;
    std::int32_t primitiveCount = 0;
};

struct SceneObjectRecord {
    std::string name;
    std::uint32_t type = 0;
    cVector position;
    float fov = 45.0f;       // cameras
    float roll = 0.0f;       // target camera
    std::string camera;      // camera target: the target camera it belongs to
    // Meshes. triangleCount < 0 writes indices.size() / 3.
    std::int32_t triangleCount = -1;
    std::int32_t hidden = 0;
    bool tweenable = false;
    std::vector<SceneMeshVertex> vertices;
    std::vector<SceneSkinVertex> skinVertices;
    std::vector<std::uint16_t> indices;
    std::vector<SceneGroupRecord> groups;
    std::uint32_t boneCount = 0;

    static SceneObjectRecord FreeCamera(std::string name, float fov, cVector position = {});
    static SceneObjectRecord TargetCamera(std::string name, float fov, float roll, cVector position = {});
    static SceneObjectRecord CameraTarget(std::string name, std::string camera, cVector position = {});
    static SceneObjectRecord Light(std::string name, cVector position = {});
    static SceneObjectRecord Mesh(std::string name, std::vector<SceneMeshVertex> vertices,
                                  std::vector<std::uint16_t> indices, std::vector<SceneGroupRecord> groups);
    static SceneObjectRecord SkinnedMesh(std::string name, std::vector<SceneSkinVertex> vertices,
                                         std::vector<std::uint16_t> indices, std::vector<SceneGroupRecord> groups,
                                         std::uint32_t boneCount);
};

struct SceneNodeRecord {
    std::uint32_t kind = 0xEE03;
    std::string name;
    std::string object;
    std::vector<SceneVectorKey> position{SceneVectorKey{}};
    std::vector<SceneRotationKey> rotation{SceneRotationKey{}}; // written unless euler is set
    std::vector<SceneVectorKey> euler;                          // not empty: written instead of rotation
    std::vector<SceneVectorKey> scale{SceneVectorKey{0.0f, cVector(1.0f, 1.0f, 1.0f), {}}};
    std::int32_t boneNumber = 1; // bone nodes
    cMatrix boneOffset = MatrixIdentity();
    std::vector<SceneMorphKey> morph; // mesh nodes
    std::vector<SceneHideKey> hide;   // mesh nodes
    std::vector<SceneFloatKey> roll;  // target camera nodes
    std::vector<SceneFloatKey> fov;   // camera nodes
    std::vector<SceneNodeRecord> children;
};

// A node with one key in each of its position, rotation and scale tracks.
SceneNodeRecord MakeNode(std::uint32_t kind, std::string name, std::string object = "");

struct SceneDescription {
    std::int32_t lastFrame = 100;
    std::vector<SceneMaterialRecord> materials;
    std::vector<SceneObjectRecord> objects;
    // The root and its siblings; a scene file holds at least one node.
    std::vector<SceneNodeRecord> nodes;
};

// The file, byte for byte.
std::string WriteScene(const SceneDescription& scene);

// The pieces, for files that break the format on purpose.
class SceneBytes {
public:
    SceneBytes& Int(std::int32_t value);
    SceneBytes& UInt(std::uint32_t value);
    SceneBytes& Float(float value);
    SceneBytes& String(const std::string& text); // with its NUL
    SceneBytes& Word(std::uint16_t value);

    SceneBytes& Material(const SceneMaterialRecord& material);
    SceneBytes& Object(const SceneObjectRecord& object);
    // A node and its children; `hasSibling` sets the flag that announces the next record.
    SceneBytes& Node(const SceneNodeRecord& node, bool hasSibling);

    std::string bytes;
};
