#pragma once

#include "batch/RefusedFile.h"
#include "core/Codes.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace fw {

// The walk of one adding operation over the items the user chose or dropped:
// files are offered to the admission rule as they are, folders with or
// without their sub-folders, library packages through the library import.
// It counts the admitted photos against the operation's limit and ends before
// the next entry it looks at once Stop was pressed. Runs on the operation's task.
class AddingWalk {
public:
    struct Hooks {
        // The admission rule: true when the photo entered the batch.
        std::function<bool(const QString& path, bool fromLibrary)> isValidPhoto;
        // A library's album list lacks its archive path; the walk waits for
        // the call to return.
        std::function<void()> onMissingArchivePath;
        // The screen is going away: the walk ends before the next file.
        std::function<bool()> isClosing;
        // A library entry that is not offered, and why.
        std::function<void(const RefusedFile& refused)> onRefused;
    };

    AddingWalk(Hooks hooks, int photoLimit, const std::atomic<bool>& isStopped, bool withSubFolders,
               QStringList imageExtensions);

    // The admitted paths that count, in admission order.
    QStringList photosUrlsToBeAdded(const QStringList& urls);

    bool isLimitExceeded() const { return limitExceeded; }
    // Kind of the last package met: 2 iPhoto or Aperture, 3 Photos library;
    // 0 when none was met.
    int pathType() const { return lastPathType; }

private:
    bool walkItem(const QString& path);
    bool walkPackage(const QString& packagePath);
    bool offer(const QString& path, bool fromLibrary);
    bool countAdmitted(const QString& path);

    const Hooks hooks;
    const int photoLimit;
    const std::atomic<bool>& isStopped;
    const bool withSubFolders;
    const QStringList imageExtensions;
    QStringList admitted;
    bool limitExceeded = false;
    int lastPathType = LibraryKind::None;
};

} // namespace fw
