#include "scene/scene_writer.h"

#include <cstring>
#include <utility>

namespace {

enum : std::uint32_t {
    HAS_CHILD = 0x01,
    HAS_SIBLING = 0x02,
    EULER_ROTATION = 0x04,
    MORPH_TRACK = 0x08,
    HIDE_TRACK = 0x10,
    FOV_TRACK = 0x20,
    ROLL_TRACK = 0x40,
};

void WriteTcb(SceneBytes& out, const SceneTcb& tcb)
{
    out.Float(tcb.tension).Float(tcb.continuity).Float(tcb.bias).Float(tcb.easeTo).Float(tcb.easeFrom);
}

void WriteVector(SceneBytes& out, const cVector& v)
{
    out.Float(v.x).Float(v.y).Float(v.z);
}

void WriteVectorTrack(SceneBytes& out, const std::vector<SceneVectorKey>& keys)
{
    out.UInt(static_cast<std::uint32_t>(keys.size()));
    for (const SceneVectorKey& key : keys) {
        WriteVector(out, key.value);
        out.Float(key.frame);
        WriteTcb(out, key.tcb);
    }
}

void WriteFloatTrack(SceneBytes& out, const std::vector<SceneFloatKey>& keys)
{
    out.UInt(static_cast<std::uint32_t>(keys.size()));
    for (const SceneFloatKey& key : keys) {
        out.Float(key.value).Float(key.frame);
        WriteTcb(out, key.tcb);
    }
}

void WriteMeshStart(SceneBytes& out, const SceneObjectRecord& mesh, std::size_t vertexCount)
{
    const std::int32_t triangles =
        mesh.triangleCount >= 0 ? mesh.triangleCount : static_cast<std::int32_t>(mesh.indices.size() / 3);
    out.UInt(static_cast<std::uint32_t>(vertexCount)).Int(triangles);
    out.UInt(static_cast<std::uint32_t>(mesh.indices.size())).Int(mesh.hidden);
    out.Float(0.0f).Float(0.0f).Float(0.0f);
    out.UInt(static_cast<std::uint32_t>(mesh.groups.size()));
}

void WriteMeshEnd(SceneBytes& out, const SceneObjectRecord& mesh)
{
    for (std::uint16_t index : mesh.indices) {
        out.Word(index);
    }
    for (const SceneGroupRecord& group : mesh.groups) {
        out.String(group.material).Int(group.startIndex).Int(group.primitiveCount);
    }
}

} // namespace

SceneNodeRecord MakeNode(std::uint32_t kind, std::string name, std::string object)
{
    SceneNodeRecord node;
    node.kind = kind;
    node.name = std::move(name);
    node.object = std::move(object);
    return node;
}

SceneObjectRecord SceneObjectRecord::FreeCamera(std::string name, float fov, cVector position)
{
    SceneObjectRecord record;
    record.name = std::move(name);
    record.type = 0xFF01;
    record.fov = fov;
    record.position = position;
    return record;
}

SceneObjectRecord SceneObjectRecord::TargetCamera(std::string name, float fov, float roll, cVector position)
{
    SceneObjectRecord record = FreeCamera(std::move(name), fov, position);
    record.type = 0xFF06;
    record.roll = roll;
    return record;
}

SceneObjectRecord SceneObjectRecord::CameraTarget(std::string name, std::string camera, cVector position)
{
    SceneObjectRecord record;
    record.name = std::move(name);
    record.type = 0xFF02;
    record.camera = std::move(camera);
    record.position = position;
    return record;
}

SceneObjectRecord SceneObjectRecord::Light(std::string name, cVector position)
{
    SceneObjectRecord record;
    record.name = std::move(name);
    record.type = 0xFF03;
    record.position = position;
    return record;
}

SceneObjectRecord SceneObjectRecord::Mesh(std::string name, std::vector<SceneMeshVertex> vertices,
                                          std::vector<std::uint16_t> indices, std::vector<SceneGroupRecord> groups)
{
    SceneObjectRecord record;
    record.name = std::move(name);
    record.type = 0xFF04;
    record.vertices = std::move(vertices);
    record.indices = std::move(indices);
    record.groups = std::move(groups);
    return record;
}

SceneObjectRecord SceneObjectRecord::SkinnedMesh(std::string name, std::vector<SceneSkinVertex> vertices,
                                                 std::vector<std::uint16_t> indices,
                                                 std::vector<SceneGroupRecord> groups, std::uint32_t boneCount)
{
    SceneObjectRecord record;
    record.name = std::move(name);
    record.type = 0xFF05;
    record.skinVertices = std::move(vertices);
    record.indices = std::move(indices);
    record.groups = std::move(groups);
    record.boneCount = boneCount;
    return record;
}

SceneBytes& SceneBytes::UInt(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>(value >> shift & 0xFF);
    }
    return *this;
}

SceneBytes& SceneBytes::Int(std::int32_t value)
{
    return UInt(static_cast<std::uint32_t>(value));
}

SceneBytes& SceneBytes::Float(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return UInt(bits);
}

SceneBytes& SceneBytes::Word(std::uint16_t value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
    return *this;
}

