#include "platform/d3d8/gl_device.h"

#include <algorithm>
#include <cstddef>

namespace {

GLenum BlendFactor(DWORD blend)
{
    switch (blend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op)
{
    switch (op) {
    case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN: return GL_MIN;
    case D3DBLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
    }
}

GLenum CompareFunction(DWORD func)
{
    switch (func) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum StencilOperation(DWORD op)
{
    switch (op) {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR;
    case D3DSTENCILOP_DECRSAT: return GL_DECR;
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

GLint AddressMode(DWORD mode)
{
    switch (mode) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    case D3DTADDRESS_MIRRORONCE: return GL_MIRROR_CLAMP_TO_EDGE;
    default: return GL_REPEAT;
    }
}

void ColorToFloats(D3DCOLOR color, float out[4])
{
    out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(color & 0xFF) / 255.0f;
    out[3] = static_cast<float>((color >> 24) & 0xFF) / 255.0f;
}

void SetCapability(GLenum capability, bool enabled)
{
    if (enabled) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void ScissorToViewport(const D3DVIEWPORT8& viewport, int scale)
{
    glViewport(static_cast<GLint>(viewport.X) * scale, static_cast<GLint>(viewport.Y) * scale,
               static_cast<GLsizei>(viewport.Width) * scale, static_cast<GLsizei>(viewport.Height) * scale);
    glScissor(static_cast<GLint>(viewport.X) * scale, static_cast<GLint>(viewport.Y) * scale,
              static_cast<GLsizei>(viewport.Width) * scale, static_cast<GLsizei>(viewport.Height) * scale);
    glEnable(GL_SCISSOR_TEST);
}

} // namespace

GlDevice::GlDevice(std::unique_ptr<GlContext> context, int scale) : context(std::move(context)), scale(scale)
{
    glGenSamplers(D3D_STAGE_COUNT, samplers);
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    const GLsizei stride = sizeof(ProcessedVertex);
    auto attribute = [stride](GLuint location, GLint size, std::size_t offset) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
    };
    attribute(ATTRIBUTE_POSITION, 4, offsetof(ProcessedVertex, position));
    attribute(ATTRIBUTE_DIFFUSE, 4, offsetof(ProcessedVertex, diffuse));
    attribute(ATTRIBUTE_SPECULAR, 4, offsetof(ProcessedVertex, specular));
    attribute(ATTRIBUTE_FOG, 1, offsetof(ProcessedVertex, fog));
    for (GLuint stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        attribute(ATTRIBUTE_TEXCOORD0 + stage, 4, offsetof(ProcessedVertex, texCoords) + stage * 4 * sizeof(float));
    }
    // Direct3D's flat shading takes a triangle's first vertex.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    // A Direct3D-clockwise triangle arrives counter-clockwise in OpenGL's
    // window coordinates, since rows keep Direct3D's order.
    glFrontFace(GL_CCW);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

GlDevice::~GlDevice()
{
    for (auto& entry : framebuffers) {
        glDeleteFramebuffers(1, &entry.second);
    }
    glDeleteSamplers(D3D_STAGE_COUNT, samplers);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteVertexArrays(1, &vertexArray);
    if (feedbackTexture != 0) {
        glDeleteTextures(1, &feedbackTexture);
    }
}

GLuint GlDevice::CreateTexture(int width, int height, int levelCount, bool opaque)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    int levelWidth = width;
    int levelHeight = height;
    for (int level = 0; level < levelCount; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, levelWidth, levelHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        levelWidth = std::max(1, levelWidth / 2);
        levelHeight = std::max(1, levelHeight / 2);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levelCount - 1);
    if (opaque) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    }
    return texture;
}

GLuint GlDevice::CreateDepthRenderbuffer(int width, int height)
{
    GLuint renderbuffer = 0;
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    return renderbuffer;
}

void GlDevice::DeleteTexture(GLuint texture)
{
    for (auto it = framebuffers.begin(); it != framebuffers.end();) {
        if (std::get<0>(it->first) == texture) {
            glDeleteFramebuffers(1, &it->second);
            it = framebuffers.erase(it);
        } else {
            ++it;
        }
    }
    glDeleteTextures(1, &texture);
}

void GlDevice::DeleteRenderbuffer(GLuint renderbuffer)
{
    for (auto it = framebuffers.begin(); it != framebuffers.end();) {
        if (std::get<2>(it->first) == renderbuffer) {
            glDeleteFramebuffers(1, &it->second);
            it = framebuffers.erase(it);
        } else {
            ++it;
        }
    }
    glDeleteRenderbuffers(1, &renderbuffer);
}

GLuint GlDevice::Framebuffer(const GlColorTarget& color, const GlDepthTarget& depth)
{
    auto key = std::make_tuple(color.texture, color.level, depth.renderbuffer);
    auto found = framebuffers.find(key);
    if (found != framebuffers.end()) {
        glBindFramebuffer(GL_FRAMEBUFFER, found->second);
        return found->second;
    }
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color.texture, color.level);
    if (depth.renderbuffer != 0) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth.renderbuffer);
    }
    framebuffers.emplace(key, framebuffer);
    return framebuffer;
}

