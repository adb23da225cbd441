#include "platform/d3d8/vertex_layout.h"

namespace {

constexpr DWORD kFloatSize = 4;

// The two-bit size code of set n in the FVF's high word: 0 means two floats,
// so that an FVF written without size codes describes 2D sets.
DWORD FvfTexCoordSize(DWORD fvf, DWORD set)
{
    switch ((fvf >> (set * 2 + 16)) & 3) {
    case D3DFVF_TEXTUREFORMAT1: return 1;
    case D3DFVF_TEXTUREFORMAT3: return 3;
    case D3DFVF_TEXTUREFORMAT4: return 4;
    default: return 2;
    }
}

DWORD FloatType(DWORD count) { return D3DVSDT_FLOAT1 + count - 1; }

void Place(VertexElement& element, int stream, UINT& offset, DWORD type, UINT size)
{
    element.stream = stream;
    element.offset = offset;
    element.type = type;
    offset += size;
}

// How many components a declared texture coordinate set carries: the
// expansion of missing ones depends on it.
DWORD ComponentCount(DWORD type)
{
    switch (type) {
    case D3DVSDT_FLOAT1: return 1;
    case D3DVSDT_FLOAT2:
    case D3DVSDT_SHORT2: return 2;
    case D3DVSDT_FLOAT3: return 3;
    default: return 4;
    }
}

VertexElement* ElementOfRegister(VertexLayout& layout, DWORD reg)
{
    switch (reg) {
    case D3DVSDE_POSITION: return &layout.position;
    case D3DVSDE_BLENDWEIGHT: return &layout.blendWeights;
    case D3DVSDE_BLENDINDICES: return &layout.blendIndices;
    case D3DVSDE_NORMAL: return &layout.normal;
    case D3DVSDE_PSIZE: return &layout.pointSize;
    case D3DVSDE_DIFFUSE: return &layout.diffuse;
    case D3DVSDE_SPECULAR: return &layout.specular;
    case D3DVSDE_POSITION2: return &layout.position2;
    case D3DVSDE_NORMAL2: return &layout.normal2;
    default:
        if (reg >= D3DVSDE_TEXCOORD0 && reg <= D3DVSDE_TEXCOORD7) return &layout.texCoords[reg - D3DVSDE_TEXCOORD0];
        return nullptr;
    }
}

} // namespace

UINT VertexDataTypeSize(DWORD type)
{
    switch (type) {
    case D3DVSDT_FLOAT1: return 4;
    case D3DVSDT_FLOAT2: return 8;
    case D3DVSDT_FLOAT3: return 12;
    case D3DVSDT_FLOAT4: return 16;
    case D3DVSDT_D3DCOLOR: return 4;
    case D3DVSDT_UBYTE4: return 4;
    case D3DVSDT_SHORT2: return 4;
    case D3DVSDT_SHORT4: return 8;
    default: return 0;
    }
}

