#include "platform/win32/paint_pacing.h"

#include <utility>

namespace {

std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}

} // namespace

void SetIdlePaintHandler(std::function<void()> handler) { Handler() = std::move(handler); }

void PaceIdlePaint()
{
    if (Handler()) Handler()();
    WaitForNextAnimationFrame();
}
