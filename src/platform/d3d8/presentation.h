#pragma once
// rewind's own controls over the Direct3D stand-in, beside the Direct3D
// interface: how large it renders, and where headless frames go.

#include <cstdint>
#include <functional>
#include <vector>

// A presented frame: 8-bit RGBA, top row first, `scale` times 640x480 for the
// show's back buffer.
struct PresentedFrame {
    int width = 0;
    int height = 0;
    const std::uint8_t* rgba = nullptr;
};

using PresentHandler = std::function<void(const PresentedFrame&)>;

// Receives every Present of a device without a window. Empty: frames are dropped.
void SetPresentHandler(PresentHandler handler);

// Renders back buffers, render targets, positions, point sizes and line
// widths `scale` (1 to 4) times larger, for devices created afterwards without
// a window. Sizes reported through the Direct3D interface stay the logical ones.
void SetRenderScale(int scale);
int RenderScale();

// The scale a device in a window renders at: the smallest that fills the
// largest 4:3 picture the window can show (a picture is never stretched up by
// more than a rounding's worth), 1 to 4. REWIND_SCALE=K in the environment
// chooses K instead, for machines too slow to render large pictures.
int ScaleForWindow(int windowWidth, int windowHeight, const char* requested);

// The swap intervals a window's GL context asks for, in order, until the
// driver accepts one. Direct3D's default presentation interval waits for the
// vertical retrace (one Present per refresh, no tearing), and so do its
// explicit intervals: -1 (adaptive, waits unless the frame is already late),
// then 1 where the driver has no adaptive sync. D3DPRESENT_INTERVAL_IMMEDIATE,
// or REWIND_VSYNC=0 in the environment (`vsync`), gives 0: frames are shown as
// soon as they are drawn, for measuring frame times.
std::vector<int> SwapIntervals(unsigned presentationInterval, const char* vsync);

// Hands a finished frame to the present handler, if there is one.
void DeliverPresentedFrame(const PresentedFrame& frame);
