// Builds a cScene from a scene file: the magic, the last frame, then the
// material, object and node sections, each behind its tag. The reader
// refuses anything the format cannot hold with code 0, before it allocates:
// counts must be backed by data in the file, references must name objects
// of the right kind defined earlier in the file.

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32/file_path.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "scene/scene_textures.h"

namespace {

constexpr char sceneMagic[] = "SCENEFILE-QUASAR";
constexpr std::uint32_t materialTag = 0x1010;
constexpr std::uint32_t objectTag = 0x2020;
constexpr std::uint32_t nodeTag = 0x3030;

enum : std::uint32_t {
    OBJECT_FREE_CAMERA = 0xFF01,
    OBJECT_CAMERA_TARGET = 0xFF02,
    OBJECT_LIGHT = 0xFF03,
    OBJECT_MESH = 0xFF04,
    OBJECT_SKINNED_MESH = 0xFF05,
    OBJECT_TARGET_CAMERA = 0xFF06,
};

enum : std::uint32_t {
    NODE_HAS_CHILD = 0x01,
    NODE_HAS_SIBLING = 0x02,
    NODE_EULER_ROTATION = 0x04,
    NODE_MORPH_TRACK = 0x08,
    NODE_HIDE_TRACK = 0x10,
    NODE_FOV_TRACK = 0x20,
    NODE_ROLL_TRACK = 0x40,
};

// Bytes of the smallest record of each kind, to check counts against the file.
constexpr std::uint64_t vectorKeyBytes = 9 * 4;
constexpr std::uint64_t rotationKeyBytes = 10 * 4;
constexpr std::uint64_t floatKeyBytes = 7 * 4;
constexpr std::uint64_t stepKeyBytes = 3 * 4 + 1;
constexpr std::uint64_t groupBytes = 1 + 2 * 4;
constexpr std::uint64_t meshVertexBytes = 8 * 4;

void Refuse(bool broken)
{
    if (broken) {
        throw mu3d_CException(0);
    }
}

void Check(HRESULT result)
{
    if (result != D3D_OK) {
        throw mu3d_CException(1);
    }
}

class SceneLoader {
public:
    SceneLoader(cScene& scene, std::FILE* file) : scene(scene), file(file) {}

    void Read()
    {
        Refuse(file.ReadString() != sceneMagic);
        scene.lastFrame = file.ReadInt();
        Refuse(file.ReadUInt() != materialTag);
        ReadMaterials();
        Refuse(file.ReadUInt() != objectTag);
        ReadObjects();
        Refuse(file.ReadUInt() != nodeTag);
        ReadNodes();
        ChooseCamera();
        CheckBones();
    }

private:
    // Materials ------------------------------------------------------------

    void ReadMaterials()
    {
        const std::uint32_t count = file.ReadUInt();
        for (std::uint32_t i = 0; i < count; ++i) {
            ReadMaterial();
        }
    }

    void ReadMaterial()
    {
        const std::string name = file.ReadString();
        auto material = std::make_unique<cSceneMaterial>(&scene);
        material->flags = file.ReadUInt();
        material->opacity = file.ReadFloat();
        material->red = file.ReadFloat();
        material->green = file.ReadFloat();
        material->blue = file.ReadFloat();
        if (!(material->flags & MATERIAL_NO_TEXTURE)) {
            material->textureName = file.ReadString();
            if (LoadTexture(material->textureName) == 0) {
                material->flags |= MATERIAL_TRANSPARENT | MATERIAL_TEXTURE_ALPHA;
                material->blendSelector = 0;
            }
            if (material->flags & MATERIAL_SECOND_TEXTURE) {
                material->secondTextureName = file.ReadString();
                if (LoadTexture(material->secondTextureName) == 0) {
                    material->flags &= MATERIAL_SECOND_ALPHA;
                }
            }
        }
        scene.materials.Add(name.c_str(), material.get());
        scene.ownedMaterials.push_back(std::move(material));
    }

    // LoadTexture's result, or 1 (no companion) for an empty name or a
    // picture that could not be made.
    static int LoadTexture(const std::string& name)
    {
        if (name.empty()) {
            return 1;
        }
        try {
            return g_sceneTextures.LoadTexture(name.c_str(), 1);
        } catch (const CTextureException& failure) {
            if (failure.code != 3) {
                throw mu3d_CException(3);
            }
            g_sceneTextures.Remove(name.c_str());
            return 1;
        }
    }

