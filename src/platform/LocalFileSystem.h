#pragma once

#include "platform/FileSystemProbe.h"

namespace fw {

// The machine's own file systems: free space through statvfs(3), the
// immutable flag through the FS_IOC_GETFLAGS ioctl, writability through
// access(2).
class LocalFileSystem : public FileSystemProbe {
public:
    static const LocalFileSystem& shared();

    std::optional<qint64> bytesAvailable(const QString& folder) const override;
    std::optional<qint64> volumeBytes(const QString& folder) const override;
    bool isImmutable(const QString& path) const override;
    bool isWritable(const QString& path) const override;
    bool isReadable(const QString& path) const override;
};

} // namespace fw