SceneBytes& SceneBytes::String(const std::string& text)
{
    bytes += text;
    bytes += '\0';
    return *this;
}

SceneBytes& SceneBytes::Material(const SceneMaterialRecord& material)
{
    String(material.name).UInt(material.flags);
    Float(material.opacity).Float(material.red).Float(material.green).Float(material.blue);
    if (!(material.flags & 0x40)) {
        String(material.texture);
        if (material.flags & 0x01) {
            String(material.secondTexture);
        }
    }
    return *this;
}

SceneBytes& SceneBytes::Object(const SceneObjectRecord& object)
{
    String(object.name).UInt(object.type);
    switch (object.type) {
    case 0xFF01:
        WriteVector(*this, object.position);
        Float(object.fov);
        break;
    case 0xFF02:
        String(object.camera);
        WriteVector(*this, object.position);
        break;
    case 0xFF03: WriteVector(*this, object.position); break;
    case 0xFF04:
        WriteMeshStart(*this, object, object.vertices.size());
        Int(object.tweenable ? 1 : 0);
        for (const SceneMeshVertex& vertex : object.vertices) {
            WriteVector(*this, vertex.position);
            WriteVector(*this, vertex.normal);
            Float(vertex.u).Float(vertex.v);
        }
        WriteMeshEnd(*this, object);
        break;
    case 0xFF05:
        WriteMeshStart(*this, object, object.skinVertices.size());
        UInt(object.boneCount);
        for (const SceneSkinVertex& vertex : object.skinVertices) {
            WriteVector(*this, vertex.position);
            WriteVector(*this, vertex.normal);
            Float(vertex.weights[0]).Float(vertex.weights[1]).Float(vertex.weights[2]);
            for (std::uint8_t matrix : vertex.matrices) {
                bytes += static_cast<char>(matrix);
            }
            Float(vertex.u).Float(vertex.v);
        }
        WriteMeshEnd(*this, object);
        break;
    case 0xFF06:
        WriteVector(*this, object.position);
        Float(object.fov).Float(object.roll);
        break;
    default: break;
    }
    return *this;
}

SceneBytes& SceneBytes::Node(const SceneNodeRecord& node, bool hasSibling)
{
    std::uint32_t flags = 0;
    if (!node.children.empty()) flags |= HAS_CHILD;
    if (hasSibling) flags |= HAS_SIBLING;
    if (!node.euler.empty()) flags |= EULER_ROTATION;
    if (!node.morph.empty()) flags |= MORPH_TRACK;
    if (!node.hide.empty()) flags |= HIDE_TRACK;
    if (!node.fov.empty()) flags |= FOV_TRACK;
    if (!node.roll.empty()) flags |= ROLL_TRACK;
    UInt(node.kind).UInt(flags).String(node.name).String(node.object);
    WriteVectorTrack(*this, node.position);
    if (!node.euler.empty()) {
        WriteVectorTrack(*this, node.euler);
    } else {
        UInt(static_cast<std::uint32_t>(node.rotation.size()));
        for (const SceneRotationKey& key : node.rotation) {
            WriteVector(*this, key.axis);
            Float(key.angle).Float(key.frame);
            WriteTcb(*this, key.tcb);
        }
    }
    WriteVectorTrack(*this, node.scale);
    switch (node.kind) {
    case 0xEE01:
        Int(node.boneNumber);
        for (float element : node.boneOffset.m) {
            Float(element);
        }
        break;
    case 0xEE02:
        if (!node.morph.empty()) {
            UInt(static_cast<std::uint32_t>(node.morph.size()));
            for (const SceneMorphKey& key : node.morph) {
                String(key.object).Float(key.frame).Float(key.easeTo).Float(key.easeFrom);
            }
        }
        if (!node.hide.empty()) {
            UInt(static_cast<std::uint32_t>(node.hide.size()));
            for (const SceneHideKey& key : node.hide) {
                Int(key.value).Float(key.frame).Float(key.easeTo).Float(key.easeFrom);
            }
        }
        break;
    case 0xEE04:
        if (!node.roll.empty()) WriteFloatTrack(*this, node.roll);
        if (!node.fov.empty()) WriteFloatTrack(*this, node.fov);
        break;
    case 0xEE05:
        if (!node.fov.empty()) WriteFloatTrack(*this, node.fov);
        break;
    default: break;
    }
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        Node(node.children[i], i + 1 < node.children.size());
    }
    return *this;
}

std::string WriteScene(const SceneDescription& scene)
{
    SceneBytes out;
    out.String("SCENEFILE-QUASAR").Int(scene.lastFrame);
    out.UInt(0x1010).UInt(static_cast<std::uint32_t>(scene.materials.size()));
    for (const SceneMaterialRecord& material : scene.materials) {
        out.Material(material);
    }
    out.UInt(0x2020).UInt(static_cast<std::uint32_t>(scene.objects.size()));
    for (const SceneObjectRecord& object : scene.objects) {
        out.Object(object);
    }
    out.UInt(0x3030);
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        out.Node(scene.nodes[i], i + 1 < scene.nodes.size());
    }
    return out.bytes;
}
