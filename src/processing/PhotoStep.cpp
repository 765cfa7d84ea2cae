#include "processing/PhotoStep.h"

#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/FileSystemProbe.h"
#include "platform/ImageService.h"
#include "platform/MemoryRelease.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "processing/FreeSpaceRule.h"
#include "processing/ImageFilter.h"
#include "processing/KnownFormats.h"
#include "processing/PhotoChecks.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logStep, "framewright.run", QtCriticalMsg)

// Only pictures this large can leave more freed memory behind than the next
// photo reuses; after smaller ones the check would only cost time.
constexpr double largePicturePixels = 8e6;

using Next = PhotoOutcome::Next;

PhotoOutcome done(PhotoResult result)
{
    return {Next::Done, std::move(result)};
}

PhotoOutcome failed(int status, const QString& outputPath, const char* messageKey)
{
    return done({status, ProgressStatus::Failure, outputPath, 0, messageKey});
}

PhotoOutcome denied(int status, const QString& outputPath)
{
    return done({status, status, outputPath, 0, StringKey::PERMISSION_ERROR});
}

bool isPict(const QString& extension)
{
    return extension.toUpper() == "PICT";
}

} // namespace

PhotoResult PhotoStep::skipped(const QString& outputPath)
{
    return {PhotoStatus::Skipped, ProgressStatus::Skipped, outputPath, 0,
            StringKey::FILE_SIZE_EXCEEDED};
}

PhotoStep::PhotoStep(const ImageService& images, const FileSystemProbe& fileSystem,
                     RunSettings settings)
    : images(images), fileSystem(fileSystem), settings(std::move(settings))
{
}

PhotoOutcome PhotoStep::run(const PhotoTask& task) const
{
    PhotoOutcome outcome = checked(task);
    if (task.photo.width * task.photo.height >= largePicturePixels)
        MemoryRelease::afterLargePhoto();
    return outcome;
}

// Every check that needs no pixels comes before anything is decoded. A full
// volume stops the run before anything is written; a folder that cannot be
// written at all (a read-only volume reports no free space) is told as such.
PhotoOutcome PhotoStep::checked(const PhotoTask& task) const
{
    const PhotoFile& photo = task.photo;
    const QString& outputPath = task.outputPath;
    const QString folder = QFileInfo(outputPath).path();
    if (fileSystem.isWritable(folder) && !FreeSpaceRule(fileSystem).hasRoomFor(folder))
        return {Next::StopForSpace, {}};
    if (!PathInfo::of(photo.fileURL).exists())
        return failed(PhotoStatus::MissingAtSource, outputPath, StringKey::FILE_NOT_PROCESSED);
    // A source whose permissions changed since it was added is refused as an
    // access fault, not measured as an empty picture.
    if (!fileSystem.isReadable(photo.fileURL))
        return denied(PhotoStatus::SourceAccessDenied, outputPath);
    const OutputOptionSettings& output = settings.output;
    if (output.folderOption == FolderOption::IntoFolder &&
        !PhotoChecks::staysInside(folder, output.ouptputFolder))
        return denied(PhotoStatus::DestinationAccessDenied, outputPath);
    if (!PathInfo::of(folder).isDir() && NativePath::makePath(folder))
        qCDebug(logStep) << "directory created successfully" << folder;

    const QVariantMap properties = images.readProperties(photo.fileURL).value_or(QVariantMap{});
    const QSizeF sourceSize = Utils(images).uprightSize(photo.fileURL, properties);
    if (sourceSize.isEmpty())
        return failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ);
    const std::optional<QSize> outputSize = ImageFilter::outputSize(sourceSize, settings.geometry);
    if (!outputSize)
        return failed(PhotoStatus::SizeTooLarge, outputPath, StringKey::FILE_SIZE_EXCEEDED);
    if (!KnownFormats::holds(QFileInfo(outputPath).suffix(), *outputSize))
        return failed(PhotoStatus::TooLargeForFormat, outputPath,
                      StringKey::FILE_TOO_LARGE_FOR_FORMAT);
    const SizeObject& size = settings.geometry.sizeObject;
    const std::optional<QSize> target =
        size.isKeepOriginalSize ? std::nullopt : ImageFilter::resizeTarget(sourceSize, size);
    if (const auto status = PhotoChecks(fileSystem).permissionStatus(photo, folder))
        return denied(*status, outputPath);
    if (PhotoChecks::isNameTooLong(outputPath))
        return failed(PhotoStatus::InvalidFileName, outputPath, StringKey::FILE_NOT_PROCESSED);
    return written(task, properties, sourceSize, target);
}

// Only a photo whose output is encoded is decoded, and then straight at its
// output size: a byte copy needs no pixels.
PhotoOutcome PhotoStep::written(const PhotoTask& task, const QVariantMap& properties,
                                const QSizeF& sourceSize, const std::optional<QSize>& target) const
{
    const PhotoFile& photo = task.photo;
    const QString& outputPath = task.outputPath;
    const FreeSpaceRule spaceRule(fileSystem);
    const ImageSaver saver(images, settings.output, settings.geometry.rotationType, &spaceRule);
    const bool changed = ImageFilter::isAnyChangesMadeInImageFilterObject(settings.geometry);
    const bool encoded = saver.needsEncoding(photo, outputPath, changed);
    Image result;
    if (encoded) {
        result = transformedPicture(photo, properties, sourceSize, target);
        if (!result.isValid())
            return failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ);
    }
    const ImageSaver::Saved saved = saver.saveImageUsingDefaultMethodInDirectoryFilteredImg(
        result, outputPath, photo, properties, changed, task.existingFile);
    if (saved.nameTaken)
        return task.skipsTakenName ? done(skipped(outputPath))
                                   : PhotoOutcome{Next::AskAboutExisting, {}};
    if (saved.outOfSpace)
        return {Next::StopForSpace, {}};
    if (!saved.outcome) {
        qCWarning(logStep) << "not saved:" << saved.outcome.message();
        // Pixels are decoded while they are written, so a source that stops
        // short shows only now; it is the source's fault, not the output's.
        if (encoded && !images.decodesCompletely(photo.fileURL))
            return failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ);
        return failed(PhotoStatus::NotSaved, outputPath, StringKey::FILE_NOT_SAVED);
    }
    return done({PhotoStatus::Processed, ProgressStatus::Success, saved.path,
                 static_cast<double>(PathInfo::of(saved.path).size()), StringKey::FILE_PROCESS});
}

// The picture upright, at the output size, flipped and turned; invalid when
// it cannot be decoded.
Image PhotoStep::transformedPicture(const PhotoFile& photo, const QVariantMap& properties,
                                    const QSizeF& sourceSize,
                                    const std::optional<QSize>& target) const
{
    const std::optional<Image> decoded =
        Utils(images).decodeUpright(photo.fileURL, properties, target);
    if (!decoded)
        return {};
    Image result = ImageFilter::getFilteredImage(*decoded, settings.geometry, sourceSize).image;
    if (settings.geometry.sizeObject.isKeepOriginalSize && !isPict(photo.fileExtension) &&
        decoded->width() != static_cast<int>(sourceSize.width()))
        result = Utils::scaleImage(result, sourceSize.width(), sourceSize.height());
    return result;
}

} // namespace fw
