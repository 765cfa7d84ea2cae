#include "platform/MemoryRelease.h"

#include <malloc.h>

namespace fw {

void MemoryRelease::shareOneArena()
{
    mallopt(M_ARENA_MAX, 1);
}

void MemoryRelease::afterPhoto()
{
    malloc_trim(0);
}

} // namespace fw
