#include "processing/ProcessingView.h"

#include "app/AppDelegate.h"
#include "app/MainThreadCall.h"
#include "app/NotificationCenter.h"
#include "platform/DesktopLauncher.h"
#include "platform/MemoryRelease.h"
#include "platform/PathInfo.h"
#include "processing/Utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

namespace fw {

namespace {

constexpr int spaceAlertType = 102;
constexpr int openFolderDelayMilliseconds = 200;

const QHash<int, QString>& statusMessageKeys()
{
    static const QHash<int, QString> keys = {
        {ProcessingView::NotProcessed, "FILE_NOT_PROCESSED"},
        {ProcessingView::Processed, "PROCESSED_SUCCESSFULLY"},
        {ProcessingView::MissingAtSource, "FILE_NOT_AT_SOURCE_DIR"},
        {ProcessingView::SizeTooLarge, "FILE_DIM_TOO_LONG"},
        {ProcessingView::Skipped, "FILE_SKIPPED"},
        {ProcessingView::SourceAccessDenied, "ACCESS_DENIED_SOURCE"},
        {ProcessingView::DestinationAccessDenied, "ACCESS_DENIED_DEST"},
        {ProcessingView::DestinationFolderMissing, "DEST_FOLDER_NOT_EXISTS"},
        {ProcessingView::InvalidFileName, "INVALID_FILENAME"},
        {ProcessingView::NotSaved, "FILE_NOT_SAVED"},
        {ProcessingView::NotRead, "FILE_NOT_READ"},
    };
    return keys;
}

} // namespace

ProcessingView::ProcessingView(AppDelegate& app, NotificationCenter& center,
                               const FileSystemProbe& fileSystem, const Utils& utils,
                               QObject* parent)
    : QObject(parent), app(app), center(center), fileSystem(fileSystem), utils(utils),
      outputFolderOpener([](const QString& folder) { DesktopLauncher::openFolder(folder); })
{
}

// A worker may be waiting for the main thread (this one) in a blocking call,
// so the main thread keeps serving events until the worker has left.
ProcessingView::~ProcessingView()
{
    isProcessStopped = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    retireWorker();
    while (!workerMutex.try_lock()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    workerMutex.unlock();
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
    rawConvertFormat = app.rawConvertFormat;
    photos.clear();
    summaryShown = false;
    progressShown = true;
    isProcessStopped = false;
    isProcessOnHold = false;
    for (const PhotoFilePtr& photo : app.arraySelectedImagesToProcess) {
        if (!photo->isSelected)
            continue;
        photo->processStatus = NotProcessed;
        photo->newfileSizeInBytes = 0;
        photo->newfileSizeAsString.clear();
        photo->filePathNew.clear();
        photos.append(photo);
    }
    counterTotalProgressedFiles = 0;
    counterProcessedSuccessfully = 0;
    counterProcessedWithError = 0;
    currentFileFlag = NoAnswer;
    progressValue = 0;
    stopPending = false;
    processStartedDateTime = QDateTime::currentDateTime();
    runTimeStamp = RunLog::runTimeStamp(processStartedDateTime);
    setProcessInfoAtBottm();
    startProcessingOfPhotos(initialProcessFlag);
    center.post("notificationsDisbleView");
}

void ProcessingView::startProcessingOfPhotos(int processFlag)
{
    if (photos.isEmpty() || summaryShown)
        return;
    app.setIsProcessingInProgress(true);
    quint64 generation = 0;
    {
        const std::lock_guard lock(flagsMutex);
        generation = ++workerGeneration;
        isPHOTOS_PROCESSING_IN_PROGERESS = true;
    }
    titleText = localized("PROCESSING");
    const QList<PhotoFilePtr> snapshot = photos;
    QThreadPool::globalInstance()->start([this, snapshot, processFlag, generation] {
        processFilesInBatch(snapshot, processFlag, generation);
    });
    Q_EMIT changed();
}

void ProcessingView::processFilesInBatch(const QList<PhotoFilePtr>& snapshot, int processFlag,
                                         quint64 generation)
{
    const std::lock_guard worker(workerMutex);
    auto current = [this, generation] { return workerGeneration == generation; };
    qsizetype index = std::max(0, counterTotalProgressedFiles.load());
    for (;;) {
        bool active = false;
        {
            const std::lock_guard flags(flagsMutex);
            if (!current() || index >= snapshot.size())
                return;
            active = isPHOTOS_PROCESSING_IN_PROGERESS;
            photoInHand = active;
        }
        if (active) {
            processFileFromBunch(snapshot.at(index), static_cast<int>(index), processFlag);
            photoInHand = false;
            MemoryRelease::afterPhoto();
        } else if (isProcessOnHold)
            return;
        const bool last = index == snapshot.size() - 1;
        if ((last || !isPHOTOS_PROCESSING_IN_PROGERESS) && !isProcessOnHold)
            break;
        ++index;
        if (isProcessStopped)
            break;
    }
    runOnMainThread([this, current] {
        if (current())
            showSummaryOnce();
    });
}

// Every report comes from the photo in hand and is always taken, even when a
// hold came while the photo was written: the photo is done, and a resumed
// worker starts after it.
void ProcessingView::callForUpdatingProgressWithCountWithProcessStatus(int progressStatus,
                                                                       const QString&)
{
    if (summaryShown)
        return;
    ++counterTotalProgressedFiles;
    progressValue = static_cast<int>(counterTotalProgressedFiles * 100 / photos.size());
    if (progressStatus == 2)
        ++counterProcessedWithError;
    setProcessInfoAtBottm();
    if (counterTotalProgressedFiles == photos.size())
        showSummaryOnce();
    Q_EMIT changed();
}

void ProcessingView::setProcessInfoAtBottm()
{
    const qsizetype count = photos.size();
    const qint64 percent = count > 0 ? counterTotalProgressedFiles * 100LL / count : 0;
    progressValues = {QStringLiteral("%1 %").arg(percent),
                      QString::number(counterProcessedWithError), elapsedTimeText()};
    progressText = QStringLiteral("%1 %2  |  %3 %4  |  %5 %6 %7")
                       .arg(localized("PROCESS_COMPLETED"), progressValues[0],
                            localized("ERROR_REPORTED"), progressValues[1],
                            localized("TIME_ELAPSED"), progressValues[2], localized("APPROX"));
}

QString ProcessingView::elapsedTimeText() const
{
    const qint64 seconds =
        Utils::getDurationBetweenDate(processStartedDateTime, QDateTime::currentDateTime());
    const Utils::Localizer localize = [this](const QString& key) {
        return app.getLocalizedStringForKey(key);
    };
    const QString text = Utils::timeFormattedString(seconds, localize);
    return text.isEmpty() ? QStringLiteral("1 %1").arg(localize("SECONDS")) : text;
}

void ProcessingView::showSummaryOnce()
{
    if (summaryShown)
        return;
    progressShown = false;
    summaryShown = true;
    stopPending = false;
    addSummaryInfo();
}

void ProcessingView::addSummaryInfo()
{
    titleText = localized("SUMMARY");
    runSummary = RunSummary::make(photos, counterProcessedSuccessfully, elapsedTimeText());
    insertDetailsInDatabase();
    center.post("notificationsEnable");
    center.post("notificationsSaveasPredefinedSize");
    center.post("notificationsProcessFinished");
    QTimer::singleShot(openFolderDelayMilliseconds, this, [this] { openOutputFolder(); });
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    app.setIsProcessingInProgress(false);
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
    if (outputSettingObject.folderOption == 1 && PathInfo::of(folder).isDir() &&
        counterProcessedSuccessfully > 0 && outputFolderOpener)
        outputFolderOpener(folder);
}

void ProcessingView::holdProcessing()
{
    isProcessOnHold = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    Q_EMIT changed();
}

void ProcessingView::retireWorker()
{
    const std::lock_guard lock(flagsMutex);
    ++workerGeneration;
}

void ProcessingView::restartProcessing()
{
    retireWorker();
    isProcessOnHold = false;
    startProcessingOfPhotos(currentFileFlag);
}

void ProcessingView::stopProcessing()
{
    endRunAfterPhotoInHand();
}

// The summary and the log describe the photos as they end up on disk, so a
// worker still in a photo finishes or abandons it first and shows the summary
// as it leaves; with none in a photo the summary comes at once.
void ProcessingView::endRunAfterPhotoInHand()
{
    bool workerInPhoto = false;
    {
        const std::lock_guard lock(flagsMutex);
        isProcessStopped = true;
        isPHOTOS_PROCESSING_IN_PROGERESS = false;
        workerInPhoto = photoInHand;
    }
    if (!workerInPhoto) {
        showSummaryOnce();
        return;
    }
    if (stopPending || summaryShown)
        return;
    stopPending = true;
    Q_EMIT changed();
}

void ProcessingView::btnStopProcessTapped()
{
    if (!isProcessOnHold)
        stopProcessing();
}

void ProcessingView::showEnoughSpacePopup()
{
    isProcessOnHold = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    center.post("notificationShowAlertWithType", {{"type", spaceAlertType}});
    Q_EMIT changed();
}

void ProcessingView::btnOkOnEnoughtSpcaecTapped()
{
    endRunAfterPhotoInHand();
}

void ProcessingView::showOverwriteExistingFilePopup(const PhotoFilePtr& photo,
                                                    const QString& outputPath)
{
    if (isProcessStopped)
        return;
    isProcessOnHold = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    question.open(photo, outputPath);
    center.post("notificationShowOverwriteAlert");
    Q_EMIT changed();
}

void ProcessingView::hideOverwriteExistingFilePopup()
{
    isPHOTOS_PROCESSING_IN_PROGERESS = true;
    question.close();
    center.post("notificationHideOverwriteAlert");
    Q_EMIT changed();
}

// Standing answers start their worker before the question closes; one-photo
// answers and skip-all close it first. Either way the new worker begins
// again at the photo in question.
void ProcessingView::answerQuestion(std::optional<int> fileAnswer, int processFlag,
                                    bool startBeforeClosing)
{
    if (!question.isOpen())
        return;
    retireWorker();
    isProcessOnHold = false;
    if (fileAnswer)
        currentFileFlag = *fileAnswer;
    if (startBeforeClosing) {
        startProcessingOfPhotos(processFlag);
        hideOverwriteExistingFilePopup();
    } else {
        hideOverwriteExistingFilePopup();
        startProcessingOfPhotos(processFlag);
    }
}

void ProcessingView::btnReplaceImageTapped()
{
    answerQuestion(ReplaceThis, AskOrOverwrite, false);
}

void ProcessingView::btnReplaceAllImageTapped()
{
    answerQuestion(std::nullopt, ReplaceAll, true);
}

void ProcessingView::btnKeepImageTapped()
{
    answerQuestion(KeepBoth, AskOrOverwrite, false);
}

void ProcessingView::btnKeepAllImageTapped()
{
    answerQuestion(std::nullopt, KeepAll, true);
}

void ProcessingView::btnSkipImageTapped()
{
    answerQuestion(SkipThis, AskOrOverwrite, false);
}

void ProcessingView::btnSkipAllImageTapped()
{
    answerQuestion(std::nullopt, SkipAll, false);
}

void ProcessingView::btnRenameImageTapped()
{
    if (!question.isOpen())
        return;
    const std::optional<QString> renamed = question.acceptedRename(
        localized("FILE_NAME_CANT_EMPTY"), localized("FILE_EXISTS_WITH_SAME_NAME"));
    if (!renamed) {
        Q_EMIT changed();
        return;
    }
    newFilePath = *renamed;
    answerQuestion(UseNewName, AskOrOverwrite, false);
}

void ProcessingView::controlTextDidChange(const QString& renameText)
{
    question.setRenameText(renameText);
    Q_EMIT changed();
}

QString ProcessingView::getMessageForstatus(int status)
{
    const auto key = statusMessageKeys().constFind(status);
    return key == statusMessageKeys().cend() ? QStringLiteral("-") : localized(*key);
}

void ProcessingView::runOnMainThread(const std::function<void()>& work)
{
    runOnThreadOf(this, work);
}

QString ProcessingView::localized(const QString& key)
{
    return app.getLocalizedStringForKey(key);
}

} // namespace fw
