#include "platform/MemoryRelease.h"

#include <malloc.h>

namespace fw {

void MemoryRelease::mapLargeBlocksApart()
{
    constexpr int largeBlockBytes = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
}

void MemoryRelease::afterPhoto()
{
    malloc_trim(0);
}

} // namespace fw
