#pragma once

#include <QtGlobal>

namespace fw {

// The machine's installed memory (platform code only).
class PhysicalMemory {
public:
    PhysicalMemory() = delete;

    // Bytes of physical memory; 0 when the system does not say.
    static qint64 bytes();
};

} // namespace fw
