#pragma once

#include <QString>
#include <QtGlobal>

namespace fw {

class FileSystemProbe;

// How full a run may make the destination's volume: a photo is written only
// when the volume keeps, after it, a margin of 102 MiB or 5 % of its size,
// whichever is smaller. So a big disk is never filled to the brim, and a USB
// stick or a small partition still takes what fits. Any thread may ask.
class FreeSpaceRule {
public:
    static constexpr qint64 largestMargin = 106954752;
    static constexpr int marginPercentOfVolume = 5;

    explicit FreeSpaceRule(const FileSystemProbe& fileSystem) : fileSystem(fileSystem) {}

    // The margin on the volume holding the folder.
    qint64 marginFor(const QString& folder) const;
    // Whether the volume keeps its margin with `bytes` more written to it. A
    // volume that cannot be asked passes: a write that then fails says so.
    bool hasRoomFor(const QString& folder, qint64 bytes = 0) const;

private:
    const FileSystemProbe& fileSystem;
};

} // namespace fw
