#pragma once
// Mesh objects: a triangle mesh kept twice, in system memory where effects
// read and reshape it, and in a vertex and an index buffer the renderer's
// DrawObject draws from.
//
//   cObject* ship = new cObject("obj\\samolot.obj", render->GetDevice());
//   ship->ComputeNormals();
//   ship->MakeSphereMapCoords();   // optional: environment-style texturing
//   ship->Upload();
//   ship->BuildWireframe();        // optional: for DrawObject mode 2
//   ...
//   ship->Spin();
//   render->DrawObject(ship, 0);
//
// An effect that deforms a mesh changes `vertices` (and runs ComputeNormals
// when the shape changed), then calls Upload before drawing.

#include <cstdint>
#include <vector>

#include "objects/object_placement.h"
#include "objects/object_vertices.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3dx8/d3dx8.h"

class cObject : public cObjectPlacement {
public:
    // Loads an object file. A null name or device leaves the object empty; a
    // missing file ends the program (see LibraryOpen). When a buffer cannot be
    // created the failure is logged and the object must not be drawn.
    cObject(const char* fileName, IDirect3DDevice8* device);
    virtual ~cObject();
    cObject(const cObject&) = delete;
    cObject& operator=(const cObject&) = delete;

    // Face normals from the current positions, then smooth vertex normals:
    // each the average of the normals of the faces that name the vertex.
    void ComputeNormals();

    // Texture coordinates from the vertex normals' x and y, mapped to 0..1.
    void MakeSphereMapCoords();

    // Copies `vertices` and `indices` into the device buffers.
    void Upload();

    // Three line segments per triangle, copied from `vertices` as they are now.
    void BuildWireframe();

    // Copies vertices and indices from an object of the same vertex and face
    // counts; any other object is ignored. The device buffers are not touched.
    void CopyFrom(const cObject* other);

    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    IDirect3DIndexBuffer8* indexBuffer = nullptr;
    std::vector<MeshVertex> vertices;
    std::vector<MeshVertex> wireVertices; // empty until BuildWireframe
    std::vector<std::uint16_t> indices;   // three per triangle, each below numVertices
    std::vector<D3DXVECTOR3> faceNormals;
    std::uint32_t numVertices = 0;
    std::uint32_t numFaces = 0;

protected:
    cObject() = default;

    // Both buffers, sized for numVertices and numFaces; failures are logged
    // under `className`.
    bool CreateBuffers(const char* className);
};

// A mesh of given size that its effect fills and uploads itself.
class cObjectDyn : public cObject {
public:
    // A null device leaves the object empty.
    cObjectDyn(std::uint32_t vertexCount, std::uint32_t faceCount, IDirect3DDevice8* device);
};
