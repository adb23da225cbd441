#pragma once
// The moment between two frames. The show paints whenever its message queue
// is empty, so GetMessageA, about to hand out WM_PAINT, knows that the frame
// before is finished and the next is about to be drawn. A handler can look
// at the finished frame or move a clock there; in a browser the show also
// waits there for the next animation frame, since a page must give control
// back to the browser once per frame.

#include <functional>

// Runs before every WM_PAINT that GetMessageA makes up for an empty queue.
// Messages it posts are handed out before that WM_PAINT. Empty: nothing runs.
void SetIdlePaintHandler(std::function<void()> handler);

// Called by GetMessageA: runs the handler, then waits for the next animation
// frame where there is one to wait for (in a browser; natively Present's swap
// interval paces the show and this returns at once).
void PaceIdlePaint();

// The wait itself, one definition per platform.
void WaitForNextAnimationFrame();
