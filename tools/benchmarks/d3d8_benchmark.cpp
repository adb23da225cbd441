// Measures the Direct3D stand-in headless at 640x480 and prints figures:
//  (a) frames per second of ten full-screen textured, alpha-blended quads
//      through the device, beside the same pixels drawn with plain OpenGL;
//  (b) vertices per second of the CPU vertex pipeline on 20,000 lit, textured,
//      indexed triangles and on 1,000 point sprites;
//  (c) how often the fragment-program cache already held the program;
//  (d) OpenGL calls per frame of (a), by kind.
// REWIND_GL=es runs it on an OpenGL ES 3.0 context.
// Figures, not assertions: run it on a quiet machine and compare ratios.

#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device.h"
#include "platform/d3d8/gl.h"
#include "platform/d3d8/gl_dialect.h"
#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/primitive_assembly.h"
#include "platform/d3d8/vertex_pipeline.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct QuadVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};

constexpr int quadsPerFrame = 10;
constexpr int frames = 60;

double DeviceQuadsFps(IDirect3DDevice8* device, IDirect3DTexture8* texture)
{
    const QuadVertex quad[6] = {{0, 0, 0.5f, 1, 0x80FFFFFF, 0, 0},     {640, 0, 0.5f, 1, 0x80FFFFFF, 1, 0},
                                {0, 480, 0.5f, 1, 0x80FFFFFF, 0, 1},   {0, 480, 0.5f, 1, 0x80FFFFFF, 0, 1},
                                {640, 0, 0.5f, 1, 0x80FFFFFF, 1, 0},   {640, 480, 0.5f, 1, 0x80FFFFFF, 1, 1}};
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    auto frame = [&] {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        for (int i = 0; i < quadsPerFrame; ++i) device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof quad[0]);
        glFinish();
    };
    frame();
    TakeGlCallCounts();
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) frame();
    const double fps = frames / Seconds(start);
    const GlCallCounts calls = TakeGlCallCounts();
    const char* names[] = {"state", "binding", "sampler", "uniform", "upload", "draw", "other"};
    std::printf("(d) OpenGL calls per frame of (a) through the device:");
    for (int kind = 0; kind < static_cast<int>(GlCallKind::Count); ++kind) {
        std::printf(" %s %.1f", names[kind], static_cast<double>(calls[kind]) / frames);
    }
    std::printf("\n");
    return fps;
}

GLuint CompileProgram()
{
    const std::string header = RequestedGlDialect().ProgramHeader();
    const std::string vertexText = header +
                               "in vec4 aPosition; in vec4 aColor; in vec2 aTex;\n"
                               "out vec4 vColor; out vec2 vTex;\n"
                               "void main() { gl_Position = aPosition; vColor = aColor; vTex = aTex; }\n";
    const std::string fragmentText = header +
                                 "in vec4 vColor; in vec2 vTex; uniform sampler2D uTexture; out vec4 color;\n"
                                 "void main() { color = texture(uTexture, vTex) * vColor; }\n";
    const char* vertexSource = vertexText.c_str();
    const char* fragmentSource = fragmentText.c_str();
    GLuint program = glCreateProgram();
    for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertexSource}, {GL_FRAGMENT_SHADER, fragmentSource}}) {
        GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glBindAttribLocation(program, 0, "aPosition");
    glBindAttribLocation(program, 1, "aColor");
    glBindAttribLocation(program, 2, "aTex");
    glLinkProgram(program);
    return program;
}

