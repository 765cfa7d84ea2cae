#pragma once

namespace fw {

// Gives the memory a photo's step has freed back to the system. glibc keeps
// freed blocks in per-thread arenas, so without this a long batch's resident
// size creeps up photo by photo even though nothing leaks.
class MemoryRelease {
public:
    // One allocation arena for the process: libvips' short-lived worker
    // threads would otherwise each leave a fragmented arena behind. Called
    // before the threads start.
    static void shareOneArena();
    static void afterPhoto();
};

} // namespace fw
