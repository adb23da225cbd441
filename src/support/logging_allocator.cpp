#include "support/logging_allocator.h"

#include <cstdlib>

#include "support/log.h"

void* Malloc(std::size_t size)
{
    if (g_log) g_log->Print("MALLOC!!!!!!!!\n");
    return std::malloc(size);
}

void Free(void* pointer)
{
    if (pointer != nullptr) {
        std::free(pointer);
    }
}