void GlDevice::Clear(const GlColorTarget& color, const GlDepthTarget& depth, const D3DVIEWPORT8& viewport,
                     DWORD flags, D3DCOLOR colorValue, float z, DWORD stencil)
{
    Framebuffer(color, depth);
    ScissorToViewport(viewport, scale);
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        float rgba[4];
        ColorToFloats(colorValue, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (depth.renderbuffer != 0 && (flags & D3DCLEAR_ZBUFFER)) {
        glClearDepth(std::clamp(z, 0.0f, 1.0f));
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (depth.renderbuffer != 0 && (flags & D3DCLEAR_STENCIL)) {
        glClearStencil(static_cast<GLint>(stencil & 0xFF));
        glStencilMask(0xFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask != 0) {
        glClear(mask);
    }
}

void GlDevice::ApplyOutputState(const DeviceState& state, bool hasDepth, bool pretransformed, Topology topology)
{
    SetCapability(GL_BLEND, state.RenderState(D3DRS_ALPHABLENDENABLE) != FALSE);
    DWORD source = state.RenderState(D3DRS_SRCBLEND);
    DWORD destination = state.RenderState(D3DRS_DESTBLEND);
    if (source == D3DBLEND_BOTHSRCALPHA) {
        source = D3DBLEND_SRCALPHA;
        destination = D3DBLEND_INVSRCALPHA;
    } else if (source == D3DBLEND_BOTHINVSRCALPHA) {
        source = D3DBLEND_INVSRCALPHA;
        destination = D3DBLEND_SRCALPHA;
    }
    glBlendFunc(BlendFactor(source), BlendFactor(destination));
    glBlendEquation(BlendEquation(state.RenderState(D3DRS_BLENDOP)));

    const bool depthTest = hasDepth && state.RenderState(D3DRS_ZENABLE) != D3DZB_FALSE;
    SetCapability(GL_DEPTH_TEST, depthTest);
    glDepthFunc(CompareFunction(state.RenderState(D3DRS_ZFUNC)));
    glDepthMask(depthTest && state.RenderState(D3DRS_ZWRITEENABLE) ? GL_TRUE : GL_FALSE);
    // Pre-transformed vertices are not clipped against the depth range.
    SetCapability(GL_DEPTH_CLAMP, pretransformed);
    // ZBIAS 0..16 pulls coplanar geometry towards the viewer by whole depth steps.
    const DWORD bias = state.RenderState(D3DRS_ZBIAS);
    SetCapability(GL_POLYGON_OFFSET_FILL, bias != 0);
    SetCapability(GL_POLYGON_OFFSET_LINE, bias != 0);
    glPolygonOffset(0.0f, -static_cast<float>(bias));

    const bool stencil = hasDepth && state.RenderState(D3DRS_STENCILENABLE) != FALSE;
    SetCapability(GL_STENCIL_TEST, stencil);
    if (stencil) {
        glStencilFunc(CompareFunction(state.RenderState(D3DRS_STENCILFUNC)),
                      static_cast<GLint>(state.RenderState(D3DRS_STENCILREF)), state.RenderState(D3DRS_STENCILMASK));
        glStencilOp(StencilOperation(state.RenderState(D3DRS_STENCILFAIL)),
                    StencilOperation(state.RenderState(D3DRS_STENCILZFAIL)),
                    StencilOperation(state.RenderState(D3DRS_STENCILPASS)));
        glStencilMask(state.RenderState(D3DRS_STENCILWRITEMASK));
    }

    const DWORD cull = state.RenderState(D3DRS_CULLMODE);
    SetCapability(GL_CULL_FACE, topology == Topology::Triangles && (cull == D3DCULL_CW || cull == D3DCULL_CCW));
    glCullFace(cull == D3DCULL_CW ? GL_FRONT : GL_BACK);

    GLenum fill = GL_FILL;
    if (state.RenderState(D3DRS_FILLMODE) == D3DFILL_WIREFRAME) fill = GL_LINE;
    if (state.RenderState(D3DRS_FILLMODE) == D3DFILL_POINT) fill = GL_POINT;
    glPolygonMode(GL_FRONT_AND_BACK, fill);
    glLineWidth(static_cast<float>(scale));
    glPointSize(static_cast<float>(scale));

    const DWORD writeMask = state.RenderState(D3DRS_COLORWRITEENABLE);
    glColorMask((writeMask & 1) != 0, (writeMask & 2) != 0, (writeMask & 4) != 0, (writeMask & 8) != 0);
}

void GlDevice::ApplySampler(DWORD stage, const DeviceState& state, int levelCount)
{
    const GLuint sampler = samplers[stage];
    const DWORD magFilter = state.StageState(stage, D3DTSS_MAGFILTER);
    const DWORD minFilter = state.StageState(stage, D3DTSS_MINFILTER);
    const DWORD mipFilter = levelCount > 1 ? state.StageState(stage, D3DTSS_MIPFILTER) : D3DTEXF_NONE;
    const bool linearMin = minFilter >= D3DTEXF_LINEAR;
    GLint glMin = linearMin ? GL_LINEAR : GL_NEAREST;
    if (mipFilter == D3DTEXF_POINT) glMin = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mipFilter >= D3DTEXF_LINEAR) glMin = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, glMin);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magFilter >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, AddressMode(state.StageState(stage, D3DTSS_ADDRESSU)));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, AddressMode(state.StageState(stage, D3DTSS_ADDRESSV)));
    float border[4];
    ColorToFloats(state.StageState(stage, D3DTSS_BORDERCOLOR), border);
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, AsFloat(state.StageState(stage, D3DTSS_MIPMAPLODBIAS)));
    // MAXMIPLEVEL names the largest level that may be used.
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, static_cast<float>(state.StageState(stage, D3DTSS_MAXMIPLEVEL)));
    glBindSampler(stage, sampler);
}

