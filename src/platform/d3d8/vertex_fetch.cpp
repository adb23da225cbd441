#include "platform/d3d8/vertex_fetch.h"

bool BindElement(const VertexElement& element, UINT size, const VertexStreams& streams, UINT first, UINT count,
                 BoundElement* bound)
{
    *bound = BoundElement{};
    if (!element.Present() || count == 0) return true;
    if (static_cast<DWORD>(element.stream) >= D3D_STREAM_COUNT) return false;
    const std::uint8_t* data = streams.data[element.stream];
    if (!data) return false;
    const std::uint64_t stride = streams.stride[element.stream];
    const std::uint64_t start = std::uint64_t{first} * stride + element.offset;
    const std::uint64_t end = (std::uint64_t{first} + count - 1) * stride + element.offset + size;
    if (end > streams.size[element.stream]) return false;
    bound->first = data + start;
    bound->stride = static_cast<std::size_t>(stride);
    bound->type = element.type;
    return true;
}

void LoadColor(const std::uint8_t* bytes, float out[4])
{
    DWORD color;
    std::memcpy(&color, bytes, sizeof color);
    constexpr float kScale = 1.0f / 255.0f;
    out[0] = static_cast<float>((color >> 16) & 0xFF) * kScale;
    out[1] = static_cast<float>((color >> 8) & 0xFF) * kScale;
    out[2] = static_cast<float>(color & 0xFF) * kScale;
    out[3] = static_cast<float>(color >> 24) * kScale;
}

void LoadElement(const std::uint8_t* bytes, DWORD type, float out[4])
{
    out[0] = out[1] = out[2] = 0.0f;
    out[3] = 1.0f;
    switch (type) {
    case D3DVSDT_FLOAT1:
    case D3DVSDT_FLOAT2:
    case D3DVSDT_FLOAT3:
    case D3DVSDT_FLOAT4: std::memcpy(out, bytes, (type - D3DVSDT_FLOAT1 + 1) * sizeof(float)); break;
    case D3DVSDT_D3DCOLOR: LoadColor(bytes, out); break;
    case D3DVSDT_UBYTE4:
        for (int i = 0; i < 4; ++i) out[i] = static_cast<float>(bytes[i]);
        break;
    case D3DVSDT_SHORT2:
    case D3DVSDT_SHORT4: {
        const int components = type == D3DVSDT_SHORT2 ? 2 : 4;
        for (int i = 0; i < components; ++i) {
            std::int16_t value;
            std::memcpy(&value, bytes + i * 2, sizeof value);
            out[i] = static_cast<float>(value);
        }
        break;
    }
    default: break;
    }
}
