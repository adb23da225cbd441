#pragma once
// The multimedia timer: milliseconds since the process started, or whatever
// the capture tool's virtual clock says.

#include <functional>

#include "platform/win32/types.h"

// Wraps to 0 after 2^32 milliseconds (49.7 days), as on Windows.
DWORD timeGetTime();

// Replaces the clock; an empty function restores the real one. Set it before
// anything reads the clock on another thread. A replacement should not read 0
// at the show's first frame: the show takes a start time of 0 to mean "not
// started yet" and would start again on the next frame.
void SetTimeSource(std::function<DWORD()> source);
