#include "platform/LocalFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace fw {

const LocalFileSystem& LocalFileSystem::shared()
{
    static const LocalFileSystem fileSystem;
    return fileSystem;
}

std::optional<qint64> LocalFileSystem::bytesAvailable(const QString& folder) const
{
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    const QStorageInfo volume(folder);
    if (!volume.isValid() || !volume.isReady())
        return std::nullopt;
    return volume.bytesAvailable();
}

bool LocalFileSystem::isImmutable(const QString& path) const
{
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    int flags = 0;
    const bool read = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(descriptor);
    return read && (flags & FS_IMMUTABLE_FL) != 0;
}

bool LocalFileSystem::isWritable(const QString& path) const
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace fw
