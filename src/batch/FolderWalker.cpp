#include "batch/FolderWalker.h"

#include "batch/LibraryPackage.h"
#include "platform/FolderListing.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logWalk, "framewright.adding", QtCriticalMsg)

using Kind = FolderListing::Kind;

} // namespace

bool FolderWalker::walkTree(const QString& folder, const Visitor& visit, const KeepGoing& keepGoing)
{
    QSet<QString> enteredFolders;
    return walkTreeFrom(folder, enteredFolders, visit, keepGoing);
}

// Only the folder the walk starts from can be reached through a link, so the
// set of entered folders guards against a tree that reaches itself by a bind
// mount.
bool FolderWalker::walkTreeFrom(const QString& folder, QSet<QString>& enteredFolders,
                                const Visitor& visit, const KeepGoing& keepGoing)
{
    const QString realFolder = NativePath::canonical(folder);
    if (realFolder.isEmpty() || enteredFolders.contains(realFolder))
        return true;
    enteredFolders.insert(realFolder);
    const auto result = FolderListing::forEachEntry(folder, [&](const QString& name, Kind kind) {
        if (!keepGoing())
            return false;
        if (name.startsWith('.'))
            return true;
        const QString path = folder + '/' + name;
        switch (kind) {
        case Kind::File:
            return visit(path);
        case Kind::Folder:
            return LibraryPackage::isPackage(path) ||
                   walkTreeFrom(path, enteredFolders, visit, keepGoing);
        case Kind::Link:
            return !PathInfo::of(path).isFile() || visit(path);
        case Kind::Other:
            return true;
        }
        return true;
    });
    if (result == FolderListing::Result::Unreadable)
        qCWarning(logWalk).noquote() << "[Error] cannot read the folder (" + folder + ")";
    return result != FolderListing::Result::Ended;
}

bool FolderWalker::walkFolder(const QString& folder, const QStringList& extensions,
                              const Visitor& visit, const KeepGoing& keepGoing)
{
    const auto result = FolderListing::forEachEntry(folder, [&](const QString& name, Kind) {
        if (!keepGoing())
            return false;
        return !extensions.contains(QFileInfo(name).suffix()) || visit(folder + '/' + name);
    });
    return result != FolderListing::Result::Ended;
}

} // namespace fw
