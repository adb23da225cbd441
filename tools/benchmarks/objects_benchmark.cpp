// Prints how long ComputeNormals takes on a mesh of 3,000 faces, beside the
// plain rule it replaces (every vertex scans every face), and checks that
// both give the same normals to the bit.
//
//   rewind-objects-benchmark [repetitions]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "objects/object.h"

namespace {

// A closed band of quads around a cylinder: 30 x 50 quads, 1,500 vertices,
// 3,000 faces, each vertex shared by six faces.
void BuildBand(cObject& mesh)
{
    constexpr int around = 50;
    constexpr int rows = 31;
    for (int row = 0; row < rows; ++row) {
        for (int step = 0; step < around; ++step) {
            const float angle = 6.2831853f * step / around;
            mesh.vertices.push_back(MeshVertex{std::cos(angle), row * 0.1f, std::sin(angle), 0, 0, 0, 0, 0});
        }
    }
    for (int row = 0; row + 1 < rows; ++row) {
        for (int step = 0; step < around; ++step) {
            const auto corner = [&](int r, int s) { return static_cast<std::uint16_t>(r * around + s % around); };
            mesh.indices.insert(mesh.indices.end(), {corner(row, step), corner(row + 1, step), corner(row, step + 1)});
            mesh.indices.insert(mesh.indices.end(),
                                {corner(row, step + 1), corner(row + 1, step), corner(row + 1, step + 1)});
        }
    }
    mesh.numVertices = static_cast<std::uint32_t>(mesh.vertices.size());
    mesh.numFaces = static_cast<std::uint32_t>(mesh.indices.size() / 3);
    mesh.faceNormals.resize(mesh.numFaces);
}

// The vertex pass of the plain rule, over face normals already computed.
void ScanVertexNormals(cObject& mesh)
{
    for (std::uint32_t vertex = 0; vertex < mesh.numVertices; ++vertex) {
        D3DXVECTOR3 sum;
        int count = 0;
        for (std::uint32_t face = 0; face < mesh.numFaces; ++face) {
            const std::uint16_t* corners = &mesh.indices[3 * face];
            if (corners[0] == vertex || corners[1] == vertex || corners[2] == vertex) {
                sum = sum + mesh.faceNormals[face];
                ++count;
            }
        }
        if (count != 0) sum = sum * (1.0f / static_cast<float>(count));
        D3DXVec3Normalize(&sum, &sum);
        mesh.vertices[vertex].nx = sum.x;
        mesh.vertices[vertex].ny = sum.y;
        mesh.vertices[vertex].nz = sum.z;
    }
}

template <typename Work>
double MillisecondsPerRun(int repetitions, Work work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < repetitions; ++run) work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / repetitions;
}

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    cObject mesh(nullptr, nullptr);
    BuildBand(mesh);

    const double linear = MillisecondsPerRun(repetitions, [&] { mesh.ComputeNormals(); });
    const std::vector<MeshVertex> linearResult = mesh.vertices;
    const double scanned = MillisecondsPerRun(repetitions, [&] {
        mesh.ComputeNormals(); // the face pass both share
        ScanVertexNormals(mesh);
    });
    const bool same = std::memcmp(linearResult.data(), mesh.vertices.data(),
                                  linearResult.size() * sizeof(MeshVertex)) == 0;

    std::printf("ComputeNormals, %u vertices, %u faces, %d runs\n", mesh.numVertices, mesh.numFaces, repetitions);
    std::printf("  face order:       %8.4f ms\n", linear);
    std::printf("  scan per vertex:  %8.4f ms  (%.0fx)\n", scanned, scanned / linear);
    std::printf("  same normals to the bit: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