// A stage that samples the texture being rendered into reads a copy of it:
// the radial blur samples one half of its target while drawing into the other.
GLuint GlDevice::FeedbackCopy(const GlColorTarget& color)
{
    if (feedbackTexture == 0 || feedbackWidth != color.width || feedbackHeight != color.height) {
        if (feedbackTexture != 0) {
            glDeleteTextures(1, &feedbackTexture);
        }
        feedbackTexture = CreateTexture(color.width, color.height, 1, false);
        feedbackWidth = color.width;
        feedbackHeight = color.height;
    }
    glBindTexture(GL_TEXTURE_2D, feedbackTexture);
    glDisable(GL_SCISSOR_TEST);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, color.width, color.height);
    glEnable(GL_SCISSOR_TEST);
    return feedbackTexture;
}

void GlDevice::BindTextures(const DeviceState& state, const FragmentProgramKey& key, const GlColorTarget& color,
                            const GlTextureBinding textures[D3D_STAGE_COUNT])
{
    GLuint copy = 0;
    for (DWORD stage = 0; stage < key.stageCount; ++stage) {
        if (!key.stages[stage].samplesTexture) {
            continue;
        }
        GLuint texture = textures[stage].texture;
        if (texture == color.texture) {
            if (copy == 0) {
                copy = FeedbackCopy(color);
            }
            texture = copy;
        }
        glActiveTexture(GL_TEXTURE0 + stage);
        glBindTexture(GL_TEXTURE_2D, texture);
        ApplySampler(stage, state, texture == copy ? 1 : textures[stage].levelCount);
    }
    glActiveTexture(GL_TEXTURE0);
}

