#include "processing/RunPreview.h"

#include "core/Codes.h"
#include "core/Utils.h"
#include "platform/FileSystemProbe.h"
#include "platform/PathInfo.h"
#include "processing/ImageFilter.h"
#include "processing/KnownFormats.h"
#include "processing/OutputPathPlanner.h"
#include "processing/PhotoChecks.h"

#include <QFileInfo>

namespace fw {

RunPreview::RunPreview(const OutputOptionSettings& output,
                       const ResizingOptionsSettingObject& geometry, QString rawConvertFormat,
                       int processFlag, const FileSystemProbe& fileSystem)
    : output(output), geometry(geometry), rawConvertFormat(std::move(rawConvertFormat)),
      processFlag(processFlag), fileSystem(fileSystem)
{
}

// The checks come in the order the run makes them, so the first that fails
// gives the status the run would give.
RunPreview::PhotoPreview RunPreview::previewOf(const PhotoFile& photo, int ordinal) const
{
    PhotoPreview preview;
    preview.uprightSize = QSize(static_cast<int>(photo.width), static_cast<int>(photo.height));
    preview.outputPath = OutputPathPlanner(output, rawConvertFormat, geometry)
                             .updatedFilePathWithSetting(photo, ordinal);
    if (!PathInfo::of(photo.filePath).exists()) {
        preview.status = PhotoStatus::MissingAtSource;
        return preview;
    }
    if (!fileSystem.isReadable(photo.filePath)) {
        preview.status = PhotoStatus::SourceAccessDenied;
        return preview;
    }
    if (PathInfo::ofLink(preview.outputPath).exists()) {
        if (processFlag == ProcessFlag::SkipAll && output.askBeforeOverwrite) {
            preview.status = PhotoStatus::Skipped;
            return preview;
        }
        const bool keeps = processFlag == ProcessFlag::KeepAll;
        preview.existing = keeps ? PhotoPreview::Existing::Kept : PhotoPreview::Existing::Replaced;
        if (keeps)
            preview.outputPath = Utils::stringToAvoidNameCollisionForPath(preview.outputPath);
    }
    const std::optional<QSize> size =
        ImageFilter::outputSize(QSizeF(preview.uprightSize), geometry);
    if (!size) {
        preview.status = PhotoStatus::SizeTooLarge;
        return preview;
    }
    if (!KnownFormats::holds(QFileInfo(preview.outputPath).suffix(), *size)) {
        preview.status = PhotoStatus::TooLargeForFormat;
        return preview;
    }
    preview.outputSize = *size;
    checkWriting(photo, preview);
    if (preview.status != PhotoStatus::Processed)
        preview.outputSize = QSize();
    return preview;
}

// A folder the run would make counts as there when it can be made.
void RunPreview::checkWriting(const PhotoFile& photo, PhotoPreview& preview) const
{
    const QString folder = QFileInfo(preview.outputPath).path();
    std::optional<int> denied = PhotoChecks(fileSystem).permissionStatus(photo, folder);
    if (denied == PhotoStatus::DestinationFolderMissing && canMakeFolder(folder))
        denied.reset();
    if (denied)
        preview.status = *denied;
    else if (PhotoChecks::isNameTooLong(preview.outputPath))
        preview.status = PhotoStatus::InvalidFileName;
    else
        preview.status = PhotoStatus::Processed;
}

bool RunPreview::canMakeFolder(const QString& folder) const
{
    QString existing = folder;
    while (!PathInfo::of(existing).exists() && existing != "/")
        existing = QFileInfo(existing).path();
    return PathInfo::of(existing).isDir() && fileSystem.isWritable(existing);
}

} // namespace fw
