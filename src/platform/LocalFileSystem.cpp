#include "platform/LocalFileSystem.h"

#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fw {

const LocalFileSystem& LocalFileSystem::shared()
{
    static const LocalFileSystem fileSystem;
    return fileSystem;
}

namespace {

std::optional<struct statvfs> volumeOf(const QString& folder)
{
    struct statvfs volume {};
    if (!PathInfo::of(folder).isDir() ||
        ::statvfs(NativePath::encode(folder).constData(), &volume) != 0)
        return std::nullopt;
    return volume;
}

} // namespace

std::optional<qint64> LocalFileSystem::bytesAvailable(const QString& folder) const
{
    const std::optional<struct statvfs> volume = volumeOf(folder);
    if (!volume)
        return std::nullopt;
    return static_cast<qint64>(volume->f_bavail) * static_cast<qint64>(volume->f_frsize);
}

std::optional<qint64> LocalFileSystem::volumeBytes(const QString& folder) const
{
    const std::optional<struct statvfs> volume = volumeOf(folder);
    if (!volume)
        return std::nullopt;
    return static_cast<qint64>(volume->f_blocks) * static_cast<qint64>(volume->f_frsize);
}

bool LocalFileSystem::isImmutable(const QString& path) const
{
    const int descriptor =
        ::open(NativePath::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    int flags = 0;
    const bool read = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(descriptor);
    return read && (flags & FS_IMMUTABLE_FL) != 0;
}

bool LocalFileSystem::isReadable(const QString& path) const
{
    return ::access(NativePath::encode(path).constData(), R_OK) == 0;
}

bool LocalFileSystem::isWritable(const QString& path) const
{
    return ::access(NativePath::encode(path).constData(), W_OK) == 0;
}

} // namespace fw
