#pragma once

namespace fw {

// How a run's pixel buffers are kept between photos. glibc keeps freed blocks
// in its heaps; this decides which blocks stay there for the next photo and
// when the heap is given back to the system.
class MemoryRelease {
public:
    // Buffers of up to 32 MiB (a reduced photo held for turning, libvips'
    // strips) come from one heap and are reused by the next photo. Mapped
    // apart, every page of every buffer was zeroed and faulted in again for
    // each photo, a third of a large photo's CPU time; with a heap per libvips
    // worker thread, each thread kept its own fragmented share. Called before
    // any thread starts.
    static void reuseBuffersInOneHeap();
    // Gives the heap back once more than a photo's working set lies free in it
    // (after an unusually large photo), so a run's memory stays bounded.
    static void afterLargePhoto();
};

} // namespace fw
