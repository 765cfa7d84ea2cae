#include "processing/PhotoChecks.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "platform/FileSystemProbe.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"

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
    const bool readOnly = !fileSystem.isWritable(photo.filePath);
    const bool locked = fileSystem.isImmutable(photo.filePath);
    if (locked)
        qCDebug(logChecks) << "File is locked" << photo.filePath;
    if (readOnly || locked)
        return PhotoStatus::SourceAccessDenied;
    const bool folderExists = PathInfo::of(outputFolder).isDir();
    if (!folderExists || !fileSystem.isWritable(outputFolder))
        return folderExists ? PhotoStatus::DestinationAccessDenied
                            : PhotoStatus::DestinationFolderMissing;
    return std::nullopt;
}

bool PhotoChecks::isNameTooLong(const QString& outputPath)
{
    return NativePath::encode(QFileInfo(outputPath).fileName()).size() > longestNameBytes;
}

} // namespace fw
