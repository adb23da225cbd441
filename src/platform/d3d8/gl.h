#pragma once
// OpenGL declarations. Natively the OpenGL 3.3 core header, linked directly
// (the GL dispatch library routes the calls to whichever context is current,
// EGL's or SDL's, desktop or ES); in a browser emscripten's OpenGL ES 3.0
// header, which WebGL2 implements.

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
// Desktop-only values the device names but sends only where GlDialect says
// the context has them (numbers from the OpenGL registry).
#define GL_TEXTURE_BORDER_COLOR 0x1004
#define GL_CLAMP_TO_BORDER 0x812D
#define GL_MIRROR_CLAMP_TO_EDGE 0x8743
#else
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#define GL_GLCOREARB_PROTOTYPES 1
#include <GL/glcorearb.h>
#endif

#include "platform/d3d8/gl_call_counter.h"
