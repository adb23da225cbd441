#include <emscripten.h>

#include "platform/win32/paint_pacing.h"

// The show keeps its own message loop (WinMain's GetMessageA loop runs as it
// does natively) and this is the one place it gives control back to the
// browser: built with ASYNCIFY, the wait unwinds WinMain's stack, returns to
// the browser, and rewinds it when the animation frame comes. The other way,
// emscripten_set_main_loop, would need the loop taken out of WinMain into a
// callback. ASYNCIFY instruments every function that may be on the stack
// here, indirect calls included: leaving those out trapped at the first
// rewind.
EM_ASYNC_JS(void, WaitForAnimationFrameInBrowser, (), {
    await new Promise(resolve => requestAnimationFrame(resolve));
});

void WaitForNextAnimationFrame() { WaitForAnimationFrameInBrowser(); }
