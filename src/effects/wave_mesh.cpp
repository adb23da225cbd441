#include "effects/wave_mesh.h"

#include <cmath>
#include <numbers>

#include "render/render.h"
#include "support/random.h"

WaveRipple g_waveRipple;

namespace {

constexpr float pi = std::numbers::pi_v<float>;

float SignedDraw()
{
    float value = static_cast<float>(RandomNext() % 500);
    if (RandomNext() % 10 > 5) value = -value;
    return value;
}

} // namespace

cWaveMesh::cWaveMesh(unsigned cols, unsigned rows, float uScale, float vScale)
    : cols(cols), rows(rows), vertexCount(cols * rows),
      triangleCount(cols > 1 && rows > 1 ? 2 * (cols - 1) * (rows - 1) : 0)
{
    IDirect3DDevice8* device = g_render ? g_render->GetDevice() : nullptr;
    mesh = new cObjectDyn(vertexCount, triangleCount, device);
    rest = new cObjectDyn(vertexCount, triangleCount, device);
    mesh->vertices.resize(vertexCount);
    mesh->indices.resize(static_cast<size_t>(triangleCount) * 3);
    const float halfCols = static_cast<float>(cols / 2);
    const float halfRows = static_cast<float>(rows / 2);
    for (unsigned row = 0; row < rows; ++row) {
        for (unsigned col = 0; col < cols; ++col) {
            MeshVertex& v = mesh->vertices[row * cols + col];
            v.x = 10.0f * static_cast<float>(col) + 10.0f * (0.5f - halfCols);
            v.y = 10.0f * static_cast<float>(row) + 10.0f * (0.5f - halfRows);
            v.z = 0.0f;
            v.nx = v.ny = v.nz = 1.0f;
            v.u = static_cast<float>(col) / static_cast<float>(cols) * uScale;
            v.v = vScale - static_cast<float>(row) / static_cast<float>(rows) * vScale;
        }
    }
    size_t n = 0;
    for (unsigned row = 0; row + 1 < rows; ++row) {
        for (unsigned col = 0; col + 1 < cols; ++col) {
            const auto i = static_cast<std::uint16_t>(row * cols + col);
            const auto right = static_cast<std::uint16_t>(i + 1);
            const auto below = static_cast<std::uint16_t>(i + cols);
            const auto diagonal = static_cast<std::uint16_t>(i + cols + 1);
            for (std::uint16_t index : {i, right, diagonal, diagonal, below, i}) mesh->indices[n++] = index;
        }
    }
    rest->vertices = mesh->vertices;
    rest->indices = mesh->indices;
    mesh->Upload();

    swirl.assign(vertexCount, WaveSwirl{0.0f, 0.0f, 0.0f});
    for (unsigned row = 1; row + 1 < rows; ++row) {
        for (unsigned col = 1; col + 1 < cols; ++col) {
            WaveSwirl& s = swirl[row * cols + col];
            s.a = SignedDraw();
            s.b = SignedDraw();
            s.amp = static_cast<float>(RandomNext() % 10) + 10.0f;
        }
    }
}

cWaveMesh::~cWaveMesh()
{
    delete mesh;
    delete rest;
}

void cWaveMesh::Update(float timeMs, int mode)
{
    if (!g_render) return;
    g_render->SetBlendMode(2, 0);
    for (int k = 0; k < 2; ++k) {
        g_waveRipple.angles[k] += 1.0f;
        const float radians = g_waveRipple.angles[k] * pi / 180.0f;
        g_waveRipple.centreX[k] = static_cast<float>(cols / 2) + 10.0f * std::cos(radians);
        g_waveRipple.centreY[k] = static_cast<float>(rows / 2) - 10.0f * std::sin(radians);
    }
    if (mode == 1 || mode == 2) {
        if (mode == 1)
            Swirl(timeMs);
        else
            Ripple(timeMs);
        mesh->Upload();
    }
    g_render->DrawObject(mesh, 0);
}

void cWaveMesh::Swirl(float t)
{
    const float s0 = std::sin(pi * t * speed / 4000.0f);
    for (unsigned row = 1; row + 1 < rows; ++row) {
        for (unsigned col = 1; col + 1 < cols; ++col) {
            const unsigned i = row * cols + col;
            const WaveSwirl& w = swirl[i];
            const float s = w.amp * s0;
            mesh->vertices[i].x = rest->vertices[i].x + s * std::sin(pi * (t + w.b) / (w.a + 1000.0f));
            mesh->vertices[i].y = rest->vertices[i].y + s * std::sin(pi * (t + w.a) / (w.b + 1000.0f));
        }
    }
}

void cWaveMesh::Ripple(float t)
{
    const float waveSpeed = speed == 0.0f ? 0.1f : speed;
    const float lift = (std::sin(pi * t / (1000.0f / waveSpeed)) + 1.0f) * 15.0f;
    for (unsigned row = 1; row + 1 < rows; ++row) {
        for (unsigned col = 1; col + 1 < cols; ++col) {
            const float dx = static_cast<float>(col) - g_waveRipple.centreX[0];
            const float dy = static_cast<float>(row) - g_waveRipple.centreY[0];
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 20.0f) mesh->vertices[row * cols + col].z = (20.0f - d) * lift;
        }
    }
}
