#include "platform/d3d8/gl_state_cache.h"

#include <algorithm>
#include <cmath>

namespace {

// Not a number: compares unequal to every value, so the first call sends.
const float unknownFloat = std::nanf("");

} // namespace

void GlStateCache::Forget()
{
    for (int& flag : capabilities) flag = unknownFlag;
    blendSource = blendDestination = blendEquation = depthFunc = cullFace = unknown;
    depthMask = unknownFlag;
    depthRange = {unknownFloat, unknownFloat};
    polygonOffset = unknownFloat;
    stencilFunc = unknown;
    stencilReference = -1;
    stencilFuncMask = 0;
    stencilOps = {unknown, unknown, unknown};
    stencilMask = unknown;
    colorMask = unknownFlag;
    lineWidth = unknownFloat;
    viewport = scissor = {-1, -1, -1, -1};
    clearColor = {unknownFloat, unknownFloat, unknownFloat, unknownFloat};
    clearDepth = unknownFloat;
    clearStencil = -1;
    program = unknown;
    activeUnit = unknown;
    for (GLuint unit = 0; unit < textureUnits; ++unit) {
        textures[unit] = unknown;
        samplerBindings[unit] = unknown;
        samplerKnown[unit] = false;
    }
    readFramebuffer = drawFramebuffer = unknown;
    vertexArray = arrayBuffer = unknown;
    uniforms.clear();
}

int& GlStateCache::CapabilityFlag(GLenum capability)
{
    switch (capability) {
    case GL_BLEND: return capabilities[0];
    case GL_DEPTH_TEST: return capabilities[1];
    case GL_CULL_FACE: return capabilities[2];
    case GL_SCISSOR_TEST: return capabilities[3];
    case GL_STENCIL_TEST: return capabilities[4];
    default: return capabilities[5]; // GL_POLYGON_OFFSET_FILL
    }
}

void GlStateCache::Capability(GLenum capability, bool enabled)
{
    int& flag = CapabilityFlag(capability);
    if (flag == static_cast<int>(enabled)) return;
    flag = enabled;
    if (enabled) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void GlStateCache::BlendFunc(GLenum source, GLenum destination)
{
    if (source == blendSource && destination == blendDestination) return;
    blendSource = source;
    blendDestination = destination;
    glBlendFunc(source, destination);
}

void GlStateCache::BlendEquation(GLenum equation)
{
    if (equation == blendEquation) return;
    blendEquation = equation;
    glBlendEquation(equation);
}

void GlStateCache::DepthFunc(GLenum func)
{
    if (func == depthFunc) return;
    depthFunc = func;
    glDepthFunc(func);
}

void GlStateCache::DepthMask(bool write)
{
    if (depthMask == static_cast<int>(write)) return;
    depthMask = write;
    glDepthMask(write ? GL_TRUE : GL_FALSE);
}

void GlStateCache::DepthRange(float nearZ, float farZ)
{
    if (depthRange[0] == nearZ && depthRange[1] == farZ) return;
    depthRange = {nearZ, farZ};
    glDepthRangef(nearZ, farZ);
}

void GlStateCache::PolygonOffset(float units)
{
    if (polygonOffset == units) return;
    polygonOffset = units;
    glPolygonOffset(0.0f, units);
}

void GlStateCache::StencilFunc(GLenum func, GLint reference, GLuint mask)
{
    if (func == stencilFunc && reference == stencilReference && mask == stencilFuncMask) return;
    stencilFunc = func;
    stencilReference = reference;
    stencilFuncMask = mask;
    glStencilFunc(func, reference, mask);
}

void GlStateCache::StencilOp(GLenum fail, GLenum depthFail, GLenum pass)
{
    const std::array<GLenum, 3> ops{fail, depthFail, pass};
    if (ops == stencilOps) return;
    stencilOps = ops;
    glStencilOp(fail, depthFail, pass);
}

void GlStateCache::StencilMask(GLuint mask)
{
    if (mask == stencilMask) return;
    stencilMask = mask;
    glStencilMask(mask);
}

void GlStateCache::CullFace(GLenum face)
{
    if (face == cullFace) return;
    cullFace = face;
    glCullFace(face);
}

void GlStateCache::ColorMask(bool red, bool green, bool blue, bool alpha)
{
    const int mask = red | green << 1 | blue << 2 | alpha << 3;
    if (mask == colorMask) return;
    colorMask = mask;
    glColorMask(red, green, blue, alpha);
}

void GlStateCache::LineWidth(float width)
{
    if (width == lineWidth) return;
    lineWidth = width;
    glLineWidth(width);
}

void GlStateCache::Viewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    const std::array<GLint, 4> value{x, y, width, height};
    if (value == viewport) return;
    viewport = value;
    glViewport(x, y, width, height);
}

