#include "platform/PhysicalMemory.h"

#include <unistd.h>

namespace fw {

qint64 PhysicalMemory::bytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageBytes > 0 ? static_cast<qint64>(pages) * pageBytes : 0;
}

} // namespace fw
