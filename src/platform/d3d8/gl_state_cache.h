#pragma once
// What the device last sent to OpenGL, so that it sends only what changed: a
// draw whose state matches the previous one costs no state call at all. Every
// state change of the device goes through here; whatever changes GL state
// another way calls Forget() (or the narrower forgetting below), and the next
// call of each kind is sent again.
//
// Starts knowing nothing: each value is unknown until first sent.

#include <array>
#include <cstdint>
#include <unordered_map>

#include "platform/d3d8/d3d8_types.h"
#include "platform/d3d8/gl.h"

struct GlSamplerSettings {
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLint magFilter = GL_LINEAR;
    GLint wrapS = GL_REPEAT;
    GLint wrapT = GL_REPEAT;
    float minLod = -1000.0f;
    std::array<float, 4> border{}; // sent only where the dialect has border addressing
};

class GlStateCache {
public:
    GlStateCache() { Forget(); }

    void Forget();

    // GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_SCISSOR_TEST, GL_STENCIL_TEST,
    // GL_POLYGON_OFFSET_FILL.
    void Capability(GLenum capability, bool enabled);
    void BlendFunc(GLenum source, GLenum destination);
    void BlendEquation(GLenum equation);
    void DepthFunc(GLenum func);
    void DepthMask(bool write);
    void DepthRange(float nearZ, float farZ);
    void PolygonOffset(float units);
    void StencilFunc(GLenum func, GLint reference, GLuint mask);
    void StencilOp(GLenum fail, GLenum depthFail, GLenum pass);
    void StencilMask(GLuint mask);
    void CullFace(GLenum face);
    void ColorMask(bool red, bool green, bool blue, bool alpha);
    void LineWidth(float width);
    void Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void Scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void ClearColor(const float rgba[4]);
    void ClearDepth(float depth);
    void ClearStencil(GLint stencil);

    void UseProgram(GLuint program);
    // Binds `texture` on texture unit `unit`, activating the unit first when
    // another one is active.
    void BindTexture(GLuint unit, GLuint texture);
    // Binds `texture` on whichever unit is active, to create or fill it.
    void BindTextureForUpdate(GLuint texture);
    void BindSampler(GLuint unit, GLuint sampler);
    // `stage` indexes the device's own sampler objects, one per stage.
    void SamplerParameters(DWORD stage, GLuint sampler, const GlSamplerSettings& settings, bool border);
    void BindFramebuffer(GLuint framebuffer); // both read and draw
    void BindReadDrawFramebuffers(GLuint read, GLuint draw);
    void BindVertexArray(GLuint vertexArray);
    void BindArrayBuffer(GLuint buffer);

    // A float, vec3 or vec4 uniform (`count` 1, 3 or 4) of the current
    // program; values are kept per program and location.
    void Uniform(GLuint program, GLint location, const float* values, int count);

    // GL unbinds a deleted object; names are reused afterwards.
    void ForgetTexture(GLuint texture);
    void ForgetFramebuffer(GLuint framebuffer);
    // A newly linked program was made current to set its sampler units.
    void ForgetProgram() { program = unknown; }

private:
    static constexpr GLuint unknown = 0xFFFFFFFFu;
    static constexpr int unknownFlag = -1;
    static constexpr int capabilityCount = 6;
    static constexpr int textureUnits = D3D_STAGE_COUNT;

    int& CapabilityFlag(GLenum capability);

    int capabilities[capabilityCount];
    GLenum blendSource, blendDestination, blendEquation, depthFunc, cullFace;
    int depthMask;
    std::array<float, 2> depthRange;
    float polygonOffset;
    GLenum stencilFunc;
    GLint stencilReference;
    GLuint stencilFuncMask;
    std::array<GLenum, 3> stencilOps;
    GLuint stencilMask;
    int colorMask;
    float lineWidth;
    std::array<GLint, 4> viewport, scissor;
    std::array<float, 4> clearColor;
    float clearDepth;
    GLint clearStencil;

    GLuint program;
    GLuint activeUnit;
    GLuint textures[textureUnits];
    GLuint samplerBindings[textureUnits];
    GlSamplerSettings samplerSettings[textureUnits];
    bool samplerKnown[textureUnits];
    GLuint readFramebuffer, drawFramebuffer;
    GLuint vertexArray, arrayBuffer;

    std::unordered_map<std::uint64_t, std::array<float, 4>> uniforms;
};
