#pragma once
// The OpenGL side of the device: the context, the generated programs, the
// framebuffers for each render-target pairing and the draw itself. Every GL
// object of the device is made and deleted through here, on the one thread
// that owns the context.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/fragment_program.h"
#include "platform/d3d8/gl.h"
#include "platform/d3d8/gl_context.h"
#include "platform/d3d8/gl_state_cache.h"
#include "platform/d3d8/primitive_assembly.h"

// A colour surface as OpenGL sees it: a texture level, `scale` times the
// logical size for render targets.
struct GlColorTarget {
    GLuint texture = 0;
    GLint level = 0;
    int width = 0; // in OpenGL pixels
    int height = 0;
};

struct GlDepthTarget {
    GLuint renderbuffer = 0;
};

// What a texture stage samples.
struct GlTextureBinding {
    GLuint texture = 0;
    int levelCount = 1;
};

class GlDevice {
public:
    GlDevice(std::unique_ptr<GlContext> context, int scale);
    ~GlDevice();
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    int Scale() const { return scale; }
    GlContext& Context() { return *context; }
    const GlDialect& Dialect() const { return context->Dialect(); }

    GLuint CreateTexture(int width, int height, int levelCount, bool opaque);
    // Converts a mip level's texels to RGBA8 and uploads them.
    void UploadTextureLevel(GLuint texture, int level, int width, int height, D3DFORMAT format,
                            const std::uint8_t* texels);
    GLuint CreateDepthRenderbuffer(int width, int height);
    void DeleteTexture(GLuint texture);
    void DeleteRenderbuffer(GLuint renderbuffer);

    void Clear(const GlColorTarget& color, const GlDepthTarget& depth, const D3DVIEWPORT8& viewport, DWORD flags,
               D3DCOLOR colorValue, float z, DWORD stencil);

    void Draw(const DeviceState& state, const GlColorTarget& color, const GlDepthTarget& depth,
              const GlTextureBinding textures[D3D_STAGE_COUNT], const AssembledPrimitives& primitives);

    // The colour target's pixels, top row first, 8-bit RGBA.
    void ReadPixels(const GlColorTarget& color, std::vector<std::uint8_t>& rgba);

    // Shows the colour target in the window, scaled to fit with 4:3 bars.
    void PresentToWindow(const GlColorTarget& color);

    const FragmentProgramCache& Programs() const { return programs; }
    void ForgetState() { gl.Forget(); }

private:
    GLuint Framebuffer(const GlColorTarget& color, const GlDepthTarget& depth);
    void ApplyOutputState(const DeviceState& state, bool hasDepth, Topology topology);
    void BindTextures(const DeviceState& state, const FragmentProgramKey& key, const GlColorTarget& color,
                      const GlTextureBinding textures[D3D_STAGE_COUNT]);
    void ApplySampler(DWORD stage, const DeviceState& state, int levelCount);
    GLuint FeedbackCopy(const GlColorTarget& color);
    void UploadVertices(const std::vector<ProcessedVertex>& vertices);
    void SetUniforms(const DeviceState& state, const FragmentProgramKey& key, const FragmentProgram& program);

    std::unique_ptr<GlContext> context;
    int scale;
    GlStateCache gl;
    FragmentProgramCache programs;
    std::map<std::tuple<GLuint, GLint, GLuint>, GLuint> framebuffers;
    GLuint samplers[D3D_STAGE_COUNT] = {};
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    std::vector<ProcessedVertex> uploadedVertices; // what the vertex buffer holds
    std::vector<std::uint8_t> convertedTexels;
    GLuint feedbackTexture = 0; // a copy of the render target, when a stage samples it
    int feedbackWidth = 0;
    int feedbackHeight = 0;
};
