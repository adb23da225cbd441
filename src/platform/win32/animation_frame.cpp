#include "platform/win32/paint_pacing.h"

// A native window has no animation frames to wait for: the swap interval
// Present waits on paces the show.
void WaitForNextAnimationFrame() {}
