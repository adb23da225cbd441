#include "render/grid.h"

#include <cmath>
#include <cstring>
#include <new>

#include "render/render.h"
#include "support/log.h"

// The rotation starts as the identity, so a ray-cast mode drawn before any
// Animate(t, true) looks straight ahead instead of dividing by zero.
float g_gridRotation[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
float g_gridBlobTime = 1.0f;
float g_gridFloorTime = 20.0f;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesToRadians = kPi / 180.0;

bool IsOneShot(unsigned mode)
{
    return mode == 0 || mode == 2 || mode == 4 || mode == 8 || mode == 9;
}

} // namespace

fx::fx()
{
    for (int i = 0; i < 256; ++i) {
        const BYTE entry = static_cast<BYTE>((std::sin(i * 2.0 * kPi / 256.0) + 1.0) * 28.0);
        sineA[i] = entry;
        sineB[i] = entry;
    }
    for (int k = 0; k < 3; ++k) {
        cosines[k] = static_cast<float>(std::cos(angles[k] * kDegreesToRadians));
        sines[k] = static_cast<float>(std::sin(angles[k] * kDegreesToRadians));
    }
}

fx::~fx()
{
    delete[] displayVertices;
    delete[] staticVertices;
    delete[] indices;
    if (vertexBuffer != nullptr) vertexBuffer->Release();
    if (indexBuffer != nullptr) indexBuffer->Release();
}

bool fx::Init(cRender* newRender, unsigned newWidth, unsigned newHeight, unsigned newCell)
{
    width = newWidth;
    height = newHeight;
    cell = newCell;
    render = newRender;
    device = render != nullptr ? render->GetDevice() : nullptr;
    if (device == nullptr || cell == 0) {
        return false;
    }
    cols = width / cell + 2;
    rows = height / cell + 2;
    triangleCount = 2 * (cols - 1) * (rows - 1);
    const unsigned vertexCount = cols * rows;

    displayVertices = new (std::nothrow) ScreenVertex[vertexCount];
    staticVertices = new (std::nothrow) ScreenVertex[vertexCount];
    indices = new (std::nothrow) WORD[triangleCount * 3];
    if (displayVertices == nullptr || staticVertices == nullptr || indices == nullptr) {
        return false;
    }

    for (unsigned row = 0; row < rows; ++row) {
        for (unsigned col = 0; col < cols; ++col) {
            ScreenVertex& vertex = displayVertices[row * cols + col];
            vertex.x = static_cast<float>(cell * col);
            vertex.y = static_cast<float>(cell * row);
            vertex.z = 0.99f;
            vertex.rhw = 1.0f;
            vertex.diffuse = 0x00FFFFFF;
            vertex.u = static_cast<float>(col) / static_cast<float>(cols);
            vertex.v = static_cast<float>(row) / static_cast<float>(rows);
        }
    }
    // The vertices mode 4/8 never reaches keep what the static array held:
    // start it as the plain grid, so they show the undistorted picture.
    std::memcpy(staticVertices, displayVertices, vertexCount * sizeof(ScreenVertex));

    WORD* index = indices;
    for (unsigned row = 0; row + 1 < rows; ++row) {
        for (unsigned col = 0; col + 1 < cols; ++col) {
            const WORD i = static_cast<WORD>(row * cols + col);
            const WORD c = static_cast<WORD>(cols);
            *index++ = i;
            *index++ = static_cast<WORD>(i + 1);
            *index++ = static_cast<WORD>(i + c + 1);
            *index++ = i;
            *index++ = static_cast<WORD>(i + c + 1);
            *index++ = static_cast<WORD>(i + c);
        }
    }

    const UINT vertexBytes = vertexCount * sizeof(ScreenVertex);
    const UINT indexBytes = triangleCount * 3 * sizeof(WORD);
    if (FAILED(device->CreateVertexBuffer(vertexBytes, D3DUSAGE_WRITEONLY, kScreenVertexFvf, D3DPOOL_DEFAULT,
                                          &vertexBuffer))) {
        vertexBuffer = nullptr;
        if (g_log) g_log->Print("fx : creation of vertex buffer failed");
        return false;
    }
    if (FAILED(
            device->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indexBuffer))) {
        indexBuffer = nullptr;
        if (g_log) g_log->Print("fx : creation of index buffer failed");
        return false;
    }
    BYTE* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cObject : cannot lock the vertex buffer");
        return false;
    }
    std::memcpy(data, displayVertices, vertexBytes);
    vertexBuffer->Unlock();
    if (FAILED(indexBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cObject : cannot lock the vertex buffer");
        return false;
    }
    std::memcpy(data, indices, indexBytes);
    indexBuffer->Unlock();
    return true;
}

