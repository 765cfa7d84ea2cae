// The per-file step of ProcessingView: one photo from its source to its
// output, on the run's worker.
#include "app/AppDelegate.h"
#include "platform/FileSystemProbe.h"
#include "platform/ImageService.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "processing/ImageFilter.h"
#include "processing/ImageSaver.h"
#include "processing/OutputPathPlanner.h"
#include "processing/PhotoChecks.h"
#include "processing/ProcessingView.h"
#include "processing/Utils.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logStep, "framewright.run")

constexpr int failure = 2;
constexpr int success = 1;

bool isPict(const QString& extension)
{
    return extension.toUpper() == "PICT";
}

} // namespace

void ProcessingView::processFileFromBunch(const PhotoFilePtr& photo, int /*index*/, int processFlag)
{
    QString outputPath =
        OutputPathPlanner(outputSettingObject, rawConvertFormat).updatedFilePathWithSetting(*photo);
    photo->filePathNew = outputPath;
    runOnMainThread([this, photo] {
        if (!isProcessOnHold) {
            currentPathText = photo->filePath;
            Q_EMIT changed();
        }
    });
    if (currentFileFlag == UseNewName) {
        currentFileFlag = NoAnswer;
        outputPath = newFilePath;
    }

    const std::optional<qint64> freeBytes = fileSystem.bytesAvailable(QFileInfo(outputPath).path());
    if (freeBytes && *freeBytes < minimumFreeBytes) {
        runOnMainThread([this, photo] {
            photo->processStatus = Skipped;
            showEnoughSpacePopup();
        });
    }
    if (!PathInfo::of(photo->fileURL).exists()) {
        finishPhoto(*photo, MissingAtSource, failure, "FILE_NOT_PROCESSED");
        return;
    }
    // A source whose permissions changed since it was added is refused as an
    // access fault, not measured as an empty picture.
    if (!fileSystem.isReadable(photo->fileURL)) {
        finishPhoto(*photo, SourceAccessDenied, SourceAccessDenied, "PERMISSION_ERROR");
        return;
    }
    const std::optional<ImageSaver::ExistingFile> existingFile =
        resolveExistingOutput(photo, outputPath, processFlag);
    if (!existingFile || !isPHOTOS_PROCESSING_IN_PROGERESS)
        return;

    const QString outputFolder = QFileInfo(outputPath).path();
    if (!PathInfo::of(outputFolder).isDir() && NativePath::makePath(outputFolder))
        qCDebug(logStep) << "directory created successfully" << outputFolder;
    photo->filePathNew = outputPath;
    writePhoto(photo, outputPath, *existingFile, processFlag);
}

