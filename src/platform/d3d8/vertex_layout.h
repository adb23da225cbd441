#pragma once
// Where each element of a vertex lies: decoded once from an FVF code or a
// vertex shader declaration, then used by the vertex pipeline to read
// vertices straight out of the bound streams.

#include <cstddef>

#include "platform/d3d8/d3d8_types.h"

struct VertexElement {
    int stream = -1; // -1: the vertex has no such element
    UINT offset = 0; // bytes from the start of the vertex in its stream
    DWORD type = D3DVSDT_FLOAT3;

    bool Present() const { return stream >= 0; }
};

struct VertexLayout {
    bool pretransformed = false; // XYZRHW: screen position and reciprocal w
    VertexElement position;
    VertexElement blendWeights; // weightCount floats
    DWORD weightCount = 0;
    VertexElement blendIndices; // four bytes (D3DFVF_LASTBETA_UBYTE4)
    VertexElement normal;
    VertexElement pointSize;
    VertexElement diffuse;
    VertexElement specular;
    VertexElement texCoords[8];
    DWORD texCoordSize[8] = {}; // 1 to 4 floats per set
    DWORD texCoordCount = 0;
    VertexElement position2; // the second position and normal of tweening
    VertexElement normal2;
    UINT fvfStride = 0; // bytes per vertex of an FVF layout (stream 0)
};

// False for FVF codes with bits Direct3D 8 does not define, or a position
// type it cannot take.
bool LayoutFromFvf(DWORD fvf, VertexLayout* layout);

// Reads declaration tokens up to D3DVSD_END, never more than maxTokens.
// False for unknown tokens, registers or data types, or a missing end.
bool LayoutFromDeclaration(const DWORD* tokens, std::size_t maxTokens, VertexLayout* layout);

// Bytes one element of the given D3DVSDT_ type occupies.
UINT VertexDataTypeSize(DWORD type);
