#include "platform/large_blocks.h"

#include <cstdlib> // which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void ReturnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    // Blocks from 128 KiB (the library's own starting value) are mapped on
    // their own and unmapped when freed; setting it also keeps the library
    // from moving it. The heap's free top goes back from twice that, as the
    // library itself would have it.
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargeBlock);
#endif
    // Elsewhere the system's allocator already hands blocks this large back.
}