// Sizes, turns and writes the photo. Only a photo whose output is encoded is
// decoded, and then straight at its output size: a byte copy needs no pixels.
void ProcessingView::writePhoto(const PhotoFilePtr& photo, const QString& outputPath,
                                ImageSaver::ExistingFile existingFile, int processFlag)
{
    const QSizeF sourceSize = utils.getImageOriginalSizeAtFilePathUrl(photo->fileURL);
    if (sourceSize.isEmpty()) {
        finishPhoto(*photo, NotRead, failure, "FILE_NOT_READ");
        return;
    }
    const SizeObject& sizeObject = resizingOptionObject.sizeObject;
    const std::optional<QSize> target = sizeObject.isKeepOriginalSize
                                            ? std::nullopt
                                            : ImageFilter::resizeTarget(sourceSize, sizeObject);
    if (!sizeObject.isKeepOriginalSize && !target) {
        finishPhoto(*photo, SizeTooLarge, failure, "FILE_SIZE_EXCEEDED");
        return;
    }
    const QString outputFolder = QFileInfo(outputPath).path();
    if (const auto denied = PhotoChecks(fileSystem).permissionStatus(*photo, outputFolder)) {
        finishPhoto(*photo, *denied, *denied, "PERMISSION_ERROR");
        return;
    }
    if (PhotoChecks::isNameTooLong(outputPath)) {
        finishPhoto(*photo, InvalidFileName, failure, "FILE_NOT_PROCESSED");
        return;
    }

    const ImageSaver saver(utils.imageService(), outputSettingObject,
                           resizingOptionObject.rotationType);
    const bool changed = ImageFilter::isAnyChangesMadeInImageFilterObject(resizingOptionObject);
    const bool encoded = saver.needsEncoding(*photo, outputPath, changed);
    Image result;
    if (encoded) {
        result = transformedPicture(*photo, sourceSize, target);
        if (!result.isValid()) {
            finishPhoto(*photo, NotRead, failure, "FILE_NOT_READ");
            return;
        }
    }
    const ImageSaver::Saved saved = saver.saveImageUsingDefaultMethodInDirectoryFilteredImg(
        result, outputPath, *photo, changed, existingFile);
    if (saved.nameTaken) {
        outputAppearedMeanwhile(photo, outputPath, processFlag);
        return;
    }
    if (!saved.outcome) {
        qCWarning(logStep) << "not saved:" << saved.outcome.message();
        // Pixels are decoded while they are written, so a source that stops
        // short shows only now; it is the source's fault, not the output's.
        if (encoded && !utils.imageService().decodesCompletely(photo->fileURL))
            finishPhoto(*photo, NotRead, failure, "FILE_NOT_READ");
        else
            finishPhoto(*photo, NotSaved, failure, "FILE_NOT_SAVED");
        return;
    }
    ++counterProcessedSuccessfully;
    photo->filePathNew = saved.path;
    photo->newfileSizeInBytes = static_cast<double>(PathInfo::of(saved.path).size());
    photo->newfileSizeAsString = Utils::unitStringFromBytes(photo->newfileSizeInBytes, 0);
    finishPhoto(*photo, Processed, success, "FILE_PROCESS");
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
    const int answer = currentFileFlag;
    const bool mayAsk = outputSettingObject.askBeforeOverwrite && processFlag != KeepAll &&
                        answer != ReplaceThis && answer != KeepBoth;
    if (PathInfo::ofLink(outputPath).exists() && processFlag != ReplaceAll && mayAsk) {
        if (processFlag == SkipAll || answer == SkipThis) {
            currentFileFlag = NoAnswer;
            finishPhoto(*photo, Skipped, failure, "FILE_SIZE_EXCEEDED");
            return std::nullopt;
        }
        askAboutExistingOutput(photo, outputPath);
        return std::nullopt;
    }
    currentFileFlag = NoAnswer;
    if (processFlag == KeepAll || answer == KeepBoth) {
        outputPath = Utils::stringToAvoidNameCollisionForPath(outputPath);
        return ImageSaver::ExistingFile::TakeFreeName;
    }
    if (mayAsk && processFlag != ReplaceAll)
        return ImageSaver::ExistingFile::Keep;
    return ImageSaver::ExistingFile::Replace;
}

// A file appeared at the output name while the photo was written, in a run
// that does not overwrite unasked: skip-all skips the photo, otherwise the
// user is asked about it as about any existing output.
void ProcessingView::outputAppearedMeanwhile(const PhotoFilePtr& photo, const QString& outputPath,
                                             int processFlag)
{
    if (processFlag == SkipAll) {
        finishPhoto(*photo, Skipped, failure, "FILE_SIZE_EXCEEDED");
        return;
    }
    askAboutExistingOutput(photo, outputPath);
}

void ProcessingView::askAboutExistingOutput(const PhotoFilePtr& photo, const QString& outputPath)
{
    runOnMainThread([this, photo, outputPath] {
        if (!isProcessOnHold)
            showOverwriteExistingFilePopup(photo, outputPath);
    });
}

void ProcessingView::finishPhoto(PhotoFile& photo, int status, int progressStatus,
                                 const char* messageKey)
{
    photo.processStatus = status;
    report(progressStatus, messageKey);
}

void ProcessingView::report(int progressStatus, const char* messageKey)
{
    const QString message = localized(messageKey);
    runOnMainThread([this, progressStatus, message] {
        callForUpdatingProgressWithCountWithProcessStatus(progressStatus, message);
    });
}

} // namespace fw