    // Objects --------------------------------------------------------------

    void ReadObjects()
    {
        const std::uint32_t count = file.ReadUInt();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string name = file.ReadString();
            std::unique_ptr<cSceneObject> object = ReadObjectBody(file.ReadUInt());
            scene.objects.Add(name.c_str(), object.get());
            scene.ownedObjects.push_back(std::move(object));
        }
    }

    cVector ReadVector()
    {
        const float x = file.ReadFloat();
        const float y = file.ReadFloat();
        const float z = file.ReadFloat();
        return cVector(x, y, z);
    }

    std::unique_ptr<cSceneObject> ReadObjectBody(std::uint32_t type)
    {
        switch (type) {
        case OBJECT_FREE_CAMERA: {
            auto camera = std::make_unique<cSceneFreeCamera>(&scene);
            camera->position = ReadVector();
            camera->fov = file.ReadFloat();
            return camera;
        }
        case OBJECT_CAMERA_TARGET: {
            auto target = std::make_unique<cSceneCameraTarget>(&scene);
            const std::string cameraName = file.ReadString();
            target->position = ReadVector();
            auto* camera = dynamic_cast<cSceneTargetCamera*>(scene.objects.Find(cameraName.c_str()));
            Refuse(camera == nullptr);
            camera->target = target.get();
            return target;
        }
        case OBJECT_LIGHT: {
            auto light = std::make_unique<cSceneLight>(&scene);
            light->position = ReadVector();
            light->lightIndex = scene.nextLightIndex++;
            return light;
        }
        case OBJECT_MESH: return ReadMesh();
        case OBJECT_SKINNED_MESH: return ReadSkinnedMesh();
        case OBJECT_TARGET_CAMERA: {
            auto camera = std::make_unique<cSceneTargetCamera>(&scene);
            camera->position = ReadVector();
            camera->fov = file.ReadFloat();
            camera->roll = file.ReadFloat();
            return camera;
        }
        default: break;
        }
        // The body of an unknown type has no known length: nothing after it can be read.
        throw mu3d_CException(0);
    }

    // The counts every mesh body starts with. A mesh needs vertices,
    // indices and at least one group to be drawn at all.
    void ReadMeshCounts(cSceneMeshBase& mesh)
    {
        mesh.vertexCount = file.ReadUInt();
        mesh.triangleCount = file.ReadUInt();
        mesh.indexCount = file.ReadUInt();
        mesh.hidden = file.ReadInt();
        ReadVector();
        mesh.groupCount = file.ReadUInt();
        Refuse(mesh.vertexCount == 0 || mesh.indexCount == 0 || mesh.groupCount == 0);
    }

    template <typename Buffer>
    static void Fill(Buffer* buffer, const void* data, UINT size)
    {
        BYTE* target = nullptr;
        Check(buffer->Lock(0, size, &target, 0));
        std::memcpy(target, data, size);
        Check(buffer->Unlock());
    }

    IDirect3DVertexBuffer8* MakeVertexBuffer(const void* data, std::uint64_t size, DWORD usage, DWORD fvf)
    {
        IDirect3DVertexBuffer8* buffer = nullptr;
        Check(scene.device->CreateVertexBuffer(static_cast<UINT>(size), usage, fvf, D3DPOOL_DEFAULT, &buffer));
        Fill(buffer, data, static_cast<UINT>(size));
        return buffer;
    }

    void ReadIndices(cSceneMeshBase& mesh, DWORD usage)
    {
        const std::uint64_t size = std::uint64_t{mesh.indexCount} * 2;
        file.Need(size);
        std::vector<std::uint8_t> indices(size);
        file.ReadBytes(indices.data(), size);
        Check(scene.device->CreateIndexBuffer(static_cast<UINT>(size), usage, D3DFMT_INDEX16, D3DPOOL_DEFAULT,
                                              &mesh.indexBuffer));
        Fill(mesh.indexBuffer, indices.data(), static_cast<UINT>(size));
    }