bool fx::Update(unsigned newMode, float t)
{
    if (newMode != mode) {
        computed = false;
    }
    mode = newMode;
    if (displayVertices == nullptr || mode > 10) {
        return true;
    }
    if (IsOneShot(mode)) {
        if (computed) {
            return true;
        }
        computed = true;
    }
    switch (mode) {
    case 0:
        SpiralMap();
        break;
    case 1:
        SphereMap();
        break;
    case 2:
        PolarMap();
        break;
    case 3:
        FloorAndCeiling(t);
        break;
    case 4:
    case 8:
        ProjectedVortex();
        break;
    case 5:
        SineRipple(t);
        break;
    case 6:
        BlobRotozoom(t);
        break;
    case 7:
        Wobble(t);
        break;
    case 9:
        InversionMap();
        break;
    case 10:
        Tunnel(t);
        break;
    }
    return true;
}

void fx::Animate(float t, bool rotateOnly)
{
    if (rotateOnly) {
        BuildRotation(t);
        return;
    }
    if (displayVertices == nullptr) {
        return;
    }
    const double du = 0.003 * speed * t;
    const double dv = 0.001 * speed * t;
    for (unsigned i = 0; i < cols * rows; ++i) {
        displayVertices[i].u = static_cast<float>(staticVertices[i].u + du);
        displayVertices[i].v = static_cast<float>(staticVertices[i].v + dv);
        displayVertices[i].diffuse = staticVertices[i].diffuse;
    }
}

bool fx::Draw()
{
    BYTE* data = nullptr;
    if (vertexBuffer == nullptr || FAILED(vertexBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cObject : cannot lock the vertex buffer");
        return false;
    }
    std::memcpy(data, displayVertices, cols * rows * sizeof(ScreenVertex));
    vertexBuffer->Unlock();
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetIndices(indexBuffer, 0);
    device->SetStreamSource(0, vertexBuffer, sizeof(ScreenVertex));
    device->SetVertexShader(kScreenVertexFvf);
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, cols * rows, 0, triangleCount);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    return true;
}

void fx::BuildRotation(float t)
{
    const float rates[3] = {angleRates.x, angleRates.y, angleRates.z};
    const float bases[3] = {baseAngles.x, baseAngles.y, baseAngles.z};
    for (int k = 0; k < 3; ++k) {
        angles[k] = rates[k] * speed * t + bases[k];
        cosines[k] = static_cast<float>(std::cos(angles[k] * kDegreesToRadians));
        sines[k] = static_cast<float>(std::sin(angles[k] * kDegreesToRadians));
    }
    const float ca = cosines[0], sa = sines[0];
    const float cb = cosines[1], sb = sines[1];
    const float cc = cosines[2], sc = sines[2];
    float(&m)[3][3] = g_gridRotation;
    m[0][0] = sc * sb * sa + cc * ca;
    m[0][1] = sc * cb;
    m[0][2] = sa * cc - sb * sc * ca;
    m[1][0] = sa * sb * cc - sc * ca;
    m[1][1] = cc * cb;
    m[1][2] = -(sb * cc * ca) - sa * sc;
    m[2][0] = -(sa * cb);
    m[2][1] = sb;
    m[2][2] = cb * ca;
}
