// rewind-inspect: what the show reads from its data files, as JSON, for the
// people who write them.
//
//   rewind-inspect scene FILE [--frames f1,f2,...]
//   rewind-inspect ini FILE
//   rewind-inspect object FILE
//
// Runs without a display, on a headless device. A scene the loader refuses
// prints its code and exits with 3; a file that cannot be read, or a bad
// command line, exits with 2.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "objects/object.h"
#include "objects/object_ps.h"
#include "platform/d3d8/headless_device.h"
#include "platform/win32/file_path.h"
#include "json_writer.h"
#include "launch/standard_options.h"
#include "platform/d3d8/d3d8.h"
#include "scene/scene.h"
#include "scene/scene_textures.h"
#include "support/ini_file.h"

namespace {

const char* const usage = "usage: rewind-inspect scene FILE [--frames f1,f2,...]\n"
                          "       rewind-inspect ini FILE\n"
                          "       rewind-inspect object FILE\n"
                          "  Prints, as JSON, what the show reads from a scene, INI or object file.\n"
                          "  --help, --version\n";

int Usage() { return RefuseCommandLine("rewind-inspect", "bad command line", usage); }

const char* TypeName(const cSceneObject* object)
{
    if (dynamic_cast<const cSceneFreeCamera*>(object)) return "free camera";
    if (dynamic_cast<const cSceneTargetCamera*>(object)) return "target camera";
    switch (object->TypeCode()) {
    case SCENE_MESH: return "mesh";
    case SCENE_SKINNED_MESH: return "skinned mesh";
    case SCENE_LIGHT: return "light";
    case SCENE_CAMERA_TARGET: return "camera target";
    default: return "object";
    }
}

const char* KindName(std::uint32_t kind)
{
    switch (kind) {
    case NODE_BONE: return "bone";
    case NODE_MESH: return "mesh";
    case NODE_TARGET_CAMERA: return "target camera";
    case NODE_FREE_CAMERA: return "free camera";
    case NODE_DUMMY: return "dummy";
    default: return "plain";
    }
}

class SceneInspector {
public:
    SceneInspector(const cScene& scene, JsonWriter& json) : scene(scene), json(json) {}

    std::string ObjectName(const cSceneObject* object) const
    {
        const char* name = scene.objects.NameOf(object);
        return name != nullptr ? name : "";
    }

    void Materials()
    {
        json.BeginArray("materials");
        for (const auto& entry : scene.materials) {
            const cSceneMaterial& material = *entry.value;
            json.BeginObject();
            json.String("name", entry.name);
            json.Integer("flags", material.flags);
            json.Integer("blendSelector", material.blendSelector);
            const float colour[4] = {material.red, material.green, material.blue, material.opacity};
            json.Floats("colour", colour, 4);
            Texture("texture", material.textureName);
            Texture("secondTexture", material.secondTextureName);
            json.EndObject();
        }
        json.EndArray();
    }

    void Objects()
    {
        json.BeginArray("objects");
        for (const auto& entry : scene.objects) {
            const cSceneObject* object = entry.value;
            json.BeginObject();
            json.String("name", entry.name);
            json.String("type", TypeName(object));
            json.Integer("typeCode", object->TypeCode());
            if (const auto* mesh = dynamic_cast<const cSceneMeshBase*>(object)) {
                MeshFacts(*mesh);
            } else if (const auto* light = dynamic_cast<const cSceneLight*>(object)) {
                json.Integer("lightIndex", light->lightIndex);
            } else if (const auto* camera = dynamic_cast<const cSceneTargetCamera*>(object)) {
                json.String("target", ObjectName(camera->target));
            }
            json.EndObject();
        }
        json.EndArray();
    }

    void Nodes()
    {
        json.BeginArray("nodes");
        // Depth first, as the file stores them, with each node's depth.
        std::vector<std::pair<const cSceneNode*, int>> pending{{scene.root.get(), 0}};
        while (!pending.empty()) {
            const auto [node, depth] = pending.back();
            pending.pop_back();
            if (node->nextSibling != nullptr) pending.push_back({node->nextSibling, depth});
            if (node->firstChild != nullptr) pending.push_back({node->firstChild, depth + 1});
            json.BeginObject();
            json.String("name", node->name);
            json.String("kind", KindName(node->kind));
            json.Integer("depth", depth);
            json.String("object", ObjectName(node->object));
            json.EndObject();
        }
        json.EndArray();
    }

