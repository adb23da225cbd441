#include "platform/d3d8/device.h"

#include <cstring>

#include "platform/d3d8/buffers.h"
#include "platform/d3d8/texture.h"

namespace {

// Reads one index of 16 or 32 bits.
std::uint32_t ReadIndex(const BYTE* indices, UINT indexSize, UINT position)
{
    if (indexSize == 4) {
        std::uint32_t value;
        std::memcpy(&value, indices + static_cast<std::size_t>(position) * 4, 4);
        return value;
    }
    std::uint16_t value;
    std::memcpy(&value, indices + static_cast<std::size_t>(position) * 2, 2);
    return value;
}

// `count` indices from `start`, each made relative to minIndex. False when one
// falls outside minIndex .. minIndex + vertexCount - 1.
bool RebaseIndices(const BYTE* indices, UINT indexSize, UINT start, UINT count, UINT minIndex, UINT vertexCount,
                   std::vector<std::uint32_t>& rebased)
{
    rebased.resize(count);
    for (UINT position = 0; position < count; ++position) {
        const std::uint32_t index = ReadIndex(indices, indexSize, start + position);
        if (index < minIndex || index - minIndex >= vertexCount) return false;
        rebased[position] = index - minIndex;
    }
    return true;
}

// The streams a layout reads from.
std::uint32_t StreamsUsed(const VertexLayout& layout)
{
    std::uint32_t used = 0;
    auto add = [&used](const VertexElement& element) {
        if (element.Present()) used |= 1u << element.stream;
    };
    add(layout.position);
    add(layout.blendWeights);
    add(layout.blendIndices);
    add(layout.normal);
    add(layout.pointSize);
    add(layout.diffuse);
    add(layout.specular);
    for (const VertexElement& texCoord : layout.texCoords) add(texCoord);
    add(layout.position2);
    add(layout.normal2);
    return used;
}

} // namespace

HRESULT Device::CurrentLayout(VertexLayout* layout) const
{
    const DWORD shader = state.vertexShader;
    if ((shader & 1) != 0) {
        auto found = declarations.find(shader);
        if (found == declarations.end()) return D3DERR_INVALIDCALL;
        *layout = found->second;
        return D3D_OK;
    }
    return LayoutFromFvf(shader, layout) && layout->position.Present() ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT Device::StreamsForLayout(const VertexLayout& layout, VertexStreams* streams) const
{
    const std::uint32_t used = StreamsUsed(layout);
    for (UINT stream = 0; stream < D3D_STREAM_COUNT; ++stream) {
        if ((used & (1u << stream)) == 0) continue;
        const StreamBinding& binding = state.streams[stream];
        if (binding.buffer == nullptr || binding.stride == 0) return D3DERR_INVALIDCALL;
        const auto& bytes = static_cast<VertexBuffer*>(binding.buffer)->Bytes();
        streams->data[stream] = bytes.data();
        streams->size[stream] = static_cast<UINT>(bytes.size());
        streams->stride[stream] = binding.stride;
    }
    return D3D_OK;
}

HRESULT Device::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const VertexStreams& streams,
                     const VertexLayout& layout, UINT firstVertex, UINT vertexCount, const std::uint32_t* indices,
                     UINT indexCount)
{
    if (!ProcessVertices(state, layout, streams, firstVertex, vertexCount, processed)) return D3DERR_INVALIDCALL;
    if (!AssemblePrimitives(state, type, primitiveCount, processed, indices, indexCount, assembled,
                            link->gl->Scale())) {
        return D3DERR_INVALIDCALL;
    }
    if (layout.pretransformed) ClampPretransformedDepth(assembled);
    GlTextureBinding textures[D3D_STAGE_COUNT];
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        if (state.textures[stage] != nullptr) {
            textures[stage] = static_cast<Texture*>(state.textures[stage])->Binding();
        }
    }
    const GlDepthTarget depth = depthStencil != nullptr ? depthStencil->DepthTarget() : GlDepthTarget{};
    link->gl->Draw(state, renderTarget->ColorTarget(), depth, textures, assembled);
    return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount)
{
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN) return D3DERR_INVALIDCALL;
    if (primitiveCount == 0) return D3D_OK;
    VertexLayout layout;
    VertexStreams streams;
    HRESULT result = CurrentLayout(&layout);
    if (SUCCEEDED(result)) result = StreamsForLayout(layout, &streams);
    if (FAILED(result)) return result;
    return Draw(type, primitiveCount, streams, layout, startVertex, VertexCountOf(type, primitiveCount), nullptr, 0);
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT startIndex,
                                     UINT primitiveCount)
{
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN || state.indices == nullptr) return D3DERR_INVALIDCALL;
    if (primitiveCount == 0) return D3D_OK;
    VertexLayout layout;
    VertexStreams streams;
    HRESULT result = CurrentLayout(&layout);
    if (SUCCEEDED(result)) result = StreamsForLayout(layout, &streams);
    if (FAILED(result)) return result;

    const auto* buffer = static_cast<IndexBuffer*>(state.indices);
    const UINT indexSize = buffer->IndexSize();
    const UINT indexCount = VertexCountOf(type, primitiveCount);
    const std::size_t available = buffer->Bytes().size() / indexSize;
    if (static_cast<std::size_t>(startIndex) + indexCount > available) return D3DERR_INVALIDCALL;
    if (!RebaseIndices(buffer->Bytes().data(), indexSize, startIndex, indexCount, minIndex, vertexCount,
                       rebasedIndices)) {
        return D3DERR_INVALIDCALL;
    }
    return Draw(type, primitiveCount, streams, layout, state.baseVertexIndex + minIndex, vertexCount,
                rebasedIndices.data(), indexCount);
}

