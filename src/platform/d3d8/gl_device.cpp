#include "platform/d3d8/gl_device.h"

#include "platform/d3d8/texture_format.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

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

// Where the program does border and mirror-once addressing itself, the
// sampler clamps to the edge.
GLint AddressMode(DWORD mode, bool samplerHasBorder)
{
    if (!samplerHasBorder && (mode == D3DTADDRESS_BORDER || mode == D3DTADDRESS_MIRRORONCE)) return GL_CLAMP_TO_EDGE;
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

void ScissorToViewport(GlStateCache& gl, const D3DVIEWPORT8& viewport, int scale)
{
    const GLint x = static_cast<GLint>(viewport.X) * scale;
    const GLint y = static_cast<GLint>(viewport.Y) * scale;
    const GLsizei width = static_cast<GLsizei>(viewport.Width) * scale;
    const GLsizei height = static_cast<GLsizei>(viewport.Height) * scale;
    gl.Viewport(x, y, width, height);
    gl.Scissor(x, y, width, height);
    gl.Capability(GL_SCISSOR_TEST, true);
}

// Vertex data of draws up to this size is compared with what the buffer
// already holds, and not sent again when equal: effects draw the same small
// quads several times in a row. Larger draws are always sent, since keeping
// and comparing a copy would cost more than it saves.
constexpr std::size_t kComparedVertexCount = 256;

} // namespace

GlDevice::GlDevice(std::unique_ptr<GlContext> context, int scale)
    : context(std::move(context)), scale(scale), programs(this->context->Dialect())
{
    glGenSamplers(D3D_STAGE_COUNT, samplers);
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    gl.BindVertexArray(vertexArray);
    gl.BindArrayBuffer(vertexBuffer);
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
    gl.BindTextureForUpdate(texture);
    int levelWidth = width;
    int levelHeight = height;
    for (int level = 0; level < levelCount; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, levelWidth, levelHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        levelWidth = std::max(1, levelWidth / 2);
        levelHeight = std::max(1, levelHeight / 2);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levelCount - 1);
    // Uploaded texels of formats without alpha carry alpha 1 already; the
    // swizzle is for render targets of such formats, whose alpha OpenGL
    // writes. Without swizzles (WebGL2) those would sample their written
    // alpha; the show renders only into A8R8G8B8 targets.
    if (opaque && Dialect().HasTextureSwizzle()) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    }
    return texture;
}

