#include "platform/d3d8/presentation.h"

#include <algorithm>

namespace {

PresentHandler& Handler()
{
    static PresentHandler handler;
    return handler;
}

int& Scale()
{
    static int scale = 1;
    return scale;
}

} // namespace

void SetPresentHandler(PresentHandler handler)
{
    Handler() = std::move(handler);
}

void SetRenderScale(int scale)
{
    Scale() = std::clamp(scale, 1, 4);
}

int RenderScale()
{
    return Scale();
}

void DeliverPresentedFrame(const PresentedFrame& frame)
{
    if (Handler()) {
        Handler()(frame);
    }
}