// The same pixels with the fewest OpenGL calls: one program, one static
// buffer, ten draws a frame.
double PlainGlQuadsFps(const std::vector<std::uint32_t>& texels)
{
    GLuint framebuffer, color, texture, buffer, vertexArray;
    glGenTextures(1, &color);
    glBindTexture(GL_TEXTURE_2D, color);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 640, 480, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindSampler(0, 0);
    const float vertices[] = {-1, 1, 0, 1, 1, 1, 1, 0.5f, 0, 0,   1, 1, 0, 1, 1, 1, 1, 0.5f, 1, 0,
                              -1, -1, 0, 1, 1, 1, 1, 0.5f, 0, 1, -1, -1, 0, 1, 1, 1, 1, 0.5f, 0, 1,
                              1, 1, 0, 1, 1, 1, 1, 0.5f, 1, 0,   1, -1, 0, 1, 1, 1, 1, 0.5f, 1, 1};
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 40, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 40, reinterpret_cast<void*>(16));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 40, reinterpret_cast<void*>(32));
    GLuint program = CompileProgram();
    glUseProgram(program);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, 640, 480);
    auto frame = [] {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < quadsPerFrame; ++i) glDrawArrays(GL_TRIANGLES, 0, 6);
        glFinish();
    };
    frame();
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) frame();
    const double fps = frames / Seconds(start);
    glDeleteProgram(program);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(1, &texture);
    glDeleteTextures(1, &color);
    glDeleteFramebuffers(1, &framebuffer);
    return fps;
}

// A grid of lit, textured vertices and the indices of its triangles.
void MakeGrid(int side, std::vector<float>& vertices, std::vector<std::uint32_t>& indices)
{
    for (int y = 0; y <= side; ++y) {
        for (int x = 0; x <= side; ++x) {
            const float fx = static_cast<float>(x) / side - 0.5f;
            const float fy = static_cast<float>(y) / side - 0.5f;
            const float z = 3.0f + 0.2f * std::sin(fx * 9.0f) * std::cos(fy * 7.0f);
            vertices.insert(vertices.end(), {fx, fy, z, 0.0f, 0.6f, -0.8f, fx + 0.5f, fy + 0.5f});
        }
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const std::uint32_t a = y * (side + 1) + x;
            const std::uint32_t b = a + 1;
            const std::uint32_t c = a + side + 1;
            const std::uint32_t d = c + 1;
            indices.insert(indices.end(), {a, b, c, c, b, d});
        }
    }
}

DeviceState LitState()
{
    DeviceState state;
    D3DMATRIX projection{};
    projection.m[0][0] = 1.0f;
    projection.m[1][1] = 1.3333f;
    projection.m[2][2] = 1.0f;
    projection.m[2][3] = 1.0f;
    projection.m[3][2] = -0.1f;
    state.projection = projection;
    state.viewport = {0, 0, 640, 480, 0.0f, 1.0f};
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, 1, 0};
    state.lights[0] = LightSlot{light, true};
    state.material.Diffuse = {1, 1, 1, 1};
    state.material.Ambient = {1, 1, 1, 1};
    return state;
}

void PipelineFigures()
{
    std::vector<float> vertices;
    std::vector<std::uint32_t> indices;
    MakeGrid(100, vertices, indices); // 20,000 triangles over 10,201 vertices
    const DeviceState state = LitState();
    VertexLayout layout;
    LayoutFromFvf(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, &layout);
    VertexStreams streams;
    streams.data[0] = reinterpret_cast<const std::uint8_t*>(vertices.data());
    streams.size[0] = static_cast<UINT>(vertices.size() * sizeof(float));
    streams.stride[0] = 32;
    const UINT vertexCount = static_cast<UINT>(vertices.size() / 8);
    const UINT triangleCount = static_cast<UINT>(indices.size() / 3);

    std::vector<ProcessedVertex> processed;
    AssembledPrimitives assembled;
    const int rounds = 40;
    auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) ProcessVertices(state, layout, streams, 0, vertexCount, processed);
    const double transformSeconds = Seconds(start);
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        AssemblePrimitives(state, D3DPT_TRIANGLELIST, triangleCount, processed, indices.data(),
                           static_cast<UINT>(indices.size()), assembled);
    }
    const double assemblySeconds = Seconds(start);
    std::printf("(b) lit mesh, %u triangles over %u vertices (FVF 0x112, one directional light):\n", triangleCount,
                vertexCount);
    std::printf("    vertex processing      %6.2f million vertices/s\n", rounds * vertexCount / transformSeconds / 1e6);
    std::printf("    with primitive assembly %5.2f million vertices/s (%.2f million triangles/s)\n",
                rounds * vertexCount / (transformSeconds + assemblySeconds) / 1e6,
                rounds * triangleCount / (transformSeconds + assemblySeconds) / 1e6);

    struct SpriteVertex {
        float x, y, z, size;
        D3DCOLOR color;
    };
    std::vector<SpriteVertex> sprites;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-1.0f, 1.0f);
    for (int i = 0; i < 1000; ++i) sprites.push_back({spread(random), spread(random), 3.0f + spread(random), 4.0f,
                                                     0xFFFFFFFF});
    DeviceState spriteState = LitState();
    spriteState.renderStates[D3DRS_LIGHTING] = FALSE;
    spriteState.renderStates[D3DRS_POINTSPRITEENABLE] = TRUE;
    spriteState.renderStates[D3DRS_POINTSCALEENABLE] = TRUE;
    VertexLayout spriteLayout;
    LayoutFromFvf(D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE, &spriteLayout);
    VertexStreams spriteStreams;
    spriteStreams.data[0] = reinterpret_cast<const std::uint8_t*>(sprites.data());
    spriteStreams.size[0] = static_cast<UINT>(sprites.size() * sizeof(SpriteVertex));
    spriteStreams.stride[0] = sizeof(SpriteVertex);
    const int spriteRounds = 400;
    start = Clock::now();
    for (int i = 0; i < spriteRounds; ++i) {
        ProcessVertices(spriteState, spriteLayout, spriteStreams, 0, 1000, processed);
        AssemblePrimitives(spriteState, D3DPT_POINTLIST, 1000, processed, nullptr, 0, assembled);
    }
    std::printf("(b) 1,000 scaled point sprites: %.2f million sprites/s processed and expanded\n",
                spriteRounds * 1000 / Seconds(start) / 1e6);
}

} // namespace

