#pragma once
// Counts every OpenGL call the device makes, by kind. In a browser each call
// crosses into another process, so the number of calls per frame is a cost
// of its own; `rewind-capture --bench` prints it per slot. Counting is an
// increment per call and always on.
//
// Every GL function the device calls is wrapped below by a macro of its own
// name (a macro is not expanded again inside its own expansion, so the inner
// name is the real function). A test checks that no call goes uncounted.

#include <array>
#include <cstdint>

enum class GlCallKind : int {
    State,   // fixed-function switches: enables, blend, depth, stencil, masks, viewport, clear values
    Binding, // program, textures, samplers, framebuffers, vertex arrays, buffers
    Sampler, // sampler and texture parameters
    Uniform,
    Upload,  // vertex and texel data
    Draw,    // draws, clears, blits
    Other,   // making, compiling and deleting objects; queries; read-back
    Count,
};

using GlCallCounts = std::array<std::uint64_t, static_cast<int>(GlCallKind::Count)>;

inline GlCallCounts& GlCallCounters()
{
    static GlCallCounts counts{};
    return counts;
}

inline void CountGlCall(GlCallKind kind)
{
    ++GlCallCounters()[static_cast<int>(kind)];
}

// The calls counted since the last time this was called.
inline GlCallCounts TakeGlCallCounts()
{
    const GlCallCounts counts = GlCallCounters();
    GlCallCounters() = GlCallCounts{};
    return counts;
}

#define REWIND_COUNTED_GL(kind, call) (CountGlCall(GlCallKind::kind), call)

#define glEnable(...) REWIND_COUNTED_GL(State, glEnable(__VA_ARGS__))
#define glDisable(...) REWIND_COUNTED_GL(State, glDisable(__VA_ARGS__))
#define glBlendFunc(...) REWIND_COUNTED_GL(State, glBlendFunc(__VA_ARGS__))
#define glBlendEquation(...) REWIND_COUNTED_GL(State, glBlendEquation(__VA_ARGS__))
#define glDepthFunc(...) REWIND_COUNTED_GL(State, glDepthFunc(__VA_ARGS__))
#define glDepthMask(...) REWIND_COUNTED_GL(State, glDepthMask(__VA_ARGS__))
#define glDepthRangef(...) REWIND_COUNTED_GL(State, glDepthRangef(__VA_ARGS__))
#define glPolygonOffset(...) REWIND_COUNTED_GL(State, glPolygonOffset(__VA_ARGS__))
#define glStencilFunc(...) REWIND_COUNTED_GL(State, glStencilFunc(__VA_ARGS__))
#define glStencilOp(...) REWIND_COUNTED_GL(State, glStencilOp(__VA_ARGS__))
#define glStencilMask(...) REWIND_COUNTED_GL(State, glStencilMask(__VA_ARGS__))
#define glCullFace(...) REWIND_COUNTED_GL(State, glCullFace(__VA_ARGS__))
#define glFrontFace(...) REWIND_COUNTED_GL(State, glFrontFace(__VA_ARGS__))
#define glColorMask(...) REWIND_COUNTED_GL(State, glColorMask(__VA_ARGS__))
#define glLineWidth(...) REWIND_COUNTED_GL(State, glLineWidth(__VA_ARGS__))
#define glViewport(...) REWIND_COUNTED_GL(State, glViewport(__VA_ARGS__))
#define glScissor(...) REWIND_COUNTED_GL(State, glScissor(__VA_ARGS__))
#define glClearColor(...) REWIND_COUNTED_GL(State, glClearColor(__VA_ARGS__))
#define glClearDepthf(...) REWIND_COUNTED_GL(State, glClearDepthf(__VA_ARGS__))
#define glClearStencil(...) REWIND_COUNTED_GL(State, glClearStencil(__VA_ARGS__))
#define glPixelStorei(...) REWIND_COUNTED_GL(State, glPixelStorei(__VA_ARGS__))
#define glEnableVertexAttribArray(...) REWIND_COUNTED_GL(State, glEnableVertexAttribArray(__VA_ARGS__))
#define glVertexAttribPointer(...) REWIND_COUNTED_GL(State, glVertexAttribPointer(__VA_ARGS__))

#define glUseProgram(...) REWIND_COUNTED_GL(Binding, glUseProgram(__VA_ARGS__))
#define glActiveTexture(...) REWIND_COUNTED_GL(Binding, glActiveTexture(__VA_ARGS__))
#define glBindTexture(...) REWIND_COUNTED_GL(Binding, glBindTexture(__VA_ARGS__))
#define glBindSampler(...) REWIND_COUNTED_GL(Binding, glBindSampler(__VA_ARGS__))
#define glBindFramebuffer(...) REWIND_COUNTED_GL(Binding, glBindFramebuffer(__VA_ARGS__))
#define glBindRenderbuffer(...) REWIND_COUNTED_GL(Binding, glBindRenderbuffer(__VA_ARGS__))
#define glBindVertexArray(...) REWIND_COUNTED_GL(Binding, glBindVertexArray(__VA_ARGS__))
#define glBindBuffer(...) REWIND_COUNTED_GL(Binding, glBindBuffer(__VA_ARGS__))

#define glSamplerParameteri(...) REWIND_COUNTED_GL(Sampler, glSamplerParameteri(__VA_ARGS__))
#define glSamplerParameterf(...) REWIND_COUNTED_GL(Sampler, glSamplerParameterf(__VA_ARGS__))
#define glSamplerParameterfv(...) REWIND_COUNTED_GL(Sampler, glSamplerParameterfv(__VA_ARGS__))
#define glTexParameteri(...) REWIND_COUNTED_GL(Sampler, glTexParameteri(__VA_ARGS__))

