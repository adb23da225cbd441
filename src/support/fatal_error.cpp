#include "support/fatal_error.h"

#include <cstdlib>

#include "platform/win32/message_box.h"
#include "support/log.h"

void FatalError(const char* message)
{
    MessageBoxA(nullptr, message, "LUMEN ERROR !", MB_OK | MB_ICONEXCLAMATION);
    if (g_log) g_log->Print("LUMENerror->incoming error message:\n");
    if (g_log) g_log->Print("%s\n", message);
    if (g_log) g_log->Print("LUMENerror->end of error message:\n");
    std::exit(1);
}
