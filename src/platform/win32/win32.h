#pragma once
// The Win32 subset the system calls, one header.

#include "platform/win32/message_box.h"
#include "platform/win32/messages.h"
#include "platform/win32/timer.h"
#include "platform/win32/types.h"
#include "platform/win32/window.h"
