#include "scene_meshes.h"

#include <algorithm>
#include <cmath>

#include "forge/objects/loft.h"
#include "forge/objects/mesh_normals.h"

namespace {

constexpr float pi = 3.14159265f;

std::vector<std::uint16_t> Indices(const ObjectMesh& mesh, std::uint32_t offset)
{
    std::vector<std::uint16_t> indices;
    for (const ObjectFace& face : mesh.faces) {
        for (std::uint32_t index : face) {
            indices.push_back(static_cast<std::uint16_t>(index + offset));
        }
    }
    return indices;
}

} // namespace

SceneObjectRecord SceneMesh(const std::string& name, const std::vector<ScenePart>& parts)
{
    std::vector<SceneMeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    std::vector<SceneGroupRecord> groups;
    for (const ScenePart& part : parts) {
        const std::vector<cVector> normals = SmoothOutwardNormals(part.mesh);
        const auto offset = static_cast<std::uint32_t>(vertices.size());
        for (std::size_t i = 0; i < part.mesh.vertices.size(); ++i) {
            const ObjectVertex& v = part.mesh.vertices[i];
            vertices.push_back({v.position, normals[i], v.u, v.v});
        }
        groups.push_back({part.material, static_cast<std::int32_t>(indices.size()),
                          static_cast<std::int32_t>(part.mesh.faces.size())});
        const std::vector<std::uint16_t> partIndices = Indices(part.mesh, offset);
        indices.insert(indices.end(), partIndices.begin(), partIndices.end());
    }
    return SceneObjectRecord::Mesh(name, vertices, indices, groups);
}

ObjectMesh FlatDisc(float radius, float y, int rings, int segments)
{
    ObjectMesh mesh;
    const cVector up(0, 1, 0);
    const auto uv = [&](float x, float z, std::uint32_t* index) {
        *index = mesh.AddVertex({x, y, z}, 0.5f + 0.5f * x / radius, 0.5f - 0.5f * z / radius);
    };
    std::uint32_t centre;
    uv(0, 0, &centre);
    std::vector<std::uint32_t> previous(static_cast<std::size_t>(segments), centre);
    for (int ring = 1; ring <= rings; ++ring) {
        const float r = radius * static_cast<float>(ring) / static_cast<float>(rings);
        std::vector<std::uint32_t> current(static_cast<std::size_t>(segments));
        for (int k = 0; k < segments; ++k) {
            const float angle = 2 * pi * static_cast<float>(k) / static_cast<float>(segments);
            uv(r * std::cos(angle), r * std::sin(angle), &current[k]);
        }
        for (int k = 0; k < segments; ++k) {
            const int next = (k + 1) % segments;
            if (ring == 1) {
                mesh.AddFaceFacing(centre, current[k], current[next], up);
            } else {
                mesh.AddQuadFacing(previous[k], previous[next], current[next], current[k], up);
            }
        }
        previous = current;
    }
    return mesh;
}

ObjectMesh Lathe(const std::vector<std::pair<float, float>>& profile, int segments)
{
    const bool rising = profile.back().first > profile.front().first;
    const cVector along(0, rising ? 1.0f : -1.0f, 0);
    const cVector side(1, 0, 0);
    std::vector<LoftSection> sections;
    for (const auto& [height, radius] : profile) {
        if (radius == 0.0f) {
            sections.push_back({cVector(0, height, 0)});
            continue;
        }
        LoftSection loop;
        for (int k = 0; k < segments; ++k) {
            const float angle = 2 * pi * static_cast<float>(k) / static_cast<float>(segments);
            loop.push_back(RingPoint({0, height, 0}, side, along, angle, radius, radius));
        }
        sections.push_back(loop);
    }
    return Loft(sections, true);
}

SceneObjectRecord StemMesh(const std::string& name, const std::string& material)
{
    std::vector<std::pair<float, float>> profile;
    for (int i = 0; i <= 18; ++i) {
        const float y = 5.0f * static_cast<float>(i);
        profile.push_back({y, 9.0f - 4.0f * y / 90.0f});
    }
    profile.push_back({94.0f, 0.0f});
    const ObjectMesh tube = Lathe(profile, 16);
    const std::vector<cVector> normals = SmoothOutwardNormals(tube);

    std::vector<SceneSkinVertex> vertices;
    for (std::size_t i = 0; i < tube.vertices.size(); ++i) {
        const ObjectVertex& v = tube.vertices[i];
        SceneSkinVertex skin;
        skin.position = v.position;
        skin.normal = normals[i];
        skin.u = v.u;
        skin.v = v.v * 3.0f;
        // Bone k (0, 1, 2) is matrix k + 1. Round each joint the lower bone
        // hands the vertex over to the upper one.
        const float y = v.position.y;
        const int lower = std::clamp(static_cast<int>(std::floor((y - stemBoneLength * 0.5f) / stemBoneLength)), 0, 1);
        const float joint = stemBoneLength * static_cast<float>(lower + 1);
        const float upper = std::clamp((y - (joint - 8.0f)) / 16.0f, 0.0f, 1.0f);
        skin.weights[0] = 1.0f - upper;
        skin.weights[1] = upper;
        skin.weights[2] = 0.0f;
        skin.matrices[0] = static_cast<std::uint8_t>(lower + 1);
        skin.matrices[1] = static_cast<std::uint8_t>(lower + 2);
        vertices.push_back(skin);
    }
    return SceneObjectRecord::SkinnedMesh(name, vertices, Indices(tube, 0),
                                          {{material, 0, static_cast<std::int32_t>(tube.faces.size())}}, 3);
}
