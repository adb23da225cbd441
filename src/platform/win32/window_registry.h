#pragma once
// What the message queue and the SDL event translation need to know about
// the windows, and what the windows need of the queue. Private to the Win32
// stand-in.

#include <cstdint>
#include <vector>

#include "platform/win32/types.h"

// Calls the window's procedure at once, as SendMessage does; 0 for a window
// that does not exist.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool WindowExists(HWND window);

// The oldest window that is not being destroyed, or null.
HWND OldestWindow();

// The window behind an SDL window id, or null.
HWND WindowFromSdlId(std::uint32_t id);

// The windows that have an SDL window behind them, oldest first.
std::vector<HWND> SdlBackedWindows();

// Whether the first real window has started SDL video.
bool SdlVideoStarted();

// The window manager gave the keyboard focus to the window, or took it away.
void NoteKeyboardFocus(HWND window, bool gained);

// Reads the pending SDL events and queues the messages they make.
void PumpSdlEvents();

// Forgets the queued messages of a window that is being destroyed.
void DropQueuedMessages(HWND window);
