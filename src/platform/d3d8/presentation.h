#pragma once
// rewind's own controls over the Direct3D stand-in, beside the Direct3D
// interface: how large it renders, and where headless frames go.

#include <cstdint>
#include <functional>

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

// Hands a finished frame to the present handler, if there is one.
void DeliverPresentedFrame(const PresentedFrame& frame);