bool LayoutFromFvf(DWORD fvf, VertexLayout* layout)
{
    if (!layout || (fvf & (D3DFVF_RESERVED0 | D3DFVF_RESERVED2))) return false;
    const DWORD positionType = fvf & D3DFVF_POSITION_MASK;
    const DWORD texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (positionType == 0 || texCount > 8) return false;
    // Screen-space vertices have nothing to light; Direct3D refuses a normal with them.
    if (positionType == D3DFVF_XYZRHW && (fvf & D3DFVF_NORMAL)) return false;
    const DWORD betaCount = positionType >= D3DFVF_XYZB1 ? (positionType - D3DFVF_XYZB1) / 2 + 1 : 0;
    const bool lastBetaIndices = (fvf & D3DFVF_LASTBETA_UBYTE4) != 0;
    if (lastBetaIndices && betaCount == 0) return false;

    VertexLayout result;
    UINT offset = 0;
    result.pretransformed = positionType == D3DFVF_XYZRHW;
    Place(result.position, 0, offset, result.pretransformed ? D3DVSDT_FLOAT4 : D3DVSDT_FLOAT3,
          result.pretransformed ? 16 : 12);
    result.weightCount = lastBetaIndices ? betaCount - 1 : betaCount;
    if (result.weightCount > 0) {
        const DWORD typeCount = result.weightCount < 4 ? result.weightCount : 4;
        Place(result.blendWeights, 0, offset, FloatType(typeCount), result.weightCount * kFloatSize);
    }
    if (lastBetaIndices) Place(result.blendIndices, 0, offset, D3DVSDT_UBYTE4, 4);
    if (fvf & D3DFVF_NORMAL) Place(result.normal, 0, offset, D3DVSDT_FLOAT3, 12);
    if (fvf & D3DFVF_PSIZE) Place(result.pointSize, 0, offset, D3DVSDT_FLOAT1, 4);
    if (fvf & D3DFVF_DIFFUSE) Place(result.diffuse, 0, offset, D3DVSDT_D3DCOLOR, 4);
    if (fvf & D3DFVF_SPECULAR) Place(result.specular, 0, offset, D3DVSDT_D3DCOLOR, 4);
    for (DWORD set = 0; set < texCount; ++set) {
        const DWORD size = FvfTexCoordSize(fvf, set);
        Place(result.texCoords[set], 0, offset, FloatType(size), size * kFloatSize);
        result.texCoordSize[set] = size;
    }
    result.texCoordCount = texCount;
    result.fvfStride = offset;
    *layout = result;
    return true;
}

bool LayoutFromDeclaration(const DWORD* tokens, std::size_t maxTokens, VertexLayout* layout)
{
    if (!tokens || !layout) return false;
    constexpr DWORD kStreamTessellatorFlag = 1u << 28;
    constexpr DWORD kStreamIndexMask = 0xF;
    constexpr DWORD kRegisterMask = 0x1F;
    constexpr DWORD kSkipMask = 0x1u << 28;

    VertexLayout result;
    int stream = -1;
    UINT offset = 0;
    for (std::size_t i = 0; i < maxTokens; ++i) {
        const DWORD token = tokens[i];
        if (token == D3DVSD_END()) {
            *layout = result;
            return true;
        }
        switch (token >> D3DVSD_TOKENTYPESHIFT) {
        case D3DVSD_TOKEN_NOP:
            if (token != 0) return false;
            break;
        case D3DVSD_TOKEN_STREAM:
            if (token & kStreamTessellatorFlag) return false;
            if ((token & ~(D3DVSD_TOKEN_STREAM << D3DVSD_TOKENTYPESHIFT)) > kStreamIndexMask) return false;
            stream = static_cast<int>(token & kStreamIndexMask);
            offset = 0;
            break;
        case D3DVSD_TOKEN_STREAMDATA: {
            if (stream < 0) return false;
            if (token & kSkipMask) {
                offset += ((token >> D3DVSD_SKIPCOUNTSHIFT) & 0xF) * kFloatSize;
                break;
            }
            const DWORD type = (token >> D3DVSD_DATATYPESHIFT) & 0xF;
            const UINT size = VertexDataTypeSize(type);
            VertexElement* element = ElementOfRegister(result, token & kRegisterMask);
            if (size == 0 || !element || element->Present()) return false;
            Place(*element, stream, offset, type, size);
            const DWORD reg = token & kRegisterMask;
            if (reg == D3DVSDE_BLENDWEIGHT) result.weightCount = ComponentCount(type);
            if (reg >= D3DVSDE_TEXCOORD0 && reg <= D3DVSDE_TEXCOORD7) {
                const DWORD set = reg - D3DVSDE_TEXCOORD0;
                result.texCoordSize[set] = ComponentCount(type);
                if (set + 1 > result.texCoordCount) result.texCoordCount = set + 1;
            }
            break;
        }
        default: return false;
        }
    }
    return false;
}
