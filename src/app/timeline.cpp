#include "app/timeline.h"

#include "app/demo.h"
#include "app/fades.h"
#include "app/schedule.h"
#include "effects/fxlayers.h"
#include "effects/fxrewind.h"
#include "platform/win32/timer.h"
#include "render/render_state_stack.h"

TimelineState g_timeline;

namespace {

void DrawFade(const ScheduledFade& fade, float t)
{
    switch (fade.kind) {
    case FadeKind::ToBlack: FadeToBlack(t, fade.start, fade.duration); break;
    case FadeKind::FromBlack: FadeFromBlack(t, fade.start, fade.duration); break;
    case FadeKind::ToWhite: FadeToWhite(t, fade.start, fade.duration); break;
    case FadeKind::FromWhite: FadeFromWhite(t, fade.start, fade.duration); break;
    }
}

// The pulsing "rewind" sign over a darkening screen.
void DrawRewindOverlay()
{
    const float clock = g_timeline.rewindClock;
    DrawFade(rewindDarkening, clock);
    fxrewind_Render(clock);
    g_render->SetTexture("rewind", 0);
    g_device->SetRenderState(D3DRS_ZENABLE, FALSE);
    g_device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    g_device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    g_device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    const float a = RewindPulse(clock);
    g_render->DrawSprite(60.0f, 70.0f, 0.9f, a, 0.8f, 0.0f, nullptr);
    g_render->DrawSprite(130.0f, 70.0f, 0.9f, a, 0.8f, 0.0f, nullptr);
    sprite->End();
}

} // namespace

// Slot 0 pops slot 1's state before pushing its own, like every other slot,
// so that the rewind arriving from slot 1 hands the logo a restored device.
void SlotStateCalls(int slotId)
{
    if (slotId < 0) {
        return;
    }
    const unsigned id = static_cast<unsigned>(slotId);
    if (id == 14) {
        PopState(12);
        PushState(14);
        return;
    }
    if (id > 0) {
        PopState(id - 1);
    }
    PopState(id + 1);
    PushState(id);
}

void RenderFrame()
{
    if (g_timeline.startTime == 0) {
        g_timeline.startTime = timeGetTime();
    }
    const std::uint32_t realTime = timeGetTime() - g_timeline.startTime;

    g_device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
    g_camera->Set(cVector(0.0f, 1200.0f, 500.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->clearColor = 0;
    g_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    bool rewinding = false;
    const std::uint32_t t = ShowTime(realTime, &rewinding);
    if (rewinding) {
        g_timeline.rewindClock = static_cast<float>(realTime);
        if (!g_timeline.rewinding) {
            g_timeline.rewinding = true;
            PopState(10);
            PushState(11);
        }
    } else {
        g_timeline.rewinding = false;
    }

    const float time = static_cast<float>(t);
    if (const Slot* slot = SlotAt(t)) {
        if (slot->id == 9) {
            g_render->SetProjectionShift(cVector(0.0f, 0.0f, 0.0f));
        }
        SlotStateCalls(slot->id);
        if (slot->render != nullptr) {
            slot->render(time);
        }
        for (int index = 0; index < slot->fadeCount; ++index) {
            DrawFade(slot->fades[index], time);
        }
    } else {
        g_render->clearColor = 0;
        g_render->BeginFrame(2);
        g_timeline.ended = true;
    }

    fxlayers_Render(time);
    if (g_timeline.rewinding) {
        DrawRewindOverlay();
    }
    g_render->UpdateFrameCounter();
    g_render->EndFrame();
}
