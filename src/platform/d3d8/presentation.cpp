#include "platform/d3d8/presentation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/d3d8/d3d8_types.h"

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

int ScaleForWindow(int windowWidth, int windowHeight, const char* requested)
{
    if (requested != nullptr && *requested != '\0') {
        char* end = nullptr;
        const long value = std::strtol(requested, &end, 10);
        if (*end == '\0' && value >= 1 && value <= 4) return static_cast<int>(value);
    }
    if (windowWidth <= 0 || windowHeight <= 0) return 1;
    const double fit = std::min(windowWidth / 640.0, windowHeight / 480.0);
    // A window a few pixels larger than 640x480 (the show's own 645x485) still
    // renders at 640x480; anything clearly larger renders at least its size,
    // and the window shrinks the picture smoothly.
    const int scale = static_cast<int>(std::ceil(fit - 0.05));
    return std::clamp(scale, 1, 4);
}

std::vector<int> SwapIntervals(unsigned presentationInterval, const char* vsync)
{
    if (presentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE || (vsync != nullptr && std::strcmp(vsync, "0") == 0)) return {0};
    // SDL offers one retrace at most: TWO, THREE and FOUR wait for one too.
    return {-1, 1};
}

void DeliverPresentedFrame(const PresentedFrame& frame)
{
    if (Handler()) {
        Handler()(frame);
    }
}