void GlStateCache::Scissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    const std::array<GLint, 4> value{x, y, width, height};
    if (value == scissor) return;
    scissor = value;
    glScissor(x, y, width, height);
}

void GlStateCache::ClearColor(const float rgba[4])
{
    const std::array<float, 4> value{rgba[0], rgba[1], rgba[2], rgba[3]};
    if (value == clearColor) return;
    clearColor = value;
    glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void GlStateCache::ClearDepth(float depth)
{
    if (depth == clearDepth) return;
    clearDepth = depth;
    glClearDepthf(depth);
}

void GlStateCache::ClearStencil(GLint stencil)
{
    if (stencil == clearStencil) return;
    clearStencil = stencil;
    glClearStencil(stencil);
}

void GlStateCache::UseProgram(GLuint value)
{
    if (value == program) return;
    program = value;
    glUseProgram(value);
}

void GlStateCache::BindTexture(GLuint unit, GLuint texture)
{
    if (textures[unit] == texture) return;
    if (activeUnit != unit) {
        activeUnit = unit;
        glActiveTexture(GL_TEXTURE0 + unit);
    }
    textures[unit] = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
}

void GlStateCache::BindTextureForUpdate(GLuint texture)
{
    if (activeUnit == unknown) {
        activeUnit = 0;
        glActiveTexture(GL_TEXTURE0);
    }
    BindTexture(activeUnit, texture);
}

void GlStateCache::BindSampler(GLuint unit, GLuint sampler)
{
    if (samplerBindings[unit] == sampler) return;
    samplerBindings[unit] = sampler;
    glBindSampler(unit, sampler);
}

void GlStateCache::SamplerParameters(DWORD stage, GLuint sampler, const GlSamplerSettings& settings, bool border)
{
    GlSamplerSettings& sent = samplerSettings[stage];
    const bool known = samplerKnown[stage];
    if (!known || sent.minFilter != settings.minFilter)
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, settings.minFilter);
    if (!known || sent.magFilter != settings.magFilter)
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, settings.magFilter);
    if (!known || sent.wrapS != settings.wrapS) glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, settings.wrapS);
    if (!known || sent.wrapT != settings.wrapT) glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, settings.wrapT);
    if (!known || sent.minLod != settings.minLod) glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, settings.minLod);
    if (border && (!known || sent.border != settings.border))
        glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, settings.border.data());
    sent = settings;
    samplerKnown[stage] = true;
}

void GlStateCache::BindFramebuffer(GLuint framebuffer)
{
    if (readFramebuffer == framebuffer && drawFramebuffer == framebuffer) return;
    readFramebuffer = drawFramebuffer = framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void GlStateCache::BindReadDrawFramebuffers(GLuint read, GLuint draw)
{
    if (readFramebuffer != read) {
        readFramebuffer = read;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, read);
    }
    if (drawFramebuffer != draw) {
        drawFramebuffer = draw;
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, draw);
    }
}

void GlStateCache::BindVertexArray(GLuint value)
{
    if (value == vertexArray) return;
    vertexArray = value;
    glBindVertexArray(value);
}

void GlStateCache::BindArrayBuffer(GLuint buffer)
{
    if (buffer == arrayBuffer) return;
    arrayBuffer = buffer;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
}

void GlStateCache::Uniform(GLuint programName, GLint location, const float* values, int count)
{
    if (location < 0) return;
    std::array<float, 4> next{};
    std::copy(values, values + count, next.begin());
    const std::uint64_t key = std::uint64_t{programName} << 32 | static_cast<std::uint32_t>(location);
    auto [entry, inserted] = uniforms.try_emplace(key, next);
    if (!inserted && entry->second == next) return;
    entry->second = next;
    switch (count) {
    case 1: glUniform1f(location, values[0]); break;
    case 3: glUniform3fv(location, 1, values); break;
    default: glUniform4fv(location, 1, values); break;
    }
}

void GlStateCache::ForgetTexture(GLuint texture)
{
    for (GLuint& bound : textures) {
        if (bound == texture) bound = unknown;
    }
}

void GlStateCache::ForgetFramebuffer(GLuint framebuffer)
{
    if (readFramebuffer == framebuffer) readFramebuffer = unknown;
    if (drawFramebuffer == framebuffer) drawFramebuffer = unknown;
}
