#pragma once
// A device without a window, the way the tools and tests need one: an
// A8R8G8B8 back buffer of the given size with a D24S8 depth buffer, software
// vertex processing, frames handed to the present handler.

#include "platform/d3d8/d3d8.h"

// Null when no OpenGL renderer is available. The caller releases both.
IDirect3DDevice8* CreateHeadlessDevice(UINT width, UINT height, IDirect3D8** direct3d);
