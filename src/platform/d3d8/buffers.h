#pragma once
// Vertex and index buffers: plain memory here, since vertices are processed
// on the CPU.

#include <vector>

#include "platform/d3d8/device_link.h"
#include "platform/d3d8/ref_counted.h"

// Lock bookkeeping shared by both kinds of buffer.
class BufferStorage {
public:
    explicit BufferStorage(UINT length) : bytes(length, 0) {}

    // A size of 0 locks from the offset to the end, as in Direct3D 8.
    HRESULT Lock(UINT offset, UINT size, BYTE** data);
    HRESULT Unlock();
    const std::vector<BYTE>& Bytes() const { return bytes; }

private:
    std::vector<BYTE> bytes;
    int lockCount = 0;
};

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer8> {
public:
    VertexBuffer(SharedDeviceLink link, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

    HRESULT GetDevice(IDirect3DDevice8** device) override { return LinkedDevice(link, device); }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT Unlock() override { return storage.Unlock(); }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

    const std::vector<BYTE>& Bytes() const { return storage.Bytes(); }

private:
    SharedDeviceLink link;
    D3DVERTEXBUFFER_DESC desc;
    BufferStorage storage;
};

class IndexBuffer final : public RefCounted<IDirect3DIndexBuffer8> {
public:
    IndexBuffer(SharedDeviceLink link, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    HRESULT GetDevice(IDirect3DDevice8** device) override { return LinkedDevice(link, device); }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT Unlock() override { return storage.Unlock(); }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

    const std::vector<BYTE>& Bytes() const { return storage.Bytes(); }
    UINT IndexSize() const { return desc.Format == D3DFMT_INDEX32 ? 4 : 2; }

private:
    SharedDeviceLink link;
    D3DINDEXBUFFER_DESC desc;
    BufferStorage storage;
};
