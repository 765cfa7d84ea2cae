#include "processing/ProcessingView.h"

#include "batch/Batch.h"
#include "core/LocalizedStrings.h"
#include "core/MainThreadCall.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/PathInfo.h"

#include <QHash>
#include <QTimer>

namespace fw {

namespace {

constexpr int openFolderDelayMilliseconds = 200;

const QHash<int, QString>& statusMessageKeys()
{
    static const QHash<int, QString> keys = {
        {PhotoStatus::NotProcessed, StringKey::FILE_NOT_PROCESSED},
        {PhotoStatus::Processed, StringKey::PROCESSED_SUCCESSFULLY},
        {PhotoStatus::MissingAtSource, StringKey::FILE_NOT_AT_SOURCE_DIR},
        {PhotoStatus::SizeTooLarge, StringKey::FILE_DIM_TOO_LONG},
        {PhotoStatus::Skipped, StringKey::FILE_SKIPPED},
        {PhotoStatus::SourceAccessDenied, StringKey::ACCESS_DENIED_SOURCE},
        {PhotoStatus::DestinationAccessDenied, StringKey::ACCESS_DENIED_DEST},
        {PhotoStatus::DestinationFolderMissing, StringKey::DEST_FOLDER_NOT_EXISTS},
        {PhotoStatus::InvalidFileName, StringKey::INVALID_FILENAME},
        {PhotoStatus::NotSaved, StringKey::FILE_NOT_SAVED},
        {PhotoStatus::NotRead, StringKey::FILE_NOT_READ},
        {PhotoStatus::StoppedForSpace, StringKey::STOPPED_FOR_SPACE},
    };
    return keys;
}

} // namespace

ProcessingView::ProcessingView(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                               const QString& rawConvertFormat, NotificationCenter& center,
                               const FileSystemProbe& fileSystem, const Utils& utils,
                               QObject* parent)
    : QObject(parent), batch(batch), strings(strings), flags(flags),
      appRawConvertFormat(rawConvertFormat), center(center), fileSystem(fileSystem), utils(utils),
      run(
          *this,
          [this](const PhotoFilePtr& photo, int index, int processFlag) {
              processFileFromBunch(photo, index, processFlag);
          },
          [this] { showSummaryOnce(); })
{
}

void ProcessingView::setOutputFolderOpener(std::function<void(const QString&)> opener)
{
    outputFolderOpener = std::move(opener);
}

void ProcessingView::startProcess(const OutputOptionSettings& output,
                                  const ResizingOptionsSettingObject& resizingOptionsObject,
                                  int initialProcessFlag)
{
    outputSettingObject = output;
    resizingOptionObject = resizingOptionsObject;
    rawConvertFormat = appRawConvertFormat;
    photos.clear();
    summaryShown = false;
    stopPending = false;
    heldByUser = false;
    run.reset();
    for (const PhotoFilePtr& photo : batch.arraySelectedImagesToProcess()) {
        if (photo->isSelected)
            photos.append(photo);
    }
    batch.updateEach([](PhotoFile& photo) {
        if (!photo.isSelected)
            return false;
        photo.processStatus = PhotoStatus::NotProcessed;
        photo.newfileSizeInBytes = 0;
        photo.newfileSizeAsString.clear();
        photo.filePathNew.clear();
        return true;
    });
    progressValue = 0;
    currentPathText.clear();
    processStartedDateTime = QDateTime::currentDateTime();
    runTimeStamp = RunLog::runTimeStamp(processStartedDateTime);
    setProcessInfoAtBottm();
    startProcessingOfPhotos(initialProcessFlag);
    center.post(NotificationName::notificationsDisbleView);
}

void ProcessingView::startProcessingOfPhotos(int processFlag)
{
    if (photos.isEmpty() || summaryShown)
        return;
    flags.isProcessingInProgress = true;
    titleText = localized(StringKey::PROCESSING);
    run.startWorker(photos, processFlag);
    Q_EMIT changed();
}

// Every report comes from the photo in hand and is always taken, even when a
// hold came while the photo was written: the photo is done, and a resumed
// worker starts after it.
void ProcessingView::callForUpdatingProgressWithCountWithProcessStatus(const PhotoFilePtr& photo,
                                                                       const PhotoResult& result)
{
    if (summaryShown)
        return;
    batch.updatePhoto(photo, [&result](PhotoFile& record) {
        record.processStatus = result.status;
        record.filePathNew = result.outputPath;
        record.newfileSizeInBytes = result.outputBytes;
        record.newfileSizeAsString = result.status == PhotoStatus::Processed
                                         ? Utils::unitStringFromBytes(result.outputBytes, 0)
                                         : QString();
    });
    const int finished = ++run.counterTotalProgressedFiles;
    if (result.status == PhotoStatus::Processed)
        ++run.counterProcessedSuccessfully;
    if (result.progressStatus == ProgressStatus::Failure)
        ++run.counterProcessedWithError;
    if (result.progressStatus == ProgressStatus::Skipped)
        ++run.counterSkipped;
    progressValue = static_cast<int>(finished * 100LL / photos.size());
    setProcessInfoAtBottm();
    Q_EMIT photoFinished(photo, result);
    if (finished == photos.size())
        showSummaryOnce();
    Q_EMIT changed();
}

void ProcessingView::setProcessInfoAtBottm()
{
    const qsizetype count = photos.size();
    const qint64 percent = count > 0 ? run.counterTotalProgressedFiles * 100LL / count : 0;
    progressValues = {QStringLiteral("%1 %").arg(percent),
                      QString::number(run.counterProcessedWithError), elapsedTimeText()};
    progressText = QStringLiteral("%1 %2  |  %3 %4  |  %5 %6 %7")
                       .arg(localized(StringKey::PROCESS_COMPLETED), progressValues[0],
                            localized(StringKey::ERROR_REPORTED), progressValues[1],
                            localized(StringKey::TIME_ELAPSED), progressValues[2],
                            localized(StringKey::APPROX));
}

QString ProcessingView::elapsedTimeText()
{
    const qint64 seconds =
        Utils::getDurationBetweenDate(processStartedDateTime, QDateTime::currentDateTime());
    const Utils::Localizer localize = [this](const QString& key) { return localized(key); };
    const QString text = Utils::timeFormattedString(seconds, localize);
    return text.isEmpty() ? QStringLiteral("1 %1").arg(localize(StringKey::SECONDS)) : text;
}

void ProcessingView::showSummaryOnce()
{
    if (summaryShown)
        return;
    summaryShown = true;
    stopPending = false;
    addSummaryInfo();
}

void ProcessingView::addSummaryInfo()
{
    titleText = localized(StringKey::SUMMARY);
    runSummary = RunSummary::make(photos, run.counterProcessedSuccessfully, run.counterSkipped,
                                  elapsedTimeText());
    insertDetailsInDatabase();
    center.post(NotificationName::notificationsEnable);
    center.post(NotificationName::notificationsSaveasPredefinedSize);
    center.post(NotificationName::notificationsProcessFinished);
    QTimer::singleShot(openFolderDelayMilliseconds, this, [this] { openOutputFolder(); });
    run.setActive(false);
    flags.isProcessingInProgress = false;
    Q_EMIT changed();
    Q_EMIT runFinished();
}

void ProcessingView::insertDetailsInDatabase()
{
    logDetails = RunLog::insertDetailsInDatabase(
        photos, runTimeStamp, [this](int status) { return getMessageForstatus(status); });
}

LogRecord ProcessingView::getLogDetails() const
{
    return {{"timeStamp", runTimeStamp}};
}

void ProcessingView::openOutputFolder()
{
    const QString folder = outputSettingObject.ouptputFolder;
    if (outputSettingObject.folderOption == FolderOption::IntoFolder &&
        PathInfo::of(folder).isDir() && run.counterProcessedSuccessfully > 0 && outputFolderOpener)
        outputFolderOpener(folder);
}

void ProcessingView::holdProcessing()
{
    run.hold();
    Q_EMIT changed();
}

void ProcessingView::restartProcessing()
{
    run.retireWorker();
    run.releaseHold();
    startProcessingOfPhotos(run.currentFileFlag);
}

void ProcessingView::stopProcessing()
{
    heldByUser = false;
    endRunAfterPhotoInHand();
}

// The summary and the log describe the photos as they end up on disk, so a
// worker still in a photo finishes or abandons it first and shows the summary
// as it leaves; with none in a photo the summary comes at once.
void ProcessingView::endRunAfterPhotoInHand()
{
    if (!run.stopAfterPhotoInHand()) {
        showSummaryOnce();
        return;
    }
    if (stopPending || summaryShown)
        return;
    stopPending = true;
    Q_EMIT changed();
}

// While a question holds the run its sheet answers for it; a hold of the
// user's own may be ended by Stop too.
void ProcessingView::btnStopProcessTapped()
{
    if (!run.isHeld() || heldByUser)
        stopProcessing();
}

void ProcessingView::btnHoldResumeTapped()
{
    if (summaryShown || stopPending)
        return;
    if (heldByUser) {
        heldByUser = false;
        titleText = localized(StringKey::PROCESSING);
        restartProcessing();
    } else if (!run.isHeld()) {
        heldByUser = true;
        titleText = localized(StringKey::ON_HOLD);
        holdProcessing();
    }
}

void ProcessingView::showEnoughSpacePopup(const PhotoFilePtr& photo)
{
    batch.updatePhoto(
        photo, [](PhotoFile& record) { record.processStatus = PhotoStatus::StoppedForSpace; });
    run.hold();
    center.post(NotificationName::notificationShowAlertWithType,
                {{"type", AlertTag::NotEnoughSpace}});
    Q_EMIT changed();
}

void ProcessingView::btnOkOnEnoughtSpcaecTapped()
{
    endRunAfterPhotoInHand();
}

QString ProcessingView::getMessageForstatus(int status)
{
    const auto key = statusMessageKeys().constFind(status);
    return key == statusMessageKeys().cend() ? QStringLiteral("-") : localized(*key);
}

// While the screen is being taken down a waiting worker is let go without
// the work, which would reach objects already gone.
void ProcessingView::runOnMainThread(const std::function<void()>& work)
{
    runOnThreadOf(this, [this, &work] {
        if (!closing)
            work();
    });
}

ProcessingView::~ProcessingView()
{
    closing = true;
}

QString ProcessingView::localized(const QString& key)
{
    return strings.getLocalizedStringForKey(key);
}

} // namespace fw
