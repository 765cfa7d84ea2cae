// The per-file step of ProcessingView: one photo from its source to its
// output, on the run's worker.
#include "app/AppDelegate.h"
#include "platform/FileSystemProbe.h"
#include "processing/ImageFilter.h"
#include "processing/ImageSaver.h"
#include "processing/OutputPathPlanner.h"
#include "processing/ProcessingView.h"
#include "processing/Utils.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logStep, "framewright.run")

// Linux file systems limit a name to 255 bytes, whatever the characters.
constexpr qsizetype longestNameBytes = 255;
constexpr int failure = 2;
constexpr int success = 1;

bool isPict(const QString& extension)
{
    return extension.toUpper() == "PICT";
}

} // namespace

void ProcessingView::processFileFromBunch(const PhotoFilePtr& photo, int /*index*/, int processFlag)
{
    // Everything the photo needs is known before its pixels are decoded, so
    // the decoder can shrink on load straight to the output size.
    const QSizeF sourceSize = utils.getImageOriginalSizeAtFilePathUrl(photo->fileURL);
    const SizeObject& sizeObject = resizingOptionObject.sizeObject;
    const std::optional<QSize> target = sizeObject.isKeepOriginalSize
                                            ? std::nullopt
                                            : ImageFilter::resizeTarget(sourceSize, sizeObject);
    const std::optional<Image> decoded =
        utils.getImageWithFixedOrientionFromUrl(photo->fileURL, target);

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
    if (!QFileInfo::exists(photo->fileURL)) {
        finishPhoto(*photo, MissingAtSource, failure, "FILE_NOT_PROCESSED");
        return;
    }
    if (!resolveExistingOutput(photo, outputPath, processFlag))
        return;
    if (!isPHOTOS_PROCESSING_IN_PROGERESS)
        return;

    const QString outputFolder = QFileInfo(outputPath).path();
    if (!QFileInfo(outputFolder).isDir() && QDir().mkpath(outputFolder))
        qCDebug(logStep) << "directory created successfully" << outputFolder;
    photo->filePathNew = outputPath;

    const FilteredImage filtered =
        ImageFilter::getFilteredImage(decoded.value_or(Image()), resizingOptionObject, sourceSize);
    if (filtered.status == 0) {
        finishPhoto(*photo, SizeTooLarge, failure, "FILE_SIZE_EXCEEDED");
        return;
    }
    Image result = filtered.image;
    if (decoded && sizeObject.isKeepOriginalSize && !isPict(photo->fileExtension) &&
        decoded->width() != static_cast<int>(sourceSize.width()))
        result = Utils::scaleImage(result, sourceSize.width(), sourceSize.height());

    if (const std::optional<int> denied = permissionStatus(*photo, outputFolder)) {
        finishPhoto(*photo, *denied, *denied, "PERMISSION_ERROR");
        return;
    }
    if (QFileInfo(outputPath).fileName().toUtf8().size() > longestNameBytes) {
        finishPhoto(*photo, InvalidFileName, failure, "FILE_NOT_PROCESSED");
        return;
    }

    const ImageSaver saver(utils.imageService(), outputSettingObject,
                           resizingOptionObject.rotationType);
    const Outcome saved = saver.saveImageUsingDefaultMethodInDirectoryFilteredImg(
        result, outputPath, *photo,
        ImageFilter::isAnyChangesMadeInImageFilterObject(resizingOptionObject));
    if (!saved) {
        qCWarning(logStep) << "not saved:" << saved.message();
        finishPhoto(*photo, NotSaved, failure, "FILE_NOT_SAVED");
        return;
    }
    ++counterProcessedSuccessfully;
    photo->newfileSizeInBytes = static_cast<double>(QFileInfo(outputPath).size());
    photo->newfileSizeAsString = Utils::unitStringFromBytes(photo->newfileSizeInBytes, 0);
    finishPhoto(*photo, Processed, success, "FILE_PROCESS");
}

// An existing output is overwritten, skipped, asked about, or replaced by a
// free name, by the standing answer and the one-photo answer. False when the
// photo is done here (skipped, or waiting on the question).
bool ProcessingView::resolveExistingOutput(const PhotoFilePtr& photo, QString& outputPath,
                                           int processFlag)
{
    const int answer = currentFileFlag;
    const bool mayAsk = outputSettingObject.askBeforeOverwrite && processFlag != KeepAll &&
                        answer != ReplaceThis && answer != KeepBoth;
    if (QFileInfo::exists(outputPath) && processFlag != ReplaceAll && mayAsk) {
        if (processFlag == SkipAll || answer == SkipThis) {
            currentFileFlag = NoAnswer;
            finishPhoto(*photo, Skipped, failure, "FILE_SIZE_EXCEEDED");
            return false;
        }
        runOnMainThread([this, photo, outputPath] {
            if (!isProcessOnHold)
                showOverwriteExistingFilePopup(photo, outputPath);
        });
        return false;
    }
    if (processFlag == KeepAll || answer == KeepBoth)
        outputPath = Utils::stringToAvoidNameCollisionForPath(outputPath);
    currentFileFlag = NoAnswer;
    return true;
}

// A source that cannot be written or carries the immutable flag is refused,
// as is an output folder that cannot be written (11) or could not be made (12).
std::optional<int> ProcessingView::permissionStatus(const PhotoFile& photo,
                                                    const QString& outputFolder) const
{
    const bool readOnly = !fileSystem.isWritable(photo.filePath);
    const bool locked = fileSystem.isImmutable(photo.filePath);
    if (locked)
        qCDebug(logStep) << "File is locked" << photo.filePath;
    if (readOnly || locked)
        return SourceAccessDenied;
    const bool folderExists = QFileInfo(outputFolder).isDir();
    if (!folderExists || !fileSystem.isWritable(outputFolder))
        return folderExists ? DestinationAccessDenied : DestinationFolderMissing;
    return std::nullopt;
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
