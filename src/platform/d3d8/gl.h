#pragma once
// OpenGL 3.3 core declarations, linked directly (the GL dispatch library
// routes the calls to whichever context is current, EGL's or SDL's).

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#define GL_GLCOREARB_PROTOTYPES 1
#include <GL/glcorearb.h>
