#pragma once
// The two OpenGL dialects the device speaks: desktop OpenGL 3.3 core, and
// OpenGL ES 3.0, which is what a browser's WebGL2 offers. The device is one
// code path; what it may not assume on ES is named here and asked for where
// it matters, so every difference can be found from this header.

#include <string>

struct GlDialect {
    bool es = false;

    // The first lines of every generated program. GLSL ES has no default
    // precision for floats in fragment programs; highp everywhere keeps the
    // stage arithmetic at the precision desktop GLSL gives.
    const char* ProgramHeader() const
    {
        return es ? "#version 300 es\nprecision highp float;\nprecision highp sampler2D;\n" : "#version 330 core\n";
    }
    // OpenGL ES 3.0 has neither GL_CLAMP_TO_BORDER nor GL_MIRROR_CLAMP_TO_EDGE:
    // the program clamps the coordinates itself.
    bool HasBorderAddressing() const { return !es; }
    // ES 3.0 has texture swizzles but WebGL2 removed them: textures without
    // alpha store alpha 1 instead (render targets excepted, see CreateTexture).
    bool HasTextureSwizzle() const { return !es; }
};

// The dialect a new context asks for: ES in a browser; natively desktop
// OpenGL unless REWIND_GL=es (the way tests run the ES path on Mesa).
GlDialect RequestedGlDialect();