void GlDevice::UploadTextureLevel(GLuint texture, int level, int width, int height, D3DFORMAT format,
                                  const std::uint8_t* texels)
{
    const std::size_t count = static_cast<std::size_t>(width) * height;
    convertedTexels.resize(count * 4);
    ConvertTexelsToRgba8(format, texels, count, convertedTexels.data());
    gl.BindTextureForUpdate(texture);
    glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, convertedTexels.data());
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
    gl.ForgetTexture(texture);
    for (auto it = framebuffers.begin(); it != framebuffers.end();) {
        if (std::get<0>(it->first) == texture) {
            gl.ForgetFramebuffer(it->second);
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
            gl.ForgetFramebuffer(it->second);
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
        gl.BindFramebuffer(found->second);
        return found->second;
    }
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    gl.BindFramebuffer(framebuffer);
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
    ScissorToViewport(gl, viewport, scale);
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        float rgba[4];
        ColorToFloats(colorValue, rgba);
        gl.ClearColor(rgba);
        gl.ColorMask(true, true, true, true);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (depth.renderbuffer != 0 && (flags & D3DCLEAR_ZBUFFER)) {
        gl.ClearDepth(std::clamp(z, 0.0f, 1.0f));
        gl.DepthMask(true);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (depth.renderbuffer != 0 && (flags & D3DCLEAR_STENCIL)) {
        gl.ClearStencil(static_cast<GLint>(stencil & 0xFF));
        gl.StencilMask(0xFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask != 0) {
        glClear(mask);
    }
}

void GlDevice::ApplyOutputState(const DeviceState& state, bool hasDepth, Topology topology)
{
    gl.Capability(GL_BLEND, state.RenderState(D3DRS_ALPHABLENDENABLE) != FALSE);
    DWORD source = state.RenderState(D3DRS_SRCBLEND);
    DWORD destination = state.RenderState(D3DRS_DESTBLEND);
    if (source == D3DBLEND_BOTHSRCALPHA) {
        source = D3DBLEND_SRCALPHA;
        destination = D3DBLEND_INVSRCALPHA;
    } else if (source == D3DBLEND_BOTHINVSRCALPHA) {
        source = D3DBLEND_INVSRCALPHA;
        destination = D3DBLEND_SRCALPHA;
    }
    gl.BlendFunc(BlendFactor(source), BlendFactor(destination));
    gl.BlendEquation(BlendEquation(state.RenderState(D3DRS_BLENDOP)));

    const bool depthTest = hasDepth && state.RenderState(D3DRS_ZENABLE) != D3DZB_FALSE;
    gl.Capability(GL_DEPTH_TEST, depthTest);
    gl.DepthFunc(CompareFunction(state.RenderState(D3DRS_ZFUNC)));
    gl.DepthMask(depthTest && state.RenderState(D3DRS_ZWRITEENABLE));
    // ZBIAS 0..16 pulls coplanar triangles towards the viewer by whole depth
    // steps (lines are moved on the CPU: see primitive_assembly.cpp).
    const DWORD bias = state.RenderState(D3DRS_ZBIAS);
    gl.Capability(GL_POLYGON_OFFSET_FILL, bias != 0);
    if (bias != 0) gl.PolygonOffset(-static_cast<float>(bias));

    const bool stencil = hasDepth && state.RenderState(D3DRS_STENCILENABLE) != FALSE;
    gl.Capability(GL_STENCIL_TEST, stencil);
    if (stencil) {
        gl.StencilFunc(CompareFunction(state.RenderState(D3DRS_STENCILFUNC)),
                       static_cast<GLint>(state.RenderState(D3DRS_STENCILREF)), state.RenderState(D3DRS_STENCILMASK));
        gl.StencilOp(StencilOperation(state.RenderState(D3DRS_STENCILFAIL)),
                     StencilOperation(state.RenderState(D3DRS_STENCILZFAIL)),
                     StencilOperation(state.RenderState(D3DRS_STENCILPASS)));
        gl.StencilMask(state.RenderState(D3DRS_STENCILWRITEMASK));
    }

    const DWORD cull = state.RenderState(D3DRS_CULLMODE);
    const bool culling = topology == Topology::Triangles && (cull == D3DCULL_CW || cull == D3DCULL_CCW);
    gl.Capability(GL_CULL_FACE, culling);
    if (culling) gl.CullFace(cull == D3DCULL_CW ? GL_FRONT : GL_BACK);
    if (topology == Topology::Lines) gl.LineWidth(static_cast<float>(scale));

    const DWORD writeMask = state.RenderState(D3DRS_COLORWRITEENABLE);
    gl.ColorMask((writeMask & 1) != 0, (writeMask & 2) != 0, (writeMask & 4) != 0, (writeMask & 8) != 0);
}

void GlDevice::ApplySampler(DWORD stage, const DeviceState& state, int levelCount)
{
    const GLuint sampler = samplers[stage];
    const bool border = Dialect().HasBorderAddressing();
    const DWORD magFilter = state.StageState(stage, D3DTSS_MAGFILTER);
    const DWORD minFilter = state.StageState(stage, D3DTSS_MINFILTER);
    const DWORD mipFilter = levelCount > 1 ? state.StageState(stage, D3DTSS_MIPFILTER) : D3DTEXF_NONE;
    const bool linearMin = minFilter >= D3DTEXF_LINEAR;
    GlSamplerSettings settings;
    settings.minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
    if (mipFilter == D3DTEXF_POINT) settings.minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mipFilter >= D3DTEXF_LINEAR) settings.minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    settings.magFilter = magFilter >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST;
    settings.wrapS = AddressMode(state.StageState(stage, D3DTSS_ADDRESSU), border);
    settings.wrapT = AddressMode(state.StageState(stage, D3DTSS_ADDRESSV), border);
    if (border) ColorToFloats(state.StageState(stage, D3DTSS_BORDERCOLOR), settings.border.data());
    // MAXMIPLEVEL names the largest level that may be used.
    settings.minLod = static_cast<float>(state.StageState(stage, D3DTSS_MAXMIPLEVEL));
    gl.SamplerParameters(stage, sampler, settings, border);
    gl.BindSampler(stage, sampler);
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
    gl.BindTextureForUpdate(feedbackTexture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, color.width, color.height);
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
        gl.BindTexture(stage, texture);
        ApplySampler(stage, state, texture == copy ? 1 : textures[stage].levelCount);
    }
}

