#include "platform/DescriptorBytes.h"

#include <cerrno>
#include <unistd.h>

namespace fw {

bool DescriptorBytes::writeAll(int descriptor, const char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(descriptor, data, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace fw
