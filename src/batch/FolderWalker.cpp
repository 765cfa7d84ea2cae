#include "batch/FolderWalker.h"

#include "batch/LibraryPackage.h"

#include <QDir>
#include <QDirIterator>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logWalk, "framewright.adding")

// Devices, sockets and pipes are left out: opening a pipe named like a photo
// would wait for a writer for ever.
constexpr QDir::Filters treeEntries = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;

} // namespace

bool FolderWalker::walkTree(const QString& folder, const Visitor& visit)
{
    QSet<QString> enteredFolders;
    return walkTreeFrom(folder, enteredFolders, visit);
}

bool FolderWalker::walkTreeFrom(const QString& folder, QSet<QString>& enteredFolders,
                                const Visitor& visit)
{
    const QFileInfo folderInfo(folder);
    const QString realFolder = folderInfo.canonicalFilePath();
    if (realFolder.isEmpty() || enteredFolders.contains(realFolder))
        return true;
    enteredFolders.insert(realFolder);
    if (!folderInfo.isReadable() || !folderInfo.isExecutable()) {
        qCWarning(logWalk).noquote() << "[Error] cannot read the folder (" + folder + ")";
        return true;
    }
    QDirIterator entries(folder, treeEntries);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        if (!entry.isDir()) {
            if (!visit(entry.filePath()))
                return false;
        } else if (!LibraryPackage::isPackage(entry) &&
                   !walkTreeFrom(entry.filePath(), enteredFolders, visit)) {
            return false;
        }
    }
    return true;
}

bool FolderWalker::walkFolder(const QString& folder, const QStringList& extensions,
                              const Visitor& visit)
{
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        if (extensions.contains(entries.fileInfo().suffix()) &&
            !visit(folder + '/' + entries.fileName()))
            return false;
    }
    return true;
}

} // namespace fw