    void Frame(float frame)
    {
        const_cast<cScene&>(scene).Render(frame);
        json.BeginObject();
        json.Number("frame", frame);
        json.BeginArray("nodes");
        std::vector<const cSceneNode*> pending{scene.root.get()};
        while (!pending.empty()) {
            const cSceneNode* node = pending.back();
            pending.pop_back();
            if (node->nextSibling != nullptr) pending.push_back(node->nextSibling);
            if (node->firstChild != nullptr) pending.push_back(node->firstChild);
            json.BeginObject();
            json.String("name", node->name);
            json.Floats("world", node->world.m, 16);
            json.EndObject();
        }
        json.EndArray();
        json.BeginArray("cameras");
        for (const auto& entry : scene.objects) {
            if (auto* camera = dynamic_cast<cSceneCamera*>(entry.value)) {
                camera->SetupView();
                json.BeginObject();
                json.String("name", entry.name);
                const float position[3] = {camera->position.x, camera->position.y, camera->position.z};
                json.Floats("position", position, 3);
                json.Number("fov", camera->fov);
                const auto* target = dynamic_cast<const cSceneTargetCamera*>(camera);
                json.Number("roll", target != nullptr ? target->roll : 0.0f);
                json.Floats("view", camera->view.m, 16);
                json.EndObject();
            }
        }
        json.EndArray();
        json.BeginArray("meshes");
        for (const auto& entry : scene.objects) {
            if (const auto* mesh = dynamic_cast<const cSceneMeshBase*>(entry.value)) {
                json.BeginObject();
                json.String("name", entry.name);
                json.Integer("hidden", mesh->hidden);
                json.String("morphCurrent", ObjectName(mesh->morphCurrent));
                json.String("morphNext", ObjectName(mesh->morphNext));
                json.Number("morphFactor", mesh->morphFactor);
                json.EndObject();
            }
        }
        json.EndArray();
        json.EndObject();
    }

private:
    void Texture(const char* key, const std::string& name)
    {
        if (name.empty()) {
            json.Null(key);
            return;
        }
        json.BeginObject(key);
        json.String("file", name);
        json.Bool("loaded", g_sceneTextures.Find(name.c_str()) != nullptr);
        json.EndObject();
    }

    void MeshFacts(const cSceneMeshBase& mesh)
    {
        json.Integer("vertexCount", mesh.vertexCount);
        json.Integer("triangleCount", mesh.triangleCount);
        json.Integer("indexCount", mesh.indexCount);
        json.Integer("hidden", mesh.hidden);
        json.Bool("tweenable", mesh.vertexFormat == scene.tweenDeclaration);
        if (mesh.TypeCode() != SCENE_SKINNED_MESH) {
            const float bounds[6] = {mesh.bboxMin.x, mesh.bboxMin.y, mesh.bboxMin.z,
                                     mesh.bboxMax.x, mesh.bboxMax.y, mesh.bboxMax.z};
            json.Floats("bounds", bounds, 6);
        }
        if (const auto* skinned = dynamic_cast<const cSceneSkinnedMesh*>(&mesh)) {
            json.BeginArray("bones");
            for (const SceneBone& bone : skinned->bones) {
                json.String(nullptr, bone.node != nullptr ? bone.node->name : "");
            }
            json.EndArray();
        }
        json.BeginArray("groups");
        for (const SceneMeshGroup& group : mesh.groups) {
            json.BeginObject();
            const char* material = group.material != nullptr ? scene.materials.NameOf(group.material) : nullptr;
            if (material != nullptr) {
                json.String("material", material);
            } else {
                json.Null("material");
            }
            json.Integer("startIndex", group.startIndex);
            json.Integer("primitiveCount", group.primitiveCount);
            json.EndObject();
        }
        json.EndArray();
    }

    const cScene& scene;
    JsonWriter& json;
};

bool ParseFrames(const char* text, std::vector<float>& frames)
{
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        char* end = nullptr;
        const float frame = std::strtof(item.c_str(), &end);
        if (end == item.c_str() || *end != '\0') {
            return false;
        }
        frames.push_back(frame);
    }
    return true;
}

