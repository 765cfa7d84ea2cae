#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace fw {

// Lists the files of a folder for the adding walk, handing each to a visitor
// as soon as it is found, so a walk over a large tree can end early and never
// holds the whole list. Runs on the adding walk's task.
//
// A name that is not valid UTF-8 cannot be held in a QString path, and Qt
// leaves such entries out of its listings, so they are never offered.
class FolderWalker {
public:
    // Gets a file path; returns false to end the walk.
    using Visitor = std::function<bool(const QString& path)>;

    // Every file below the folder, depth first in the file system's own order:
    // hidden files and folders are skipped, packages are not entered, and a
    // linked folder is entered only the first time its real folder is met, so
    // link loops end. Unreadable folders are logged and left out. Returns
    // false when the visitor ended the walk.
    static bool walkTree(const QString& folder, const Visitor& visit);

    // The folder's direct entries, hidden ones included, whose extension is
    // exactly one of the given extensions. Returns false when the visitor
    // ended the walk.
    static bool walkFolder(const QString& folder, const QStringList& extensions,
                           const Visitor& visit);

private:
    static bool walkTreeFrom(const QString& folder, QSet<QString>& enteredFolders,
                             const Visitor& visit);
};

} // namespace fw
