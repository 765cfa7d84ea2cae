#include "processing/OutputPathPlanner.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "processing/ImageFilter.h"
#include "processing/KnownFormats.h"
#include "processing/NameTemplate.h"
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

OutputPathPlanner::OutputPathPlanner(const OutputOptionSettings& output, QString rawConvertFormat,
                                     ResizingOptionsSettingObject geometry)
    : output(output), rawConvertFormat(std::move(rawConvertFormat)), geometry(std::move(geometry))
{
}

QString OutputPathPlanner::updatedFilePathWithSetting(const PhotoFile& photo, int ordinal) const
{
    return QStringLiteral("%1/%2.%3")
        .arg(outputFolderFor(photo), outputNameFor(photo, ordinal), outputExtensionFor(photo));
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

QString OutputPathPlanner::outputNameFor(const PhotoFile& photo, int ordinal) const
{
    const QString name = QFileInfo(photo.fileName).completeBaseName();
    switch (output.filenameOption) {
    case FileNameOption::Template:
        return templateNameFor(photo, ordinal);
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

// A template that names nothing (all its text filtered away) falls back on
// the source's name rather than writing a file called ".jpg".
QString OutputPathPlanner::templateNameFor(const PhotoFile& photo, int ordinal) const
{
    const QString sourceName = QFileInfo(photo.fileName).completeBaseName();
    const QSizeF upright(photo.width, photo.height);
    const QSize size = ImageFilter::outputSize(upright, geometry).value_or(upright.toSize());
    const QString name = NameTemplate(output.nameTemplate)
                             .nameFor({sourceName, output.counterStart + ordinal, photo.dateTaken,
                                       size, photo.fileExtension});
    return name.isEmpty() ? sourceName : name;
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
