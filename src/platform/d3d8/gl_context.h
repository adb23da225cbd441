#pragma once
// Where OpenGL renders: a surfaceless EGL context with no display at all
// (Mesa's llvmpipe when there is no GPU), or the GL context of an SDL window.
// Either way the device draws into its own framebuffers; the context only
// decides what Present does with the finished picture.

#include <memory>
#include <string>

#include "platform/d3d8/gl_dialect.h"

struct SDL_Window;

class GlContext {
public:
    explicit GlContext(GlDialect dialect) : dialect(dialect) {}
    virtual ~GlContext() = default;
    const GlDialect& Dialect() const { return dialect; }
    virtual void MakeCurrent() = 0;
    virtual bool IsWindowed() const = 0;
    // The window's drawable size in pixels (headless: 0 x 0).
    virtual void DrawableSize(int* width, int* height) const = 0;
    // Shows what was drawn into the window's default framebuffer.
    virtual void SwapBuffers() = 0;

private:
    GlDialect dialect;
};

// Null, with the reason in `error`, when no context can be made. Both make
// a context of RequestedGlDialect(). A browser has no headless context.
std::unique_ptr<GlContext> CreateHeadlessGlContext(std::string* error);
std::unique_ptr<GlContext> CreateWindowGlContext(SDL_Window* window, std::string* error);