void GlDevice::UploadVertices(const std::vector<ProcessedVertex>& vertices)
{
    const std::size_t bytes = vertices.size() * sizeof(ProcessedVertex);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    // A fresh store of exactly this draw's size: the driver need not wait for
    // earlier draws, and a software driver, which clears every new store,
    // clears no more than the draw needs (a store kept at the largest draw's
    // size made each small sprite clear megabytes).
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices.data(), GL_STREAM_DRAW);
}

void GlDevice::Draw(const DeviceState& state, const GlColorTarget& color, const GlDepthTarget& depth,
                    const GlTextureBinding textures[D3D_STAGE_COUNT], bool pretransformed,
                    const AssembledPrimitives& primitives)
{
    if (primitives.vertices.empty() || color.texture == 0) {
        return;
    }
    bool bound[D3D_STAGE_COUNT];
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        bound[stage] = textures[stage].texture != 0;
    }
    const FragmentProgramKey key = MakeFragmentProgramKey(state, bound);
    const FragmentProgram& program = programs.Get(key);
    if (program.program == 0) {
        return;
    }
    Framebuffer(color, depth);
    ScissorToViewport(state.viewport, scale);
    glDepthRange(state.viewport.MinZ, state.viewport.MaxZ);
    ApplyOutputState(state, depth.renderbuffer != 0, pretransformed, primitives.topology);
    BindTextures(state, key, color, textures);

    glUseProgram(program.program);
    float factor[4];
    ColorToFloats(state.RenderState(D3DRS_TEXTUREFACTOR), factor);
    glUniform4fv(program.textureFactor, 1, factor);
    float fog[4];
    ColorToFloats(state.RenderState(D3DRS_FOGCOLOR), fog);
    glUniform3fv(program.fogColor, 1, fog);
    glUniform3f(program.fogParameters, state.RenderFloat(D3DRS_FOGSTART), state.RenderFloat(D3DRS_FOGEND),
                state.RenderFloat(D3DRS_FOGDENSITY));
    glUniform1f(program.alphaReference, static_cast<float>(state.RenderState(D3DRS_ALPHAREF) & 0xFF));

    glBindVertexArray(vertexArray);
    UploadVertices(primitives.vertices);
    glDrawArrays(primitives.topology == Topology::Lines ? GL_LINES : GL_TRIANGLES, 0,
                 static_cast<GLsizei>(primitives.vertices.size()));
}

void GlDevice::ReadPixels(const GlColorTarget& color, std::vector<std::uint8_t>& rgba)
{
    Framebuffer(color, GlDepthTarget{});
    rgba.resize(static_cast<std::size_t>(color.width) * color.height * 4);
    glReadPixels(0, 0, color.width, color.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

void GlDevice::PresentToWindow(const GlColorTarget& color)
{
    int windowWidth = 0;
    int windowHeight = 0;
    context->DrawableSize(&windowWidth, &windowHeight);
    if (windowWidth <= 0 || windowHeight <= 0) {
        return;
    }
    // The largest 4:3 rectangle that fits, centred; the rest stays black.
    int width = windowWidth;
    int height = width * 3 / 4;
    if (height > windowHeight) {
        height = windowHeight;
        width = height * 4 / 3;
    }
    const int left = (windowWidth - width) / 2;
    const int bottom = (windowHeight - height) / 2;

    GLuint source = Framebuffer(color, GlDepthTarget{});
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Row 0 of the picture is its top row; the window's row 0 is its bottom.
    glBlitFramebuffer(0, 0, color.width, color.height, left, bottom + height, left + width, bottom, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    context->SwapBuffers();
    glBindFramebuffer(GL_FRAMEBUFFER, source);
}
