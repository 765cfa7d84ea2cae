// The per-file step of ProcessingView: one photo from its source to its
// output, on the run's worker. Every check that needs no pixels comes before
// anything is decoded; the step's outcome goes to the main thread as a
// result record.
#include "core/MainThreadCall.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/FileSystemProbe.h"
#include "platform/ImageService.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "processing/FreeSpaceRule.h"
#include "processing/ImageFilter.h"
#include "processing/ImageSaver.h"
#include "processing/OutputPathPlanner.h"
#include "processing/PhotoChecks.h"
#include "processing/ProcessingView.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logStep, "framewright.run", QtCriticalMsg)

bool isPict(const QString& extension)
{
    return extension.toUpper() == "PICT";
}

PhotoResult failed(int status, const QString& outputPath, const char* messageKey)
{
    return {status, ProgressStatus::Failure, outputPath, 0, messageKey};
}

PhotoResult denied(int status, const QString& outputPath)
{
    return {status, status, outputPath, 0, StringKey::PERMISSION_ERROR};
}

PhotoResult skipped(const QString& outputPath)
{
    return {PhotoStatus::Skipped, ProgressStatus::Skipped, outputPath, 0,
            StringKey::FILE_SIZE_EXCEEDED};
}

} // namespace

void ProcessingView::processFileFromBunch(const PhotoFilePtr& photo, int /*index*/, int processFlag)
{
    QString outputPath =
        OutputPathPlanner(outputSettingObject, rawConvertFormat).updatedFilePathWithSetting(*photo);
    showCurrentPath(photo);
    if (run.currentFileFlag == FileAnswer::UseNewName) {
        run.currentFileFlag = FileAnswer::NoAnswer;
        outputPath = newFilePath;
    }

    // A full volume stops the run before anything is decoded or written. A
    // folder that cannot be written at all (a read-only volume reports no
    // free space) is told as such by the permission check further on.
    const QString folder = QFileInfo(outputPath).path();
    if (fileSystem.isWritable(folder) && !FreeSpaceRule(fileSystem).hasRoomFor(folder)) {
        stopForSpace(photo);
        return;
    }
    if (!PathInfo::of(photo->fileURL).exists()) {
        report(photo,
               failed(PhotoStatus::MissingAtSource, outputPath, StringKey::FILE_NOT_PROCESSED));
        return;
    }
    // A source whose permissions changed since it was added is refused as an
    // access fault, not measured as an empty picture.
    if (!fileSystem.isReadable(photo->fileURL)) {
        report(photo, denied(PhotoStatus::SourceAccessDenied, outputPath));
        return;
    }
    const std::optional<ImageSaver::ExistingFile> existingFile =
        resolveExistingOutput(photo, outputPath, processFlag);
    if (!existingFile || !run.isActive())
        return;

    const QString outputFolder = QFileInfo(outputPath).path();
    if (outputSettingObject.folderOption == FolderOption::IntoFolder &&
        !PhotoChecks::staysInside(outputFolder, outputSettingObject.ouptputFolder)) {
        report(photo, denied(PhotoStatus::DestinationAccessDenied, outputPath));
        return;
    }
    if (!PathInfo::of(outputFolder).isDir() && NativePath::makePath(outputFolder))
        qCDebug(logStep) << "directory created successfully" << outputFolder;
    writePhoto(photo, outputPath, *existingFile, processFlag);
}

void ProcessingView::showCurrentPath(const PhotoFilePtr& photo)
{
    runOnMainThread([this, photo] {
        if (!run.isHeld()) {
            currentPathText = photo->filePath;
            Q_EMIT changed();
        }
    });
}