// Both user-pointer draws leave stream 0 unbound afterwards (and the indexed
// one the index buffer too), as Direct3D 8 does.
HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride)
{
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN || vertices == nullptr || stride == 0) {
        return D3DERR_INVALIDCALL;
    }
    SetStreamSource(0, nullptr, 0);
    if (primitiveCount == 0) return D3D_OK;
    VertexLayout layout;
    HRESULT result = CurrentLayout(&layout);
    if (FAILED(result)) return result;
    const UINT vertexCount = VertexCountOf(type, primitiveCount);
    VertexStreams streams;
    streams.data[0] = static_cast<const std::uint8_t*>(vertices);
    streams.size[0] = vertexCount * stride;
    streams.stride[0] = stride;
    return Draw(type, primitiveCount, streams, layout, 0, vertexCount, nullptr, 0);
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                       const void* indices, D3DFORMAT indexFormat, const void* vertices, UINT stride)
{
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN || indices == nullptr || vertices == nullptr ||
        stride == 0 || (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32)) {
        return D3DERR_INVALIDCALL;
    }
    SetStreamSource(0, nullptr, 0);
    SetIndices(nullptr, 0);
    if (primitiveCount == 0) return D3D_OK;
    VertexLayout layout;
    HRESULT result = CurrentLayout(&layout);
    if (FAILED(result)) return result;
    const UINT indexSize = indexFormat == D3DFMT_INDEX32 ? 4 : 2;
    const UINT indexCount = VertexCountOf(type, primitiveCount);
    if (!RebaseIndices(static_cast<const BYTE*>(indices), indexSize, 0, indexCount, minIndex, vertexCount,
                       rebasedIndices)) {
        return D3DERR_INVALIDCALL;
    }
    VertexStreams streams;
    streams.data[0] = static_cast<const std::uint8_t*>(vertices);
    streams.size[0] = (minIndex + vertexCount) * stride;
    streams.stride[0] = stride;
    return Draw(type, primitiveCount, streams, layout, minIndex, vertexCount, rebasedIndices.data(), indexCount);
}
