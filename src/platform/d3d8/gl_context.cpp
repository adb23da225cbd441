#include "platform/d3d8/gl_context.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#ifndef __EMSCRIPTEN__
#include <EGL/egl.h>
#include <EGL/eglext.h>
#endif

namespace {

const char* DialectName(const GlDialect& dialect)
{
    return dialect.es ? "OpenGL ES 3.0" : "OpenGL 3.3 core";
}

class WindowGlContext : public GlContext {
public:
    WindowGlContext(SDL_Window* window, SDL_GLContext context, GlDialect dialect)
        : GlContext(dialect), window(window), context(context)
    {
    }
    ~WindowGlContext() override { SDL_GL_DeleteContext(context); }
    void MakeCurrent() override { SDL_GL_MakeCurrent(window, context); }
    bool IsWindowed() const override { return true; }
    void DrawableSize(int* width, int* height) const override { SDL_GL_GetDrawableSize(window, width, height); }
    void SwapBuffers() override { SDL_GL_SwapWindow(window); }

private:
    SDL_Window* window;
    SDL_GLContext context;
};

#ifndef __EMSCRIPTEN__

class HeadlessGlContext : public GlContext {
public:
    HeadlessGlContext(EGLDisplay display, EGLContext context, GlDialect dialect)
        : GlContext(dialect), display(display), context(context)
    {
    }
    // The display stays initialised for the life of the process: every
    // device shares it, and Mesa frees its driver state only at exit.
    ~HeadlessGlContext() override
    {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
    }
    void MakeCurrent() override { eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context); }
    bool IsWindowed() const override { return false; }
    void DrawableSize(int* width, int* height) const override { *width = *height = 0; }
    void SwapBuffers() override {}

private:
    EGLDisplay display;
    EGLContext context;
};

EGLDisplay OpenSurfacelessDisplay()
{
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        return EGL_NO_DISPLAY;
    }
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

#endif

} // namespace

GlDialect RequestedGlDialect()
{
#ifdef __EMSCRIPTEN__
    return GlDialect{true};
#else
    const char* requested = std::getenv("REWIND_GL");
    return GlDialect{requested != nullptr && std::strcmp(requested, "es") == 0};
#endif
}

#ifndef __EMSCRIPTEN__

// The device's GL calls go through the GL dispatch library, which routes
// them to the current context whichever API it was made for, so an ES
// context needs no other library.
std::unique_ptr<GlContext> CreateHeadlessGlContext(std::string* error)
{
    const GlDialect dialect = RequestedGlDialect();
    EGLDisplay display = OpenSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        *error = "EGL: no surfaceless display (is Mesa's EGL installed?)";
        return nullptr;
    }
    if (!eglBindAPI(dialect.es ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) {
        *error = std::string("EGL: ") + DialectName(dialect) + " is not available";
        eglTerminate(display);
        return nullptr;
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, dialect.es ? EGL_OPENGL_ES3_BIT_KHR : EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    eglChooseConfig(display, configAttributes, &config, 1, &configCount);
    const EGLint desktopAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                        EGL_NONE};
    const EGLint esAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
    EGLContext context = eglCreateContext(display, configCount > 0 ? config : nullptr, EGL_NO_CONTEXT,
                                          dialect.es ? esAttributes : desktopAttributes);
    if (context == EGL_NO_CONTEXT) {
        *error = std::string("EGL: cannot create an ") + DialectName(dialect) + " context";
        eglTerminate(display);
        return nullptr;
    }
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        *error = "EGL: cannot make the context current without a surface";
        eglDestroyContext(display, context);
        eglTerminate(display);
        return nullptr;
    }
    return std::make_unique<HeadlessGlContext>(display, context, dialect);
}

#else

std::unique_ptr<GlContext> CreateHeadlessGlContext(std::string* error)
{
    *error = "a page renders only into its canvas";
    return nullptr;
}

#endif

// In a browser SDL makes a WebGL2 context from the ES 3.0 request.
std::unique_ptr<GlContext> CreateWindowGlContext(SDL_Window* window, std::string* error)
{
    const GlDialect dialect = RequestedGlDialect();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, dialect.es ? 0 : 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK,
                        dialect.es ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        *error = std::string("SDL: cannot create an ") + DialectName(dialect) + " context: " + SDL_GetError();
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
    return std::make_unique<WindowGlContext>(window, context, dialect);
}