// Sizes, turns and writes the photo. Only a photo whose output is encoded is
// decoded, and then straight at its output size: a byte copy needs no pixels.
void ProcessingView::writePhoto(const PhotoFilePtr& photo, const QString& outputPath,
                                ImageSaver::ExistingFile existingFile, int processFlag)
{
    const QSizeF sourceSize = utils.getImageOriginalSizeAtFilePathUrl(photo->fileURL);
    if (sourceSize.isEmpty()) {
        report(photo, failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ));
        return;
    }
    const SizeObject& sizeObject = resizingOptionObject.sizeObject;
    const std::optional<QSize> target = sizeObject.isKeepOriginalSize
                                            ? std::nullopt
                                            : ImageFilter::resizeTarget(sourceSize, sizeObject);
    if (!sizeObject.isKeepOriginalSize && !target) {
        report(photo, failed(PhotoStatus::SizeTooLarge, outputPath, StringKey::FILE_SIZE_EXCEEDED));
        return;
    }
    const QString outputFolder = QFileInfo(outputPath).path();
    if (const auto status = PhotoChecks(fileSystem).permissionStatus(*photo, outputFolder)) {
        report(photo, denied(*status, outputPath));
        return;
    }
    if (PhotoChecks::isNameTooLong(outputPath)) {
        report(photo,
               failed(PhotoStatus::InvalidFileName, outputPath, StringKey::FILE_NOT_PROCESSED));
        return;
    }

    const FreeSpaceRule spaceRule(fileSystem);
    const ImageSaver saver(utils.imageService(), outputSettingObject,
                           resizingOptionObject.rotationType, &spaceRule);
    const bool changed = ImageFilter::isAnyChangesMadeInImageFilterObject(resizingOptionObject);
    const bool encoded = saver.needsEncoding(*photo, outputPath, changed);
    Image result;
    if (encoded) {
        result = transformedPicture(*photo, sourceSize, target);
        if (!result.isValid()) {
            report(photo, failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ));
            return;
        }
    }
    const ImageSaver::Saved saved = saver.saveImageUsingDefaultMethodInDirectoryFilteredImg(
        result, outputPath, *photo, changed, existingFile);
    if (saved.nameTaken) {
        outputAppearedMeanwhile(photo, outputPath, processFlag);
        return;
    }
    if (saved.outOfSpace) {
        stopForSpace(photo);
        return;
    }
    if (!saved.outcome) {
        qCWarning(logStep) << "not saved:" << saved.outcome.message();
        // Pixels are decoded while they are written, so a source that stops
        // short shows only now; it is the source's fault, not the output's.
        if (encoded && !utils.imageService().decodesCompletely(photo->fileURL))
            report(photo, failed(PhotoStatus::NotRead, outputPath, StringKey::FILE_NOT_READ));
        else
            report(photo, failed(PhotoStatus::NotSaved, outputPath, StringKey::FILE_NOT_SAVED));
        return;
    }
    report(photo, {PhotoStatus::Processed, ProgressStatus::Success, saved.path,
                   static_cast<double>(PathInfo::of(saved.path).size()), StringKey::FILE_PROCESS});
}

// The picture upright, at the output size, flipped and turned; invalid when
// it cannot be decoded.
Image ProcessingView::transformedPicture(const PhotoFile& photo, const QSizeF& sourceSize,
                                         const std::optional<QSize>& target) const
{
    const std::optional<Image> decoded =
        utils.getImageWithFixedOrientionFromUrl(photo.fileURL, target);
    if (!decoded)
        return {};
    Image result = ImageFilter::getFilteredImage(*decoded, resizingOptionObject, sourceSize).image;
    if (resizingOptionObject.sizeObject.isKeepOriginalSize && !isPict(photo.fileExtension) &&
        decoded->width() != static_cast<int>(sourceSize.width()))
        result = Utils::scaleImage(result, sourceSize.width(), sourceSize.height());
    return result;
}

// An existing output is overwritten, skipped, asked about, or replaced by a
// free name, by the standing answer and the one-photo answer. Gives what the
// output does to a file that appears at its name while it is written; none
// when the photo is done here (skipped, or waiting on the question).
std::optional<ImageSaver::ExistingFile>
ProcessingView::resolveExistingOutput(const PhotoFilePtr& photo, QString& outputPath,
                                      int processFlag)
{
    const int answer = run.currentFileFlag;
    const bool mayAsk = outputSettingObject.askBeforeOverwrite &&
                        processFlag != ProcessFlag::KeepAll && answer != FileAnswer::ReplaceThis &&
                        answer != FileAnswer::KeepBoth;
    if (PathInfo::ofLink(outputPath).exists() && processFlag != ProcessFlag::ReplaceAll && mayAsk) {
        if (processFlag == ProcessFlag::SkipAll || answer == FileAnswer::SkipThis) {
            run.currentFileFlag = FileAnswer::NoAnswer;
            report(photo, skipped(outputPath));
            return std::nullopt;
        }
        askAboutExistingOutput(photo, outputPath);
        return std::nullopt;
    }
    run.currentFileFlag = FileAnswer::NoAnswer;
    if (processFlag == ProcessFlag::KeepAll || answer == FileAnswer::KeepBoth) {
        outputPath = Utils::stringToAvoidNameCollisionForPath(outputPath);
        return ImageSaver::ExistingFile::TakeFreeName;
    }
    if (mayAsk && processFlag != ProcessFlag::ReplaceAll)
        return ImageSaver::ExistingFile::Keep;
    return ImageSaver::ExistingFile::Replace;
}

// A file appeared at the output name while the photo was written, in a run
// that does not overwrite unasked: skip-all skips the photo, otherwise the
// user is asked about it as about any existing output.
void ProcessingView::outputAppearedMeanwhile(const PhotoFilePtr& photo, const QString& outputPath,
                                             int processFlag)
{
    if (processFlag == ProcessFlag::SkipAll) {
        report(photo, skipped(outputPath));
        return;
    }
    askAboutExistingOutput(photo, outputPath);
}

void ProcessingView::askAboutExistingOutput(const PhotoFilePtr& photo, const QString& outputPath)
{
    runOnMainThread([this, photo, outputPath] {
        if (!run.isHeld())
            showOverwriteExistingFilePopup(photo, outputPath);
    });
}

void ProcessingView::stopForSpace(const PhotoFilePtr& photo)
{
    runOnMainThread([this, photo] { showEnoughSpacePopup(photo); });
}

void ProcessingView::report(const PhotoFilePtr& photo, const PhotoResult& result)
{
    runOnMainThread([this, photo, &result] {
        callForUpdatingProgressWithCountWithProcessStatus(photo, result);
    });
}

} // namespace fw
