#include <deque>

#include "platform/win32/messages.h"
#include "platform/win32/paint_pacing.h"
#include "platform/win32/window_registry.h"

namespace {

std::deque<MSG>& Queue()
{
    static std::deque<MSG> queue;
    return queue;
}

MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{window, message, wParam, lParam, 0, POINT{0, 0}};
}

} // namespace

BOOL GetMessageA(MSG* message, HWND, UINT, UINT)
{
    if (message == nullptr) return -1;
    PumpSdlEvents();
    std::deque<MSG>& queue = Queue();
    if (queue.empty() && OldestWindow() != nullptr) {
        // A frame ends here; what arrives while waiting for the next one is
        // handed out before it is painted.
        PaceIdlePaint();
        PumpSdlEvents();
    }
    if (!queue.empty()) {
        *message = queue.front();
        queue.pop_front();
        return message->message == WM_QUIT ? FALSE : TRUE;
    }
    if (const HWND window = OldestWindow()) {
        *message = Message(window, WM_PAINT, 0, 0);
        return TRUE;
    }
    *message = Message(nullptr, WM_QUIT, 0, 0);
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    if (message == nullptr) return FALSE;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr) return 0;
    return SendToWindow(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && !WindowExists(window)) return FALSE;
    Queue().push_back(Message(window, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    Queue().push_back(Message(nullptr, WM_QUIT, static_cast<WPARAM>(static_cast<LPARAM>(exitCode)), 0));
}

void DropQueuedMessages(HWND window)
{
    std::erase_if(Queue(), [window](const MSG& message) { return message.hwnd == window; });
}
