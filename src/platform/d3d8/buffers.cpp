#include "platform/d3d8/buffers.h"

HRESULT BufferStorage::Lock(UINT offset, UINT size, BYTE** data)
{
    if (data == nullptr || offset > bytes.size() || size > bytes.size() - offset) {
        return D3DERR_INVALIDCALL;
    }
    *data = bytes.data() + offset;
    ++lockCount;
    return D3D_OK;
}

HRESULT BufferStorage::Unlock()
{
    if (lockCount == 0) {
        return D3DERR_INVALIDCALL;
    }
    --lockCount;
    return D3D_OK;
}

VertexBuffer::VertexBuffer(SharedDeviceLink link, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
    : link(std::move(link)), desc{D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, length, fvf}, storage(length)
{
}

HRESULT VertexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD)
{
    return storage.Lock(offset, size, data);
}

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* out)
{
    if (out == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *out = desc;
    return D3D_OK;
}

IndexBuffer::IndexBuffer(SharedDeviceLink link, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : link(std::move(link)), desc{format, D3DRTYPE_INDEXBUFFER, usage, pool, length}, storage(length)
{
}

HRESULT IndexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD)
{
    return storage.Lock(offset, size, data);
}

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* out)
{
    if (out == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *out = desc;
    return D3D_OK;
}
