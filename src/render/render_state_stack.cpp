#include "render/render_state_stack.h"

#include "render/render.h"
#include "support/log.h"

namespace {

unsigned currentSlot = 0xFFFF;
DWORD stateBlock = 0;

} // namespace

// The block a new push replaces is deleted: nothing applies it again.
void PushState(unsigned id)
{
    if (id == currentSlot) {
        return;
    }
    IDirect3DDevice8* device = g_render->GetDevice();
    DWORD token = 0;
    if (SUCCEEDED(device->CreateStateBlock(D3DSBT_ALL, &token))) {
        if (stateBlock != 0) {
            device->DeleteStateBlock(stateBlock);
        }
        stateBlock = token;
    }
    currentSlot = id;
    if (g_log) g_log->Print(" state pushed - id = %d\n", static_cast<int>(id));
}

void PopState(unsigned id)
{
    if (id != currentSlot) {
        return;
    }
    g_render->GetDevice()->ApplyStateBlock(stateBlock);
    if (g_log) g_log->Print(" state poped - id = %d\n", static_cast<int>(currentSlot));
}

unsigned CurrentStateSlot()
{
    return currentSlot;
}
