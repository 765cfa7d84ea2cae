#pragma once

#include "platform/LocalFileSystem.h"
#include "platform/PathInfo.h"

#include <QSet>
#include <optional>

namespace fw::test {

// The real file system, except for what a test says otherwise: the free
// space of every volume, files carrying the immutable flag, and paths this
// process may not write (tests run as root, who may write anything).
class FakeFileSystem : public FileSystemProbe {
public:
    std::optional<qint64> freeBytes;
    std::optional<qint64> totalBytes;
    QSet<QString> immutablePaths;
    QSet<QString> readOnlyPaths;
    QSet<QString> unreadablePaths;

    // A folder that does not exist has no free space to tell, as on a real disk.
    std::optional<qint64> bytesAvailable(const QString& folder) const override
    {
        if (freeBytes && PathInfo::of(folder).isDir())
            return freeBytes;
        return LocalFileSystem::shared().bytesAvailable(folder);
    }
    std::optional<qint64> volumeBytes(const QString& folder) const override
    {
        if (totalBytes && PathInfo::of(folder).isDir())
            return totalBytes;
        return LocalFileSystem::shared().volumeBytes(folder);
    }
    bool isImmutable(const QString& path) const override
    {
        return immutablePaths.contains(path) || LocalFileSystem::shared().isImmutable(path);
    }
    bool isReadable(const QString& path) const override
    {
        return !unreadablePaths.contains(path) && LocalFileSystem::shared().isReadable(path);
    }
    bool isWritable(const QString& path) const override
    {
        return !readOnlyPaths.contains(path) && LocalFileSystem::shared().isWritable(path);
    }
};

} // namespace fw::test
