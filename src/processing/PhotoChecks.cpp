#include "processing/PhotoChecks.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "platform/FileSystemProbe.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logChecks, "framewright.run", QtCriticalMsg)

constexpr qsizetype longestNameBytes = 255;

} // namespace

std::optional<int> PhotoChecks::permissionStatus(const PhotoFile& photo,
                                                 const QString& outputFolder) const
{
    // Reading a photo needs read permission only: one on read-only media or
    // in another user's folder is written out as any other. A locked
    // (immutable) file stays untouched by the user's choice.
    if (fileSystem.isImmutable(photo.filePath)) {
        qCDebug(logChecks) << "File is locked" << photo.filePath;
        return PhotoStatus::SourceAccessDenied;
    }
    const bool folderExists = PathInfo::of(outputFolder).isDir();
    if (!folderExists || !fileSystem.isWritable(outputFolder))
        return folderExists ? PhotoStatus::DestinationAccessDenied
                            : PhotoStatus::DestinationFolderMissing;
    return std::nullopt;
}

namespace {

// The real path of the part that exists, with the part still to be made
// after it as written.
QString realPathOf(const QString& path)
{
    QString existing = QDir::cleanPath(path);
    QString toBeMade;
    while (!PathInfo::of(existing).exists() && QFileInfo(existing).path() != existing) {
        toBeMade.prepend('/' + QFileInfo(existing).fileName());
        existing = QFileInfo(existing).path();
    }
    return NativePath::canonical(existing) + toBeMade;
}

} // namespace

bool PhotoChecks::staysInside(const QString& folder, const QString& destination)
{
    const QString realDestination = realPathOf(destination);
    const QString real = realPathOf(folder);
    return real == realDestination || real.startsWith(realDestination + '/');
}

bool PhotoChecks::isNameTooLong(const QString& outputPath)
{
    return NativePath::encode(QFileInfo(outputPath).fileName()).size() > longestNameBytes;
}

} // namespace fw
