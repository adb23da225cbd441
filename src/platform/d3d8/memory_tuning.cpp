#include "platform/d3d8/memory_tuning.h"

#include <cstdlib> // defines __GLIBC__ with the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepLargeAllocationsInTheHeap()
{
#if defined(__GLIBC__)
    // Fixed thresholds also stop glibc's own adjustment of them, which is
    // what made the speed depend on history: the trimming of freed memory
    // is what costs.
    static const bool tuned = [] {
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
        return true;
    }();
    (void)tuned;
#endif
}