    // Groups must lie inside the index data; the first group's material is
    // the mesh's single material.
    void ReadGroups(cSceneMeshBase& mesh)
    {
        file.Need(std::uint64_t{mesh.groupCount} * groupBytes);
        mesh.groups.resize(mesh.groupCount);
        for (SceneMeshGroup& group : mesh.groups) {
            const std::string materialName = file.ReadString();
            group.startIndex = file.ReadInt();
            group.primitiveCount = file.ReadInt();
            group.material = scene.materials.Find(materialName.c_str());
            Refuse(group.startIndex < 0 || group.primitiveCount < 0 ||
                   std::int64_t{group.startIndex} + 3 * std::int64_t{group.primitiveCount} > mesh.indexCount);
        }
        if (mesh.groupCount == 1) {
            mesh.singleMaterial = mesh.groups[0].material;
            Refuse(3 * std::uint64_t{mesh.triangleCount} > mesh.indexCount);
        }
    }

    std::unique_ptr<cSceneObject> ReadMesh()
    {
        auto mesh = std::make_unique<cSceneMesh>(&scene);
        ReadMeshCounts(*mesh);
        const bool tweenable = file.ReadInt() != 0;
        const std::uint64_t size = std::uint64_t{mesh->vertexCount} * meshVertexBytes;
        file.Need(size);
        std::vector<float> vertices(std::size_t{mesh->vertexCount} * 8);
        file.ReadBytes(vertices.data(), size);
        mesh->bboxMin = mesh->bboxMax = cVector(vertices[0], vertices[1], vertices[2]);
        for (std::size_t v = 0; v < vertices.size(); v += 8) {
            mesh->bboxMin = cVector(std::min(mesh->bboxMin.x, vertices[v]), std::min(mesh->bboxMin.y, vertices[v + 1]),
                                    std::min(mesh->bboxMin.z, vertices[v + 2]));
            mesh->bboxMax = cVector(std::max(mesh->bboxMax.x, vertices[v]), std::max(mesh->bboxMax.y, vertices[v + 1]),
                                    std::max(mesh->bboxMax.z, vertices[v + 2]));
        }
        const DWORD usage = tweenable ? D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING : D3DUSAGE_WRITEONLY;
        mesh->vertexFormat = tweenable ? scene.tweenDeclaration : SCENE_MESH_FVF;
        mesh->vertexBuffer = MakeVertexBuffer(vertices.data(), size, usage, tweenable ? 0 : SCENE_MESH_FVF);
        ReadIndices(*mesh, usage);
        ReadGroups(*mesh);
        return mesh;
    }

    std::unique_ptr<cSceneObject> ReadSkinnedMesh()
    {
        auto mesh = std::make_unique<cSceneSkinnedMesh>(&scene);
        ReadMeshCounts(*mesh);
        mesh->boneCount = file.ReadUInt();
        Refuse(mesh->boneCount > SCENE_MAX_BONES);
        mesh->bones.resize(mesh->boneCount);
        const std::uint64_t size = std::uint64_t{mesh->vertexCount} * SCENE_SKIN_STRIDE;
        file.Need(size);
        // The file has position, normal, weights, indices, u v; the device
        // wants position, weights, indices, normal, u v.
        std::vector<std::uint8_t> vertices(size);
        for (std::uint64_t offset = 0; offset < size; offset += SCENE_SKIN_STRIDE) {
            std::uint8_t record[SCENE_SKIN_STRIDE];
            file.ReadBytes(record, sizeof record);
            std::uint8_t* vertex = &vertices[offset];
            std::memcpy(vertex, record, 12);
            std::memcpy(vertex + 12, record + 24, 16);
            std::memcpy(vertex + 28, record + 12, 12);
            std::memcpy(vertex + 40, record + 40, 8);
        }
        const DWORD usage = D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING;
        mesh->vertexFormat = SCENE_SKIN_FVF;
        mesh->vertexBuffer = MakeVertexBuffer(vertices.data(), size, usage, SCENE_SKIN_FVF);
        ReadIndices(*mesh, usage);
        ReadGroups(*mesh);
        return mesh;
    }

    // Tracks ---------------------------------------------------------------

    // A track has at least one key: a valid file never writes an empty one.
    std::uint32_t ReadKeyCount(std::uint64_t keyBytes)
    {
        const std::uint32_t count = file.ReadUInt();
        Refuse(count == 0);
        file.Need(count * keyBytes);
        return count;
    }

