#include "processing/OutputPathPlanner.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "processing/KnownFormats.h"
#include "processing/OutputOptionSettings.h"

#include <QDir>
#include <QFileInfo>

namespace fw {

namespace {

// The source folder without its first component below the root:
// /Users/ann/Trips becomes /ann/Trips, so the tree below the destination
// starts at the owner's folder rather than repeating the volume's top level.
// A photo directly below the root rebuilds nothing.
QString rebuiltSourceFolder(const QString& sourceFolder)
{
    const qsizetype secondSlash = sourceFolder.indexOf('/', 1);
    if (!sourceFolder.startsWith('/') || secondSlash < 0)
        return {};
    return sourceFolder.mid(secondSlash);
}

} // namespace

OutputPathPlanner::OutputPathPlanner(const OutputOptionSettings& output, QString rawConvertFormat)
    : output(output), rawConvertFormat(std::move(rawConvertFormat))
{
}

QString OutputPathPlanner::updatedFilePathWithSetting(const PhotoFile& photo) const
{
    return QStringLiteral("%1/%2.%3")
        .arg(outputFolderFor(photo), outputNameFor(photo), outputExtensionFor(photo));
}

QString OutputPathPlanner::outputFolderFor(const PhotoFile& photo) const
{
    const QString sourceFolder = QFileInfo(photo.filePath).path();
    if (output.folderOption != FolderOption::IntoFolder)
        return sourceFolder;
    QString folder = QDir::cleanPath(output.ouptputFolder);
    if (output.keepFolderHierarchy && !photo.isIphotosNode)
        folder += rebuiltSourceFolder(sourceFolder);
    return folder;
}

QString OutputPathPlanner::outputNameFor(const PhotoFile& photo) const
{
    const QString name = QFileInfo(photo.fileName).completeBaseName();
    switch (output.filenameOption) {
    case FileNameOption::WithPixelSize:
        return QStringLiteral("%1_%2X%3")
            .arg(name, QString::number(static_cast<int>(photo.width)),
                 QString::number(static_cast<int>(photo.height)));
    case FileNameOption::Prefix:
        return output.prefixString + name;
    case FileNameOption::Suffix:
        return name + output.prefixString;
    default:
        return name;
    }
}

QString OutputPathPlanner::outputExtensionFor(const PhotoFile& photo) const
{
    if (output.formatOption != FormatOption::KeepFormat)
        return KnownFormats::extensionAt(output.selectedFileFormat);
    if (KnownFormats::indexOfExtension(photo.fileExtension) >= 0)
        return photo.fileExtension;
    return rawConvertFormat;
}

} // namespace fw
