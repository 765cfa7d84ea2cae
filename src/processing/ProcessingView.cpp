#include "processing/ProcessingView.h"

#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/PathInfo.h"
#include "processing/ProgressLine.h"
#include "processing/StatusMessages.h"

#include <QFileInfo>
#include <QTimer>

namespace fw {

namespace {

constexpr int openFolderDelayMilliseconds = 200;

} // namespace

ProcessingView::ProcessingView(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                               const QString& rawConvertFormat, NotificationCenter& center,
                               const FileSystemProbe& fileSystem, const Utils& utils,
                               QObject* parent)
    : QObject(parent), strings(strings), flags(flags), appRawConvertFormat(rawConvertFormat),
      center(center), run(batch, strings, utils.imageService(), fileSystem, *this)
{
}

ProcessingView::~ProcessingView() = default;

void ProcessingView::setOutputFolderOpener(std::function<void(const QString&)> opener)
{
    outputFolderOpener = std::move(opener);
}

void ProcessingView::startProcess(const OutputOptionSettings& output,
                                  const ResizingOptionsSettingObject& resizingOptionsObject,
                                  int initialProcessFlag)
{
    summaryShown = false;
    heldByUser = false;
    currentPathText.clear();
    question.close();
    run.start({output, resizingOptionsObject, appRawConvertFormat}, initialProcessFlag);
    if (run.isRunning()) {
        flags.isProcessingInProgress = true;
        titleText = localized(StringKey::PROCESSING);
    }
    setProcessInfoAtBottm();
    center.post(NotificationName::notificationsDisbleView);
    Q_EMIT changed();
}

void ProcessingView::photoStarted(const PhotoFilePtr& photo)
{
    if (!run.isHeld()) {
        currentPathText = photo->filePath;
        Q_EMIT changed();
    }
}

void ProcessingView::photoDone(const PhotoFilePtr& photo, const PhotoResult& result)
{
    setProcessInfoAtBottm();
    Q_EMIT photoFinished(photo, result);
    Q_EMIT changed();
}

void ProcessingView::setProcessInfoAtBottm()
{
    const ProgressLine line = ProgressLine::of(run, strings);
    progressText = line.text;
    progressValues = line.values;
}

void ProcessingView::runStateChanged()
{
    Q_EMIT changed();
}

void ProcessingView::runEnded()
{
    summaryShown = true;
    heldByUser = false;
    question.close();
    titleText = localized(StringKey::SUMMARY);
    setProcessInfoAtBottm();
    center.post(NotificationName::notificationsEnable);
    center.post(NotificationName::notificationsSaveasPredefinedSize);
    center.post(NotificationName::notificationsProcessFinished);
    QTimer::singleShot(openFolderDelayMilliseconds, this, [this] { openOutputFolder(); });
    flags.isProcessingInProgress = false;
    Q_EMIT changed();
    Q_EMIT runFinished();
}

LogRecord ProcessingView::getLogDetails() const
{
    return {{"timeStamp", run.timeStamp()}};
}

void ProcessingView::openOutputFolder()
{
    const OutputOptionSettings& output = run.settings().output;
    if (output.folderOption == FolderOption::IntoFolder &&
        PathInfo::of(output.ouptputFolder).isDir() && run.processedSuccessfully() > 0 &&
        outputFolderOpener)
        outputFolderOpener(output.ouptputFolder);
}

QString ProcessingView::outputFolder() const
{
    const OutputOptionSettings& output = run.settings().output;
    if (output.folderOption == FolderOption::IntoFolder)
        return run.processedSuccessfully() > 0 ? output.ouptputFolder : QString();
    for (const PhotoFilePtr& photo : run.photos()) {
        if (photo->processStatus == PhotoStatus::Processed)
            return QFileInfo(photo->filePathNew).path();
    }
    return {};
}

void ProcessingView::btnOpenOutputFolderTapped()
{
    const QString folder = outputFolder();
    if (!folder.isEmpty() && outputFolderOpener)
        outputFolderOpener(folder);
}

LogRecord ProcessingView::logRecordOf(const PhotoFile& photo)
{
    return RunLog::recordFor(photo, run.timeStamp(), getMessageForstatus(photo.processStatus));
}

void ProcessingView::holdProcessing()
{
    run.hold();
}

void ProcessingView::restartProcessing()
{
    run.resume();
}

void ProcessingView::stopProcessing()
{
    heldByUser = false;
    run.stop();
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
    if (summaryShown || run.isStopping())
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

void ProcessingView::destinationFull()
{
    center.post(NotificationName::notificationShowAlertWithType,
                {{"type", AlertTag::NotEnoughSpace}});
    Q_EMIT changed();
}

void ProcessingView::btnOkOnEnoughtSpcaecTapped()
{
    stopProcessing();
}

QString ProcessingView::getMessageForstatus(int status)
{
    return StatusMessages::getMessageForstatus(status, strings);
}

QString ProcessingView::localized(const QString& key)
{
    return strings.getLocalizedStringForKey(key);
}

} // namespace fw