    TcbParameters ReadTcb()
    {
        TcbParameters tcb;
        tcb.tension = file.ReadFloat();
        tcb.continuity = file.ReadFloat();
        tcb.bias = file.ReadFloat();
        tcb.easeTo = file.ReadFloat();
        tcb.easeFrom = file.ReadFloat();
        return tcb;
    }

    std::unique_ptr<cVectorTrack> ReadVectorTrack(cVectorTrack::Kind kind)
    {
        auto track = std::make_unique<cVectorTrack>(kind);
        track->keys.resize(ReadKeyCount(vectorKeyBytes));
        for (cVectorTrack::Key& key : track->keys) {
            key.value = ReadVector();
            key.frame = file.ReadFloat();
            key.tcb = ReadTcb();
        }
        track->Prepare();
        return track;
    }

    std::unique_ptr<cRotationTrack> ReadRotationTrack()
    {
        auto track = std::make_unique<cRotationTrack>();
        track->keys.resize(ReadKeyCount(rotationKeyBytes));
        for (cRotationTrack::Key& key : track->keys) {
            key.axis = ReadVector();
            key.angle = file.ReadFloat();
            key.frame = file.ReadFloat();
            const TcbParameters tcb = ReadTcb();
            key.tension = tcb.tension;
            key.continuity = tcb.continuity;
            key.bias = tcb.bias;
            key.easeTo = tcb.easeTo;
            key.easeFrom = tcb.easeFrom;
        }
        track->Prepare();
        return track;
    }

    std::unique_ptr<cFloatTrack> ReadFloatTrack()
    {
        auto track = std::make_unique<cFloatTrack>();
        track->keys.resize(ReadKeyCount(floatKeyBytes));
        for (cFloatTrack::Key& key : track->keys) {
            key.value = file.ReadFloat();
            key.frame = file.ReadFloat();
            key.tcb = ReadTcb();
        }
        track->Prepare();
        return track;
    }

    // Morph keys name meshes of the plain kind: only they share the
    // layout that tweening reads. Any other name morphs to nothing.
    std::unique_ptr<cMorphTrack> ReadMorphTrack()
    {
        auto track = std::make_unique<cMorphTrack>();
        track->keys.resize(ReadKeyCount(stepKeyBytes));
        for (cMorphTrack::Key& key : track->keys) {
            key.value = dynamic_cast<cSceneMesh*>(scene.objects.Find(file.ReadString().c_str()));
            key.frame = file.ReadFloat();
            key.easeTo = file.ReadFloat();
            key.easeFrom = file.ReadFloat();
        }
        return track;
    }

    std::unique_ptr<cHideTrack> ReadHideTrack()
    {
        auto track = std::make_unique<cHideTrack>();
        track->keys.resize(ReadKeyCount(stepKeyBytes));
        for (cHideTrack::Key& key : track->keys) {
            key.value = file.ReadInt();
            key.frame = file.ReadFloat();
            key.easeTo = file.ReadFloat();
            key.easeFrom = file.ReadFloat();
        }
        return track;
    }

    // Nodes ----------------------------------------------------------------

    // The records come depth first: a node, its child's whole subtree, then
    // its sibling. The loop keeps the nodes still waiting for their sibling
    // instead of recursing, so nesting as deep as the file allows is read.
    void ReadNodes()
    {
        scene.root = std::make_unique<cSceneNode>(&scene);
        std::vector<cSceneNode*> awaitingSibling;
        cSceneNode* node = scene.root.get();
        for (;;) {
            const std::uint32_t flags = ReadNode(*node);
            if (flags & NODE_HAS_SIBLING) {
                awaitingSibling.push_back(node);
            }
            if (flags & NODE_HAS_CHILD) {
                node->firstChild = new cSceneNode(&scene);
                node = node->firstChild;
                continue;
            }
            if (awaitingSibling.empty()) {
                return;
            }
            cSceneNode* elder = awaitingSibling.back();
            awaitingSibling.pop_back();
            elder->nextSibling = new cSceneNode(&scene);
            node = elder->nextSibling;
        }
    }

    template <typename Owner>
    Owner* ObjectAs(const cSceneNode& node)
    {
        auto* owner = dynamic_cast<Owner*>(node.object);
        Refuse(owner == nullptr);
        return owner;
    }

