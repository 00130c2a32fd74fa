// Large blocks go back to the system when freed, even after a larger one was
// freed before them (which by default raises the size the C library maps
// blocks from, keeping the next photo's buffers on its heap).
#include "platform/large_blocks.h"

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>

#include <cstdlib>
#include <cstring>

namespace {

// A block in use, which the compiler cannot take the allocation of away.
void* used(void* block)
{
    if (block != nullptr)
        std::memset(block, 1, 4096);
    asm volatile("" : : "r"(block) : "memory");
    return block;
}

// The memory the allocator holds from the system: its heaps and its mapped blocks.
std::size_t heldBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.arena + info.hblkhd;
}

TEST(LargeBlocks, AFileBufferFreedAfterALargerOneGoesBackToTheSystem)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer has an allocator of its own";
#endif
    ReturnLargeBlocksWhenFreed();
    // The halved copy of a 24-MP photo, freed.
    void* halved = used(std::malloc(std::size_t(24) << 20));
    ASSERT_NE(halved, nullptr);
    std::free(halved);

    const std::size_t before = heldBytes();
    constexpr std::size_t kFileBuffer = std::size_t(9) << 20;
    void* file = used(std::malloc(kFileBuffer));
    ASSERT_NE(file, nullptr);
    std::free(file);
    EXPECT_LT(heldBytes(), before + kFileBuffer / 8);
}

} // namespace
#endif
