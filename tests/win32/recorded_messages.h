#pragma once
// A window procedure that writes down the messages it gets, and a fixture
// that closes the windows a test opened and empties the queue.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/win32/win32.h"

inline std::vector<MSG> g_received;

// Leaves everything to DefWindowProcA, as the show does with most messages.
inline LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_received.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcA(window, message, wParam, lParam);
}

inline std::vector<UINT> MessagesOf(const std::vector<MSG>& messages)
{
    std::vector<UINT> result;
    for (const MSG& message : messages) result.push_back(message.message);
    return result;
}

inline void RegisterClassOnce(const char* name, WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass); // 0 when an earlier test registered it
}

inline HWND OpenShowWindow(const char* className = "Recorder")
{
    RegisterClassOnce("Recorder", RecordingProcedure);
    return CreateWindowExA(0, className, "cRender", WS_OVERLAPPEDWINDOW, 192, 144, 645, 485, nullptr, nullptr,
                           nullptr, nullptr);
}

// GetMessageA's result and the message's window, number and wParam.
inline std::tuple<BOOL, HWND, UINT, WPARAM> Next()
{
    MSG message;
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    return {result, message.hwnd, message.message, message.wParam};
}

// Everything queued, up to the WM_PAINT that says the queue is empty.
inline std::vector<MSG> Queued()
{
    std::vector<MSG> messages;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) != 0 && message.message != WM_PAINT) messages.push_back(message);
    return messages;
}

class WindowTest : public testing::Test {
protected:
    HWND Open(const char* className = "Recorder") { return opened.emplace_back(OpenShowWindow(className)); }

    void TearDown() override
    {
        for (HWND window : opened) DestroyWindow(window);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        }
        g_received.clear();
    }

    std::vector<HWND> opened;
};