    std::uint32_t ReadNode(cSceneNode& node)
    {
        node.kind = file.ReadUInt();
        const std::uint32_t flags = file.ReadUInt();
        node.name = file.ReadString();
        scene.nodes.Add(node.name.c_str(), &node);
        const std::string objectName = file.ReadString();
        cSceneObject* object = node.kind != NODE_DUMMY ? scene.objects.Find(objectName.c_str()) : nullptr;
        if (node.kind != NODE_BONE && node.kind != NODE_DUMMY) {
            node.object = object;
        }
        node.positionTrack = ReadVectorTrack(cVectorTrack::Position);
        if (flags & NODE_EULER_ROTATION) {
            node.rotationTrack = ReadVectorTrack(cVectorTrack::Euler);
        } else {
            node.rotationTrack = ReadRotationTrack();
        }
        node.scaleTrack = ReadVectorTrack(cVectorTrack::Scale);

        switch (node.kind) {
        case NODE_BONE: ReadBone(node, object); break;
        case NODE_MESH:
            if (flags & NODE_MORPH_TRACK) ObjectAs<cSceneMeshBase>(node)->morphTrack = ReadMorphTrack();
            if (flags & NODE_HIDE_TRACK) ObjectAs<cSceneMeshBase>(node)->hideTrack = ReadHideTrack();
            break;
        case NODE_TARGET_CAMERA:
            if (flags & NODE_ROLL_TRACK) ObjectAs<cSceneTargetCamera>(node)->rollTrack = ReadFloatTrack();
            if (flags & NODE_FOV_TRACK) ObjectAs<cSceneCamera>(node)->fovTrack = ReadFloatTrack();
            break;
        case NODE_FREE_CAMERA:
            if (flags & NODE_FOV_TRACK) ObjectAs<cSceneCamera>(node)->fovTrack = ReadFloatTrack();
            break;
        default: break;
        }
        return flags;
    }

    // A bone node names the skinned mesh it bends and its bone number,
    // counted from 1; both must exist.
    void ReadBone(cSceneNode& node, cSceneObject* object)
    {
        const std::int32_t boneNumber = file.ReadInt();
        cMatrix offset;
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 4; ++column) {
                offset(row, column) = file.ReadFloat();
            }
        }
        auto* mesh = dynamic_cast<cSceneSkinnedMesh*>(object);
        Refuse(mesh == nullptr || boneNumber < 1 || static_cast<std::uint32_t>(boneNumber) > mesh->boneCount);
        mesh->bones[boneNumber - 1] = SceneBone{&node, offset};
    }

    // After the tree ---------------------------------------------------------

    void ChooseCamera()
    {
        for (const auto& entry : scene.objects) {
            if (entry.value->TypeCode() == SCENE_CAMERA) {
                scene.camera = static_cast<cSceneCamera*>(entry.value);
                break;
            }
        }
        if (scene.camera == nullptr) {
            throw mu3d_CException(2);
        }
        // The chosen target camera must have something to look at.
        if (auto* targetCamera = dynamic_cast<cSceneTargetCamera*>(scene.camera)) {
            Refuse(targetCamera->target == nullptr);
        }
    }

    // Every bone of a skinned mesh must have been given its node.
    void CheckBones()
    {
        for (const auto& object : scene.ownedObjects) {
            if (auto* mesh = dynamic_cast<cSceneSkinnedMesh*>(object.get())) {
                for (const SceneBone& bone : mesh->bones) {
                    Refuse(bone.node == nullptr);
                }
            }
        }
    }

    cScene& scene;
    cSceneFileReader file;
};

} // namespace

void cScene::Load(std::FILE* file)
{
    if (device == nullptr) {
        throw mu3d_CException(4);
    }
    SceneLoader(*this, file).Read();
}

// A file that cannot be opened reads as an empty one: code 0.
void cScene::Load(const char* fileName)
{
    if (device == nullptr) {
        throw mu3d_CException(4);
    }
    std::FILE* file = OpenWindowsFile(fileName, "rb");
    if (file == nullptr) {
        throw mu3d_CException(0);
    }
    // The file is closed whether the load succeeds or not.
    try {
        Load(file);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
}
