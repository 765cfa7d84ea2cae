#pragma once

#include <QString>
#include <sys/stat.h>

namespace fw {

// What the file system says about one path, asked once (stat or lstat), for
// paths that may hold any bytes (see NativePath). Thread-safe.
class PathInfo {
public:
    // Follows links: a link to a photo is the photo.
    static PathInfo of(const QString& path);
    // The link itself, when the path is one.
    static PathInfo ofLink(const QString& path);

    bool exists() const { return found; }
    bool isFile() const { return found && S_ISREG(status.st_mode); }
    bool isDir() const { return found && S_ISDIR(status.st_mode); }
    qint64 size() const { return found ? static_cast<qint64>(status.st_size) : 0; }
    mode_t permissions() const { return status.st_mode & 07777; }
    const struct timespec& modified() const { return status.st_mtim; }

private:
    bool found = false;
    struct stat status {};
};

} // namespace fw