int main()
{
    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = CreateHeadlessDevice(640, 480, &direct3d);
    if (device == nullptr) {
        std::fprintf(stderr, "benchmark: no device\n");
        return 1;
    }
    std::printf("renderer: %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));

    std::vector<std::uint32_t> texels(256 * 256);
    std::mt19937 random(1);
    for (auto& texel : texels) texel = random() | 0x80000000u;
    IDirect3DTexture8* texture = nullptr;
    device->CreateTexture(256, 256, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 256; ++y) std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch, &texels[y * 256], 1024);
    texture->UnlockRect(0);

    const double deviceFps = DeviceQuadsFps(device, texture);
    const double plainFps = PlainGlQuadsFps(texels);
    // The plain OpenGL figures changed GL state behind the device's back.
    static_cast<Device*>(device)->ForgetGlState();
    std::printf("(a) %d full-screen textured, blended quads a frame at 640x480:\n", quadsPerFrame);
    std::printf("    through the device %7.1f frames/s\n    plain OpenGL       %7.1f frames/s\n", deviceFps, plainFps);
    std::printf("    ratio              %7.3f\n", deviceFps / plainFps);

    PipelineFigures();

    // A frame's worth of the state changes effects make, repeated.
    const DWORD blends[][2] = {{D3DBLEND_ONE, D3DBLEND_ZERO}, {D3DBLEND_SRCALPHA, D3DBLEND_ONE},
                               {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}};
    const DWORD operations[] = {D3DTOP_MODULATE, D3DTOP_SELECTARG1, D3DTOP_ADD};
    const QuadVertex quad[3] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {64, 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                                {0, 64, 0.5f, 1, 0xFFFFFFFF, 0, 1}};
    for (int frame = 0; frame < 100; ++frame) {
        for (const auto& blend : blends) {
            for (DWORD operation : operations) {
                device->SetRenderState(D3DRS_SRCBLEND, blend[0]);
                device->SetRenderState(D3DRS_DESTBLEND, blend[1]);
                device->SetTextureStageState(0, D3DTSS_COLOROP, operation);
                device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, quad, sizeof quad[0]);
            }
        }
    }
    const auto& programs = static_cast<Device*>(device)->Programs();
    const double lookups = static_cast<double>(programs.Hits() + programs.Misses());
    std::printf("(c) fragment programs: %llu made, %llu reused, hit rate %.4f\n",
                static_cast<unsigned long long>(programs.Misses()), static_cast<unsigned long long>(programs.Hits()),
                programs.Hits() / lookups);

    device->SetTexture(0, nullptr);
    texture->Release();
    device->Release();
    direct3d->Release();
    return 0;
}
