#pragma once

#include "platform/LocalFileSystem.h"

#include <QSet>
#include <optional>

namespace fw::test {

// The real file system, except for what a test says otherwise: the free
// space of every volume, files carrying the immutable flag, and paths this
// process may not write (tests run as root, who may write anything).
class FakeFileSystem : public FileSystemProbe {
public:
    std::optional<qint64> freeBytes;
    QSet<QString> immutablePaths;
    QSet<QString> readOnlyPaths;

    std::optional<qint64> bytesAvailable(const QString& folder) const override
    {
        const auto real = LocalFileSystem::shared().bytesAvailable(folder);
        return real && freeBytes ? freeBytes : real;
    }
    bool isImmutable(const QString& path) const override
    {
        return immutablePaths.contains(path) || LocalFileSystem::shared().isImmutable(path);
    }
    bool isWritable(const QString& path) const override
    {
        return !readOnlyPaths.contains(path) && LocalFileSystem::shared().isWritable(path);
    }
};

} // namespace fw::test
