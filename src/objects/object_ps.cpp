#include "objects/object_ps.h"

#include <cstring>

#include "objects/object_file.h"
#include "support/cfile.h"
#include "support/log.h"

namespace {

constexpr DWORD particleBufferUsage = D3DUSAGE_WRITEONLY | D3DUSAGE_POINTS | D3DUSAGE_DYNAMIC;

} // namespace

cObjectPS::cObjectPS(const char* fileName, IDirect3DDevice8* newDevice)
{
    if (fileName == nullptr || newDevice == nullptr) return;
    device = newDevice;
    cfile file;
    file.Open(fileName, READ_BIN);
    ReadObjectParticles(file, particles);
    file.Close();
    numParticles = static_cast<std::uint32_t>(particles.size());

    if (FAILED(device->CreateVertexBuffer(DeviceBufferLength(numParticles, sizeof(SpriteVertex)), particleBufferUsage, spriteVertexFvf, D3DPOOL_DEFAULT,
                                          &vertexBuffer))) {
        vertexBuffer = nullptr;
        if (g_log) g_log->Print("cObjectPS : creation of vertex buffer failed");
        return;
    }
    if (!CopyParticlesToBuffer()) {
        if (g_log) g_log->Print("cObjectPS : cannot lock the vertex buffer");
        return;
    }
    if (g_log) g_log->Print("cObjectPS : Loaded %s (", fileName);
    if (g_log) g_log->Print("%d vertices)\n ", static_cast<int>(numParticles));
}

cObjectPS::~cObjectPS()
{
    if (vertexBuffer != nullptr) vertexBuffer->Release();
}

bool cObjectPS::CopyParticlesToBuffer()
{
    BYTE* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &data, 0))) return false;
    std::memcpy(data, particles.data(), static_cast<std::size_t>(numParticles) * sizeof(SpriteVertex));
    vertexBuffer->Unlock();
    return true;
}

void cObjectPSDyn::Update()
{
    if (vertexBuffer == nullptr) return;
    if (!CopyParticlesToBuffer()) {
        if (g_log) g_log->Print("cObjectPSDyn : cannot lock the vertex buffer");
    }
}
