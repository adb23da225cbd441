// The message machinery with headless windows, as the capture tool runs it.

#include "platform/win32/paint_pacing.h"
#include "win32/recorded_messages.h"

namespace {

constexpr UINT WM_TEST = 0x0400;
constexpr HWND noWindow = nullptr;

class HeadlessQueue : public WindowTest {
protected:
    void SetUp() override { UseHeadlessWindows(true); }
};

// The show's procedure in miniature: a frame per WM_PAINT, Escape released
// destroys the window, WM_DESTROY quits.
int g_frames = 0;
LRESULT ShowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_PAINT && ++g_frames == 3) PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
    if (message == WM_KEYUP && wParam == VK_ESCAPE) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return 0;
}

} // namespace

TEST_F(HeadlessQueue, PostedMessagesInOrderThenPaintForTheOldestWindow)
{
    const HWND first = Open();
    const HWND second = Open();
    ASSERT_TRUE(first != nullptr && second != nullptr && first != second);
    PostMessageA(second, WM_TEST, 1, 2);
    PostQuitMessage(7);
    PostMessageA(nullptr, WM_TEST, 3, 4);
    EXPECT_EQ(Next(), std::tuple(TRUE, second, WM_TEST, 1u));
    EXPECT_EQ(Next(), std::tuple(FALSE, noWindow, WM_QUIT, 7u));
    EXPECT_EQ(Next(), std::tuple(TRUE, noWindow, WM_TEST, 3u));
    EXPECT_EQ(Next(), std::tuple(TRUE, first, WM_PAINT, 0u));
    EXPECT_EQ(Next(), std::tuple(TRUE, first, WM_PAINT, 0u));
}

TEST_F(HeadlessQueue, AShowStyleLoopPaintsUntilEscapeIsReleased)
{
    RegisterClassOnce("Show", ShowProcedure);
    g_frames = 0;
    ASSERT_NE(Open("Show"), nullptr);
    Open(); // gets nothing but its WM_CREATE
    MSG message;
    int dispatched = 0;
    while (GetMessageA(&message, nullptr, 0, 0) != 0 && dispatched < 100) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++dispatched;
    }
    EXPECT_TRUE(message.message == WM_QUIT && message.wParam == 0);
    EXPECT_EQ(g_frames, 3);
    EXPECT_EQ(dispatched, 4); // three frames and the key
    EXPECT_EQ(MessagesOf(g_received), std::vector<UINT>{WM_CREATE});
}

TEST_F(HeadlessQueue, CreationSendsWmCreateAndNeedsARegisteredClass)
{
    EXPECT_EQ(Open("NoSuchClass"), nullptr);
    const HWND window = Open("RECORDER"); // class names ignore case
    ASSERT_EQ(MessagesOf(g_received), std::vector<UINT>{WM_CREATE});
    EXPECT_EQ(g_received[0].hwnd, window);
}

TEST_F(HeadlessQueue, DestroySendsWmDestroyAndDropsWhatWasQueuedForTheWindow)
{
    const HWND first = Open();
    const HWND second = Open();
    PostMessageA(first, WM_TEST, 0, 0);
    PostMessageA(second, WM_TEST, 0, 0);
    g_received.clear();
    EXPECT_TRUE(DestroyWindow(first));
    ASSERT_EQ(MessagesOf(g_received), std::vector<UINT>{WM_DESTROY});
    EXPECT_EQ(g_received[0].hwnd, first);
    EXPECT_FALSE(PostMessageA(first, WM_TEST, 0, 0));
    EXPECT_EQ(Next(), std::tuple(TRUE, second, WM_TEST, 0u));
    EXPECT_EQ(Next(), std::tuple(TRUE, second, WM_PAINT, 0u));

    // With no window left nothing can arrive: the loop ends as on a quit.
    DestroyWindow(second);
    EXPECT_EQ(Next(), std::tuple(FALSE, noWindow, WM_QUIT, 0u));
}

TEST_F(HeadlessQueue, CloseAndAltF4ReachWmDestroyThroughTheDefaultProcedure)
{
    HWND window = Open();
    g_received.clear();
    const MSG f4{window, WM_SYSKEYDOWN, VK_F4, 1, 0, {0, 0}};
    DispatchMessageA(&f4);
    EXPECT_EQ(MessagesOf(g_received), std::vector<UINT>{WM_SYSKEYDOWN});
    const MSG close{window, WM_CLOSE, 0, 0, 0, {0, 0}};
    DispatchMessageA(&close);
    EXPECT_EQ(MessagesOf(g_received), (std::vector<UINT>{WM_SYSKEYDOWN, WM_CLOSE, WM_DESTROY}));

    window = Open();
    g_received.clear();
    const MSG altF4{window, WM_SYSKEYDOWN, VK_F4, KeyAltHeld | 1, 0, {0, 0}};
    DispatchMessageA(&altF4);
    EXPECT_EQ(MessagesOf(g_received), (std::vector<UINT>{WM_SYSKEYDOWN, WM_CLOSE, WM_DESTROY}));
}

// Between frames, where a page gives control back to the browser: the handler
// runs only when GetMessageA is about to make up a WM_PAINT, and what it posts
// is handed out before that paint.
TEST_F(HeadlessQueue, TheIdlePaintHandlerRunsBetweenFramesAndWhatItPostsComesFirst)
{
    const HWND window = Open();
    int handlerRuns = 0;
    SetIdlePaintHandler([&] {
        if (++handlerRuns == 1) PostMessageA(window, WM_TEST, 1, 0);
    });
    PostMessageA(window, WM_TEST, 9, 0);
    EXPECT_EQ(Next(), std::tuple(TRUE, window, WM_TEST, 9u));
    EXPECT_EQ(handlerRuns, 0);
    EXPECT_EQ(Next(), std::tuple(TRUE, window, WM_TEST, 1u));
    EXPECT_EQ(Next(), std::tuple(TRUE, window, WM_PAINT, 0u));
    EXPECT_EQ(handlerRuns, 2);

    DestroyWindow(window);
    EXPECT_EQ(Next(), std::tuple(FALSE, noWindow, WM_QUIT, 0u)); // no window, nothing to paint
    EXPECT_EQ(handlerRuns, 2);
    SetIdlePaintHandler({});
}