#define glUniform1i(...) REWIND_COUNTED_GL(Uniform, glUniform1i(__VA_ARGS__))
#define glUniform1f(...) REWIND_COUNTED_GL(Uniform, glUniform1f(__VA_ARGS__))
#define glUniform3fv(...) REWIND_COUNTED_GL(Uniform, glUniform3fv(__VA_ARGS__))
#define glUniform4fv(...) REWIND_COUNTED_GL(Uniform, glUniform4fv(__VA_ARGS__))

#define glBufferData(...) REWIND_COUNTED_GL(Upload, glBufferData(__VA_ARGS__))
#define glTexImage2D(...) REWIND_COUNTED_GL(Upload, glTexImage2D(__VA_ARGS__))
#define glTexSubImage2D(...) REWIND_COUNTED_GL(Upload, glTexSubImage2D(__VA_ARGS__))
#define glCopyTexSubImage2D(...) REWIND_COUNTED_GL(Upload, glCopyTexSubImage2D(__VA_ARGS__))

#define glDrawArrays(...) REWIND_COUNTED_GL(Draw, glDrawArrays(__VA_ARGS__))
#define glClear(...) REWIND_COUNTED_GL(Draw, glClear(__VA_ARGS__))
#define glBlitFramebuffer(...) REWIND_COUNTED_GL(Draw, glBlitFramebuffer(__VA_ARGS__))

#define glGenTextures(...) REWIND_COUNTED_GL(Other, glGenTextures(__VA_ARGS__))
#define glGenSamplers(...) REWIND_COUNTED_GL(Other, glGenSamplers(__VA_ARGS__))
#define glGenVertexArrays(...) REWIND_COUNTED_GL(Other, glGenVertexArrays(__VA_ARGS__))
#define glGenBuffers(...) REWIND_COUNTED_GL(Other, glGenBuffers(__VA_ARGS__))
#define glGenFramebuffers(...) REWIND_COUNTED_GL(Other, glGenFramebuffers(__VA_ARGS__))
#define glGenRenderbuffers(...) REWIND_COUNTED_GL(Other, glGenRenderbuffers(__VA_ARGS__))
#define glDeleteTextures(...) REWIND_COUNTED_GL(Other, glDeleteTextures(__VA_ARGS__))
#define glDeleteSamplers(...) REWIND_COUNTED_GL(Other, glDeleteSamplers(__VA_ARGS__))
#define glDeleteVertexArrays(...) REWIND_COUNTED_GL(Other, glDeleteVertexArrays(__VA_ARGS__))
#define glDeleteBuffers(...) REWIND_COUNTED_GL(Other, glDeleteBuffers(__VA_ARGS__))
#define glDeleteFramebuffers(...) REWIND_COUNTED_GL(Other, glDeleteFramebuffers(__VA_ARGS__))
#define glDeleteRenderbuffers(...) REWIND_COUNTED_GL(Other, glDeleteRenderbuffers(__VA_ARGS__))
#define glDeleteProgram(...) REWIND_COUNTED_GL(Other, glDeleteProgram(__VA_ARGS__))
#define glDeleteShader(...) REWIND_COUNTED_GL(Other, glDeleteShader(__VA_ARGS__))
#define glFramebufferTexture2D(...) REWIND_COUNTED_GL(Other, glFramebufferTexture2D(__VA_ARGS__))
#define glFramebufferRenderbuffer(...) REWIND_COUNTED_GL(Other, glFramebufferRenderbuffer(__VA_ARGS__))
#define glRenderbufferStorage(...) REWIND_COUNTED_GL(Other, glRenderbufferStorage(__VA_ARGS__))
#define glCreateShader(...) REWIND_COUNTED_GL(Other, glCreateShader(__VA_ARGS__))
#define glShaderSource(...) REWIND_COUNTED_GL(Other, glShaderSource(__VA_ARGS__))
#define glCompileShader(...) REWIND_COUNTED_GL(Other, glCompileShader(__VA_ARGS__))
#define glGetShaderiv(...) REWIND_COUNTED_GL(Other, glGetShaderiv(__VA_ARGS__))
#define glGetShaderInfoLog(...) REWIND_COUNTED_GL(Other, glGetShaderInfoLog(__VA_ARGS__))
#define glCreateProgram(...) REWIND_COUNTED_GL(Other, glCreateProgram(__VA_ARGS__))
#define glAttachShader(...) REWIND_COUNTED_GL(Other, glAttachShader(__VA_ARGS__))
#define glBindAttribLocation(...) REWIND_COUNTED_GL(Other, glBindAttribLocation(__VA_ARGS__))
#define glLinkProgram(...) REWIND_COUNTED_GL(Other, glLinkProgram(__VA_ARGS__))
#define glGetProgramiv(...) REWIND_COUNTED_GL(Other, glGetProgramiv(__VA_ARGS__))
#define glGetUniformLocation(...) REWIND_COUNTED_GL(Other, glGetUniformLocation(__VA_ARGS__))
#define glGetString(...) REWIND_COUNTED_GL(Other, glGetString(__VA_ARGS__))
#define glReadPixels(...) REWIND_COUNTED_GL(Other, glReadPixels(__VA_ARGS__))
#define glFinish(...) REWIND_COUNTED_GL(Other, glFinish(__VA_ARGS__))
