#pragma once

#include <QString>
#include <optional>

namespace fw {

// What a run asks of the file system beyond reading and writing files. An
// interface, so tests can show a full volume or a locked file that a real
// disk in a test cannot.
class FileSystemProbe {
public:
    virtual ~FileSystemProbe() = default;

    // Free bytes for the user on the volume holding the folder; none when
    // the folder does not exist or the volume cannot be asked.
    virtual std::optional<qint64> bytesAvailable(const QString& folder) const = 0;
    // The size of that volume; none when it cannot be asked.
    virtual std::optional<qint64> volumeBytes(const QString& folder) const = 0;
    // Whether the file carries the immutable attribute (chattr +i).
    virtual bool isImmutable(const QString& path) const = 0;
    // Whether this process may write the file or folder (access(W_OK)).
    virtual bool isWritable(const QString& path) const = 0;
    // Whether this process may read the file (access(R_OK)).
    virtual bool isReadable(const QString& path) const = 0;
};

} // namespace fw
