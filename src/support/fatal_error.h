#pragma once
// The end of the road: shows the message, logs it and ends the process with
// exit code 1.

[[noreturn]] void FatalError(const char* message);