int InspectScene(const char* fileName, const std::vector<float>& frames)
{
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = CreateHeadlessDevice(640, 480, &direct3d);
    if (device == nullptr) {
        std::fprintf(stderr, "rewind-inspect: no headless Direct3D device\n");
        return 2;
    }
    g_sceneTextures.Init(device, D3DFMT_A8R8G8B8);
    int result = 0;
    {
        cScene scene;
        JsonWriter json(stdout);
        try {
            scene.SetDevice(device, 0);
            scene.Load(fileName);
            scene.zFar = 25000.0f;
            scene.zNear = 1.0f;
            SceneInspector inspector(scene, json);
            json.BeginObject();
            json.String("file", fileName);
            json.Integer("lastFrame", scene.lastFrame);
            json.String("camera", inspector.ObjectName(scene.camera));
            inspector.Materials();
            inspector.Objects();
            inspector.Nodes();
            json.BeginArray("frames");
            for (float frame : frames) {
                inspector.Frame(frame);
            }
            json.EndArray();
            json.EndObject();
        } catch (const mu3d_CException& failure) {
            JsonWriter refusal(stdout);
            refusal.BeginObject();
            refusal.String("file", fileName);
            refusal.Bool("refused", true);
            refusal.Integer("code", failure.code);
            refusal.EndObject();
            result = 3;
        }
    }
    g_sceneTextures.Shutdown();
    device->Release();
    direct3d->Release();
    return result;
}

int InspectIni(const char* fileName)
{
    cIniFile ini;
    if (!ini.Open(fileName)) {
        std::fprintf(stderr, "rewind-inspect: cannot open %s\n", fileName);
        return 2;
    }
    JsonWriter json(stdout);
    json.BeginObject();
    json.String("file", fileName);
    json.BeginArray("records");
    while (ini.Next()) {
        json.BeginObject();
        json.String("type", ini.types);
        json.BeginArray("ints");
        for (std::uint32_t i = 0; i < ini.intCount; ++i) json.Integer(nullptr, ini.ints[i]);
        json.EndArray();
        json.BeginArray("strings");
        for (std::uint32_t i = 0; i < ini.stringCount; ++i) json.String(nullptr, ini.strings[i]);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return 0;
}

// The object file as a mesh and as a point cloud: counts and bounds.
int InspectObject(const char* fileName)
{
    // The object loaders end the program on a missing file; refuse it first.
    if (FILE* file = OpenWindowsFile(fileName, "rb")) {
        std::fclose(file);
    } else {
        std::fprintf(stderr, "rewind-inspect: cannot open %s\n", fileName);
        return 2;
    }
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = CreateHeadlessDevice(64, 64, &direct3d);
    if (device == nullptr) {
        std::fprintf(stderr, "rewind-inspect: no headless Direct3D device\n");
        return 2;
    }
    int result = 0;
    {
        cObject mesh(fileName, device);
        cObjectPS cloud(fileName, device);
        JsonWriter json(stdout);
        json.BeginObject();
        json.String("file", fileName);
        json.Integer("vertexCount", mesh.numVertices);
        json.Integer("faceCount", mesh.numFaces);
        if (!mesh.vertices.empty()) {
            float bounds[6] = {mesh.vertices[0].x, mesh.vertices[0].y, mesh.vertices[0].z,
                               mesh.vertices[0].x, mesh.vertices[0].y, mesh.vertices[0].z};
            for (const MeshVertex& vertex : mesh.vertices) {
                const float position[3] = {vertex.x, vertex.y, vertex.z};
                for (int axis = 0; axis < 3; ++axis) {
                    bounds[axis] = std::min(bounds[axis], position[axis]);
                    bounds[3 + axis] = std::max(bounds[3 + axis], position[axis]);
                }
            }
            json.Floats("bounds", bounds, 6);
        } else {
            json.Null("bounds");
        }
        json.Integer("particleCount", cloud.numParticles);
        json.EndObject();
        std::fputc('\n', stdout);
        if (mesh.vertices.empty() && cloud.numParticles == 0) {
            result = 3;
        }
    }
    device->Release();
    direct3d->Release();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto answered = AnswerStandardOptions(argc, argv, "rewind-inspect", usage)) return *answered;
    if (argc < 3) {
        return Usage();
    }
    if (std::strcmp(argv[1], "ini") == 0 && argc == 3) {
        return InspectIni(argv[2]);
    }
    if (std::strcmp(argv[1], "object") == 0 && argc == 3) {
        return InspectObject(argv[2]);
    }
    if (std::strcmp(argv[1], "scene") != 0) {
        return Usage();
    }
    std::vector<float> frames;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc && ParseFrames(argv[i + 1], frames)) {
            ++i;
        } else {
            return Usage();
        }
    }
    return InspectScene(argv[2], frames);
}
