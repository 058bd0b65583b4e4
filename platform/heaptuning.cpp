#include "platform/heaptuning.h"

#include <malloc.h>

namespace platform {

void keepHeapForPrintRuns()
{
    constexpr int MiB = 1024 * 1024;
    // Return memory only once a quarter GiB lies free at the top.
    mallopt(M_TRIM_THRESHOLD, 256 * MiB);
    // Grow the heap in steps large enough for many pages at once.
    mallopt(M_TOP_PAD, 64 * MiB);
    // Page buffers up to this size come from the heap, which keeps them,
    // rather than from mappings of their own, which are unmapped at every free.
    mallopt(M_MMAP_THRESHOLD, 32 * MiB);
}

} // namespace platform
