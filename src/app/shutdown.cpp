#include "app/demo.h"
#include "app/timeline.h"

// Releases the shared objects that exist; the camera, the scene and the
// effects' objects live until the process ends right after.
void ShutdownDemo()
{
    for (fx** grid : {&g_grid1, &g_grid2, &g_grid3}) {
        delete *grid;
        *grid = nullptr;
    }
    if (g_renderTarget != nullptr) {
        g_renderTarget->Release();
        delete g_renderTarget;
        g_renderTarget = nullptr;
    }
    if (g_render != nullptr) {
        g_render->Shutdown();
        delete g_render;
        g_render = nullptr;
    }
    if (g_sound != nullptr) {
        delete g_sound;
        g_sound = nullptr;
    }
}
