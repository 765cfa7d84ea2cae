#include "platform/MemoryRelease.h"

#include <malloc.h>

namespace fw {

namespace {

constexpr int largestReusedBlockBytes = 32 << 20;
constexpr size_t mostBytesLeftFree = 64 << 20;

} // namespace

void MemoryRelease::reuseBuffersInOneHeap()
{
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, largestReusedBlockBytes);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(mostBytesLeftFree));
}

void MemoryRelease::afterLargePhoto()
{
    if (mallinfo2().fordblks > mostBytesLeftFree)
        malloc_trim(0);
}

} // namespace fw
