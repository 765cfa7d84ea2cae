#include "cli/CliRunner.h"

#include "app/AlertCatalog.h"
#include "app/TerminationSignals.h"
#include "core/Codes.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "log/RunLogWriter.h"
#include "platform/LocalFileSystem.h"
#include "platform/PathInfo.h"
#include "processing/ProgressLine.h"
#include "processing/RunPreview.h"
#include "processing/StatusMessages.h"

#include <QFileInfo>
#include <QTimer>

namespace fw {

CliRunner::CliRunner(CliOptions cliOptions, const ImageService& images, QTextStream& out,
                     QTextStream& err, bool progressOnTerminal)
    : options(std::move(cliOptions)), out(out), err(err), progressOnTerminal(progressOnTerminal),
      app(images),
      adder(app.batch(), app.strings(), app.flags(), app.dialogs(), images, center, *this),
      batchRun(app.batch(), app.strings(), images, LocalFileSystem::shared(), *this)
{
    center.addObserver(this, NotificationName::notificationShowAlertWithType,
                       [this](const QVariantMap& info) { showAlert(info.value("type").toInt()); });
    center.addObserver(this, NotificationName::notificationsPhotosModified,
                       [this](const QVariantMap&) {
                           // Alerts of the adding operation are posted right after it; the run
                           // starts once they are shown.
                           QTimer::singleShot(0, this, [this] { startRun(); });
                       });
}

void CliRunner::photoDone(const PhotoFilePtr&, const PhotoResult&)
{
    showProgress();
}

// The command line never holds and resumes a run, so it never asks; a file
// that appeared at an output's name meanwhile is kept beside the new one.
void CliRunner::existingOutputQuestion(const PhotoFilePtr&, const QString&)
{
    batchRun.answerExistingOutput(FileAnswer::KeepBoth, options.conflictMode);
}

void CliRunner::destinationFull()
{
    showAlert(AlertTag::NotEnoughSpace);
    batchRun.stop();
}

void CliRunner::runEnded()
{
    finishRun();
}

int CliRunner::run()
{
    const QStringList existing = existingPaths();
    if (options.shard) {
        const BatchShard shard(options.shard->part(), options.shard->parts(), options.paths);
        adder.takeOnlyPaths([shard](const QString& path) { return shard.holds(path); });
    }
    QTimer::singleShot(0, this, [this, existing] {
        adder.isAddFromSubFolderSelected = options.withSubfolders;
        adder.addPhotosFromPathUrls(existing);
    });
    loop.exec();
    if (interruptingSignal != 0)
        return TerminationSignals::exitStatusFor(interruptingSignal);
    if (exitStatus == AllWritten && existing.size() < options.paths.size())
        return SomeFailed;
    return exitStatus;
}

// A signal stops the job as Stop does: an adding walk ends at its next entry
// and no run starts; a run finishes or abandons the photo in hand, then shows
// its summary and writes its log.
void CliRunner::interrupt(int signalNumber)
{
    if (interruptingSignal != 0)
        return;
    interruptingSignal = signalNumber;
    if (adder.isAdding())
        adder.btnStopAddingTapped();
    else if (batchRun.isRunning())
        batchRun.stop();
}

// A mistyped path is named and left out; the run goes on with the others.
QStringList CliRunner::existingPaths()
{
    QStringList existing;
    for (const QString& path : std::as_const(options.paths)) {
        if (PathInfo::of(path).exists())
            existing << path;
        else
            message() << "framewright-cli: no such file or folder: " << path << Qt::endl;
    }
    return existing;
}

void CliRunner::showMessage(const QString& text, const QString& informativeText)
{
    message() << text;
    if (!informativeText.isEmpty())
        err << ' ' << informativeText;
    err << Qt::endl;
}

void CliRunner::showAlert(int tag)
{
    if (const auto alert = AlertCatalog::alertForTag(tag, app.strings()))
        showMessage(alert->title + ':', alert->message);
}

void CliRunner::startRun()
{
    printRefusedFiles();
    if (interruptingSignal != 0) {
        loop.quit();
        return;
    }
    if (app.batch().isEmpty() && adder.pathsPassedOver() > 0) {
        finishEmptyShard();
        return;
    }
    if (app.batch().isEmpty()) {
        message() << app.getLocalizedStringForKey(StringKey::NO_PHOTOS_ADDED) << Qt::endl;
        exitStatus = anyPhotoUnread() ? SomeFailed : BadUsageOrNothingToDo;
        loop.quit();
        return;
    }
    if (options.dryRun) {
        exitStatus = printDryRun();
        loop.quit();
        return;
    }
    if (options.jobs)
        batchRun.setPhotosInFlight(*options.jobs);
    batchRun.start({options.output, options.geometry, app.rawConvertFormat}, options.conflictMode);
}

// A part that holds none of the photos found is no failure: other parts
// hold them all. Its log, with no rows, tells merge-logs that it was done.
void CliRunner::finishEmptyShard()
{
    message() << QStringLiteral("framewright-cli: part %1 of %2 holds none of the %3 files found")
                     .arg(options.shard->part())
                     .arg(options.shard->parts())
                     .arg(adder.pathsPassedOver())
              << Qt::endl;
    const bool logWritten = writeLog();
    exitStatus = anyPhotoUnread() || !logWritten ? SomeFailed : AllWritten;
    loop.quit();
}

// The line is rewritten in place until the run ends, at 100 % when every
// photo was taken; any other message ends it first.
void CliRunner::showProgress()
{
    const QString line = ProgressLine::of(batchRun, app.strings()).text;
    if (!progressOnTerminal || options.quiet || progressEnded || line == lastProgress)
        return;
    lastProgress = line;
    out << '\r' << lastProgress << "\x1b[K" << Qt::flush;
    progressLineOpen = true;
}

void CliRunner::endProgressLine()
{
    if (progressLineOpen)
        out << Qt::endl;
    progressLineOpen = false;
}

QTextStream& CliRunner::message()
{
    endProgressLine();
    return err;
}

void CliRunner::finishRun()
{
    progressEnded = true;
    endProgressLine();
    printFailures();
    printSummary();
    const bool logWritten = writeLog();
    // A photo skipped because the user asked for skips is no failure.
    const bool allHandled =
        batchRun.processedSuccessfully() + batchRun.skippedByAnswer() == batchRun.photos().size();
    exitStatus = allHandled && logWritten && !anyPhotoUnread() ? AllWritten : SomeFailed;
    loop.quit();
}

// A file named like a photo that could not be read is a photo lost to the
// job; a file that is no photo at all was never part of it.
bool CliRunner::anyPhotoUnread() const
{
    return std::any_of(adder.refusedFiles.cbegin(), adder.refusedFiles.cend(),
                       [](const RefusedFile& refused) {
                           return refused.reason == RefusedFile::Reason::CannotBeRead ||
                                  refused.reason == RefusedFile::Reason::PermissionDenied;
                       });
}

// A log that was not written completely leaves no file at its name and the
// job counts as failed: scripts read the log.
bool CliRunner::writeLog()
{
    if (options.logPath.isEmpty())
        return true;
    const Outcome written = RunLogWriter::write(batchRun.logDetails(), options.logPath);
    if (!written)
        message() << "framewright-cli: " << written.message() << Qt::endl;
    return written.ok();
}

void CliRunner::printRefusedFiles()
{
    for (const RefusedFile& refused : std::as_const(adder.refusedFiles)) {
        message() << refused.path << ": "
                  << app.getLocalizedStringForKey(RefusedFile::messageKey(refused.reason));
        if (refused.reason == RefusedFile::Reason::CannotBeRead && !refused.detail.isEmpty())
            err << " (" << refused.detail << ')';
        err << Qt::endl;
    }
}

// One line a photo, fields apart by tabs for scripts: source, upright size,
// output, output size (empty when nothing would be written), status.
int CliRunner::printDryRun()
{
    const RunPreview preview(options.output, options.geometry, app.rawConvertFormat,
                             options.conflictMode, LocalFileSystem::shared());
    const auto sizeText = [](const QSize& size) {
        return size.isEmpty() ? QString()
                              : QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    };
    bool allWritten = true;
    int ordinal = 0;
    for (const PhotoFilePtr& photo : app.arraySelectedImagesToProcess()) {
        const RunPreview::PhotoPreview planned = preview.previewOf(*photo, ordinal++);
        allWritten = allWritten && planned.status == PhotoStatus::Processed;
        QString status = StatusMessages::getMessageForstatus(planned.status, app.strings());
        if (planned.existing == RunPreview::PhotoPreview::Existing::Kept)
            status += " (" + app.getLocalizedStringForKey(StringKey::EXISTING_OUTPUT_KEPT) + ')';
        else if (planned.existing == RunPreview::PhotoPreview::Existing::Replaced)
            status +=
                " (" + app.getLocalizedStringForKey(StringKey::EXISTING_OUTPUT_REPLACED) + ')';
        out << photo->filePath << '\t' << sizeText(planned.uprightSize) << '\t'
            << planned.outputPath << '\t' << sizeText(planned.outputSize) << '\t' << status
            << Qt::endl;
    }
    return allWritten ? AllWritten : SomeFailed;
}

void CliRunner::printFailures()
{
    for (const PhotoFilePtr& photo : batchRun.photos()) {
        if (photo->processStatus != PhotoStatus::Processed)
            message() << photo->filePath << ": "
                      << StatusMessages::getMessageForstatus(photo->processStatus, app.strings())
                      << Qt::endl;
    }
}

void CliRunner::printSummary()
{
    const RunSummary& summary = batchRun.summary();
    auto line = [this](const char* key, const QString& value) {
        out << "  " << app.getLocalizedStringForKey(key) << ' ' << value << Qt::endl;
    };
    out << app.getLocalizedStringForKey(StringKey::SUMMARY) << " (" << options.output.ouptputFolder
        << ')' << Qt::endl;
    line(StringKey::TOTAL_IMAGE_SELECTED, summary.lblImagesSelected);
    line(StringKey::TOTAL_IMAGE_CONVERTED, summary.lblImagesConverted);
    line(StringKey::CONVERSION_FAILED, summary.lblConversionFailed);
    if (summary.lblImagesSkipped != "0")
        line(StringKey::TOTAL_IMAGE_SKIPPED, summary.lblImagesSkipped);
    line(StringKey::TOTAL_BATCH_SIZE, summary.lblTotalOldsize);
    line(StringKey::SELECTED_BATCH_ORIGINAL_SIZE, summary.lblOldsize);
    line(StringKey::NEW_SIZE, summary.lblNewsize);
    if (summary.isSpaceSaveShown)
        line(StringKey::SPACE_SAVED, summary.lblspaceSave);
    line(StringKey::TIME_ELAPSED, summary.lblTimeElapsed);
    line(StringKey::METADATA_KEPT, summary.lblMetadata);
    if (!adder.refusedFiles.isEmpty())
        line(StringKey::FILES_NOT_ADDED, QString::number(adder.refusedFiles.size()));
}

} // namespace fw
