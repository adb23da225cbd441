#include "objects/object.h"

#include <algorithm>
#include <cstring>

#include "objects/object_file.h"
#include "support/cfile.h"
#include "support/log.h"

namespace {

void AddFaceNormal(D3DXVECTOR3& sum, std::uint32_t& count, const D3DXVECTOR3& normal)
{
    sum.x += normal.x;
    sum.y += normal.y;
    sum.z += normal.z;
    ++count;
}

} // namespace

cObject::cObject(const char* fileName, IDirect3DDevice8* newDevice)
{
    if (fileName == nullptr || newDevice == nullptr) return;
    device = newDevice;
    cfile file;
    file.Open(fileName, READ_BIN);
    ReadObjectMesh(file, vertices, indices);
    file.Close();
    numVertices = static_cast<std::uint32_t>(vertices.size());
    numFaces = static_cast<std::uint32_t>(indices.size() / 3);
    faceNormals.resize(numFaces);

    if (!CreateBuffers("cObject")) return;
    Upload();
    if (g_log) g_log->Print("cObject : Loaded %s (", fileName);
    if (g_log) g_log->Print("%d vertices and ", static_cast<int>(numVertices));
    if (g_log) g_log->Print("%d faces)\n", static_cast<int>(numFaces));
}

cObject::~cObject()
{
    if (vertexBuffer != nullptr) vertexBuffer->Release();
    if (indexBuffer != nullptr) indexBuffer->Release();
}

bool cObject::CreateBuffers(const char* className)
{
    if (FAILED(device->CreateVertexBuffer(DeviceBufferLength(numVertices, sizeof(MeshVertex)), D3DUSAGE_WRITEONLY,
                                          meshVertexFvf, D3DPOOL_DEFAULT, &vertexBuffer))) {
        vertexBuffer = nullptr;
        if (g_log) g_log->Print("%s : creation of vertex buffer failed", className);
        return false;
    }
    if (FAILED(device->CreateIndexBuffer(DeviceBufferLength(numFaces, 3 * sizeof(std::uint16_t)), D3DUSAGE_WRITEONLY,
                                         D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indexBuffer))) {
        indexBuffer = nullptr;
        if (g_log) g_log->Print("%s : creation of index buffer failed", className);
        return false;
    }
    return true;
}

// Every face adds its normal to the sums of the vertices it names, in face
// order, so each sum is built from the same additions in the same order as a
// scan of all faces per vertex would make, in linear time.
void cObject::ComputeNormals()
{
    for (std::uint32_t face = 0; face < numFaces; ++face) {
        const MeshVertex& a = vertices[indices[3 * face]];
        const MeshVertex& b = vertices[indices[3 * face + 1]];
        const MeshVertex& c = vertices[indices[3 * face + 2]];
        const D3DXVECTOR3 d1(a.x - b.x, a.y - b.y, a.z - b.z);
        const D3DXVECTOR3 d2(b.x - c.x, b.y - c.y, b.z - c.z);
        const D3DXVECTOR3 cross(d1.y * d2.z - d1.z * d2.y, d1.z * d2.x - d1.x * d2.z, d1.x * d2.y - d1.y * d2.x);
        D3DXVec3Normalize(&faceNormals[face], &cross);
    }

    std::vector<D3DXVECTOR3> sums(numVertices);
    std::vector<std::uint32_t> counts(numVertices, 0);
    for (std::uint32_t face = 0; face < numFaces; ++face) {
        const std::uint16_t a = indices[3 * face];
        const std::uint16_t b = indices[3 * face + 1];
        const std::uint16_t c = indices[3 * face + 2];
        const D3DXVECTOR3& normal = faceNormals[face];
        AddFaceNormal(sums[a], counts[a], normal);
        if (b != a) AddFaceNormal(sums[b], counts[b], normal);
        if (c != a && c != b) AddFaceNormal(sums[c], counts[c], normal);
    }

    for (std::uint32_t index = 0; index < numVertices; ++index) {
        D3DXVECTOR3 average = sums[index];
        if (counts[index] != 0) average = average * (1.0f / static_cast<float>(counts[index]));
        D3DXVec3Normalize(&average, &average);
        MeshVertex& vertex = vertices[index];
        vertex.nx = average.x;
        vertex.ny = average.y;
        vertex.nz = average.z;
    }
}

void cObject::MakeSphereMapCoords()
{
    for (MeshVertex& vertex : vertices) {
        vertex.u = vertex.nx * 0.5f + 0.5f;
        vertex.v = vertex.ny * 0.5f + 0.5f;
    }
}

// A failed index-buffer lock is logged like the vertex-buffer one; the
// vertices copied before it stay in place.
void cObject::Upload()
{
    if (vertexBuffer == nullptr || indexBuffer == nullptr) return;
    BYTE* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cObject : cannot lock the vertex buffer");
        return;
    }
    std::memcpy(data, vertices.data(), static_cast<std::size_t>(numVertices) * sizeof(MeshVertex));
    vertexBuffer->Unlock();
    if (FAILED(indexBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cObject : cannot lock the index buffer");
        return;
    }
    std::memcpy(data, indices.data(), static_cast<std::size_t>(numFaces) * 3 * sizeof(std::uint16_t));
    indexBuffer->Unlock();
}

void cObject::BuildWireframe()
{
    wireVertices.resize(static_cast<std::size_t>(numFaces) * 6);
    MeshVertex* out = wireVertices.data();
    for (std::uint32_t face = 0; face < numFaces; ++face) {
        const MeshVertex& a = vertices[indices[3 * face]];
        const MeshVertex& b = vertices[indices[3 * face + 1]];
        const MeshVertex& c = vertices[indices[3 * face + 2]];
        for (const MeshVertex* corner : {&a, &b, &b, &c, &c, &a}) *out++ = *corner;
    }
}

void cObject::CopyFrom(const cObject* other)
{
    if (other == nullptr || other->numVertices != numVertices || other->numFaces != numFaces) return;
    std::copy_n(other->vertices.begin(), numVertices, vertices.begin());
    std::copy_n(other->indices.begin(), static_cast<std::size_t>(numFaces) * 3, indices.begin());
}

// The arrays start zeroed rather than unset, so a mesh drawn before its
// effect fills it is a degenerate one, not garbage.
cObjectDyn::cObjectDyn(std::uint32_t vertexCount, std::uint32_t faceCount, IDirect3DDevice8* newDevice)
{
    if (newDevice == nullptr) return;
    device = newDevice;
    numVertices = vertexCount;
    numFaces = faceCount;
    vertices.assign(vertexCount, MeshVertex{});
    indices.assign(static_cast<std::size_t>(faceCount) * 3, 0);
    faceNormals.resize(faceCount);
    CreateBuffers("cObjectDyn");
}
