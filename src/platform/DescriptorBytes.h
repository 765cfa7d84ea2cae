#pragma once

#include <cstddef>

namespace fw {

// Bytes to an open file descriptor, however many calls the kernel takes for
// them, retried on interruption. Safe in a forked child: it allocates nothing.
class DescriptorBytes {
public:
    // Whether every byte was written.
    static bool writeAll(int descriptor, const char* data, std::size_t length);
};

} // namespace fw
