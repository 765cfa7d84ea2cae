#pragma once

namespace fw {

// Gives the memory a photo's step has freed back to the system. glibc keeps
// freed blocks in per-thread arenas, so without this a long batch's resident
// size creeps up photo by photo even though nothing leaks.
class MemoryRelease {
public:
    // Pixel buffers are mapped on their own and unmapped when freed. glibc
    // would otherwise raise its mapping threshold after the first large free
    // and carve later buffers out of libvips worker threads' arenas, which
    // fragment and keep growing. Called before the threads start.
    static void mapLargeBlocksApart();
    static void afterPhoto();
};

} // namespace fw
