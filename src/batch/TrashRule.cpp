#include "batch/TrashRule.h"

#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <unistd.h>

namespace fw {

TrashRule::TrashRule(QString dataHome, unsigned userId)
    : homeTrash(QDir::cleanPath(dataHome + "/Trash")), userId(QString::number(userId))
{
}

TrashRule TrashRule::forCurrentUser()
{
    return TrashRule(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                     getuid());
}

bool TrashRule::isInTrash(const QString& path) const
{
    if (path.isEmpty())
        return false;
    const QString written = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString resolved = NativePath::canonical(path);
    for (const QString& candidate : {written, resolved}) {
        if (candidate.isEmpty())
            continue;
        for (const QString& trash : trashFoldersFor(candidate)) {
            if (isWithin(candidate, trash))
                return true;
        }
    }
    return false;
}

QStringList TrashRule::trashFoldersFor(const QString& absolutePath) const
{
    const QDir volumeRoot(volumeRootOf(absolutePath));
    QStringList folders = {homeTrash, volumeRoot.filePath(".Trash-" + userId),
                           volumeRoot.filePath(".Trash/" + userId)};
    // The data folder may itself be reached through a link.
    if (const QString realHomeTrash = NativePath::canonical(homeTrash); !realHomeTrash.isEmpty())
        folders.append(realHomeTrash);
    return folders;
}

bool TrashRule::isWithin(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + '/');
}

// The mount point of the volume that holds the path; a path that does not
// exist (yet) belongs to the volume of its nearest existing parent.
QString TrashRule::volumeRootOf(const QString& absolutePath)
{
    QString existing = absolutePath;
    while (!PathInfo::of(existing).exists() && existing != "/")
        existing = QFileInfo(existing).path();
    const QStorageInfo volume(existing);
    return volume.isValid() ? volume.rootPath() : QStringLiteral("/");
}

} // namespace fw
