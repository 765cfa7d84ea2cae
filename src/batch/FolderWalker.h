#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace fw {

// Lists the files of a folder for the adding walk, handing each to a visitor
// as soon as it is found, so a walk over a large tree can end early and never
// holds the whole list. Names are kept byte for byte (see NativePath), so a
// file whose name is not UTF-8 is offered like any other. Runs on the adding
// walk's task.
class FolderWalker {
public:
    // Gets a file path; returns false to end the walk.
    using Visitor = std::function<bool(const QString& path)>;
    // Asked before every entry; false ends the walk (Stop, or closing).
    using KeepGoing = std::function<bool()>;

    // Every file below the folder, depth first in the file system's own order.
    // Hidden files and folders are skipped and packages are not entered.
    // Links to files are followed; links to folders are not, as a desktop
    // folder walk does, so a link to "/" cannot pull the whole disk in.
    // Devices, sockets and pipes are left out. Unreadable folders are logged
    // and left out. Returns false when the walk was ended.
    static bool walkTree(const QString& folder, const Visitor& visit, const KeepGoing& keepGoing);

    // The folder's direct entries, hidden ones included, whose extension is
    // exactly one of the given extensions. Returns false when the walk was
    // ended.
    static bool walkFolder(const QString& folder, const QStringList& extensions,
                           const Visitor& visit, const KeepGoing& keepGoing);

private:
    static bool walkTreeFrom(const QString& folder, QSet<QString>& enteredFolders,
                             const Visitor& visit, const KeepGoing& keepGoing);
};

} // namespace fw
