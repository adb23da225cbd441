#pragma once
// Point-sprite objects: a cloud of particles taken from an object file, kept
// in system memory and in a vertex buffer made for point lists, drawn by the
// renderer's DrawParticles. The calling effect sets the point-sprite render
// states and the texture.
//
//   cObjectPSDyn* sparks = new cObjectPSDyn("obj\\blob01.obj", render->GetDevice());
//   ...move or recolour sparks->particles...
//   sparks->Update();
//   render->DrawParticles(sparks);

#include <cstdint>
#include <vector>

#include "objects/object_placement.h"
#include "objects/object_vertices.h"
#include "platform/d3d8/d3d8.h"

class cObjectPS : public cObjectPlacement {
public:
    // Loads the particles of an object file. A null name or device leaves the
    // object empty; a missing file ends the program (see LibraryOpen). When the
    // buffer cannot be created or filled the failure is logged and the object
    // must not be drawn.
    cObjectPS(const char* fileName, IDirect3DDevice8* device);
    virtual ~cObjectPS();
    cObjectPS(const cObjectPS&) = delete;
    cObjectPS& operator=(const cObjectPS&) = delete;

    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    std::vector<SpriteVertex> particles;
    std::uint32_t numParticles = 0;

protected:
    // Copies every particle into the buffer; false when the lock fails.
    bool CopyParticlesToBuffer();
};

// A cloud its effect moves or recolours and pushes to the device every frame.
class cObjectPSDyn : public cObjectPS {
public:
    using cObjectPS::cObjectPS;

    // Copies `particles` into the vertex buffer; a failed lock leaves the
    // previous particles there.
    void Update();
};