void GlDevice::UploadVertices(const std::vector<ProcessedVertex>& vertices)
{
    gl.BindArrayBuffer(vertexBuffer);
    const std::size_t bytes = vertices.size() * sizeof(ProcessedVertex);
    if (vertices.size() <= kComparedVertexCount) {
        if (uploadedVertices.size() == vertices.size() &&
            std::memcmp(uploadedVertices.data(), vertices.data(), bytes) == 0) {
            return;
        }
        uploadedVertices = vertices;
    } else {
        uploadedVertices.clear();
    }
    // A fresh store of exactly this draw's size: the driver need not wait for
    // earlier draws, and a software driver, which clears every new store,
    // clears no more than the draw needs (a store kept at the largest draw's
    // size made each small sprite clear megabytes).
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices.data(), GL_STREAM_DRAW);
}

void GlDevice::SetUniforms(const DeviceState& state, const FragmentProgramKey& key, const FragmentProgram& program)
{
    const GLuint name = program.program;
    float factor[4];
    ColorToFloats(state.RenderState(D3DRS_TEXTUREFACTOR), factor);
    gl.Uniform(name, program.textureFactor, factor, 4);
    float fog[4];
    ColorToFloats(state.RenderState(D3DRS_FOGCOLOR), fog);
    gl.Uniform(name, program.fogColor, fog, 3);
    const float alphaReference = static_cast<float>(state.RenderState(D3DRS_ALPHAREF) & 0xFF);
    gl.Uniform(name, program.alphaReference, &alphaReference, 1);
    for (DWORD stage = 0; stage < key.stageCount; ++stage) {
        if (!key.stages[stage].samplesTexture) continue;
        const float bias = AsFloat(state.StageState(stage, D3DTSS_MIPMAPLODBIAS));
        gl.Uniform(name, program.lodBias[stage], &bias, 1);
        float border[4];
        ColorToFloats(state.StageState(stage, D3DTSS_BORDERCOLOR), border);
        gl.Uniform(name, program.borderColor[stage], border, 4);
    }
}

void GlDevice::Draw(const DeviceState& state, const GlColorTarget& color, const GlDepthTarget& depth,
                    const GlTextureBinding textures[D3D_STAGE_COUNT], const AssembledPrimitives& primitives)
{
    if (primitives.vertices.empty() || color.texture == 0) {
        return;
    }
    bool bound[D3D_STAGE_COUNT];
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        bound[stage] = textures[stage].texture != 0;
    }
    FragmentProgramKey key = MakeFragmentProgramKey(state, bound);
    if (!Dialect().HasBorderAddressing()) EmulateAddressing(state, key);
    const std::uint64_t linked = programs.Misses();
    const FragmentProgram& program = programs.Get(key);
    if (programs.Misses() != linked) gl.ForgetProgram();
    if (program.program == 0) {
        return;
    }
    Framebuffer(color, depth);
    ScissorToViewport(gl, state.viewport, scale);
    gl.DepthRange(state.viewport.MinZ, state.viewport.MaxZ);
    ApplyOutputState(state, depth.renderbuffer != 0, primitives.topology);
    BindTextures(state, key, color, textures);

    gl.UseProgram(program.program);
    SetUniforms(state, key, program);

    gl.BindVertexArray(vertexArray);
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
    gl.BindReadDrawFramebuffers(source, 0);
    gl.Capability(GL_SCISSOR_TEST, false);
    gl.ColorMask(true, true, true, true);
    const float black[4] = {0, 0, 0, 1};
    gl.ClearColor(black);
    glClear(GL_COLOR_BUFFER_BIT);
    // Row 0 of the picture is its top row; the window's row 0 is its bottom.
    glBlitFramebuffer(0, 0, color.width, color.height, left, bottom + height, left + width, bottom, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    context->SwapBuffers();
}
