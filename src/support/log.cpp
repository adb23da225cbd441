#include "support/log.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

cLog* g_log = new cLog();

cLog::cLog()
{
    SetFile(std::getenv("REWIND_LOG"));
}

cLog::~cLog()
{
    std::free(fileName);
}

void cLog::SetFile(const char* name)
{
    std::free(fileName);
    fileName = nullptr;
    enabled = name != nullptr && name[0] != '\0';
    if (enabled) {
        fileName = strdup(name);
    }
}

void cLog::Print(const char* format, ...)
{
    if (!enabled) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);

    if (std::strcmp(fileName, "-") == 0) {
        std::fputs(text, stderr);
        std::fflush(stderr);
        return;
    }
    stream = std::fopen(fileName, "a");
    if (stream == nullptr) {
        return;
    }
    std::fputs(text, stream);
    std::fclose(stream);
}
