#include "cli/CliRunner.h"

#include "app/AlertCatalog.h"
#include "log/RunLogWriter.h"
#include "platform/LocalFileSystem.h"
#include "platform/PathInfo.h"

#include <QFileInfo>
#include <QTimer>

namespace fw {

namespace {

constexpr int spaceAlertTag = 102;

} // namespace

CliRunner::CliRunner(CliOptions cliOptions, const ImageService& images, QTextStream& out,
                     QTextStream& err, bool progressOnTerminal)
    : options(std::move(cliOptions)), out(out), err(err), progressOnTerminal(progressOnTerminal),
      utils(images), app(images), adder(app, center, *this),
      view(app, center, LocalFileSystem::shared(), utils)
{
    // A terminal run leaves the desktop alone; the summary names the folder.
    view.setOutputFolderOpener(nullptr);
    center.addObserver(this, "notificationShowAlertWithType",
                       [this](const QVariantMap& info) { showAlert(info.value("type").toInt()); });
    center.addObserver(this, "notificationsPhotosModified", [this](const QVariantMap&) {
        // Alerts of the adding operation are posted right after it; the run
        // starts once they are shown.
        QTimer::singleShot(0, this, [this] { startRun(); });
    });
    connect(&view, &ProcessingView::changed, this, [this] { showProgress(); });
    connect(&view, &ProcessingView::runFinished, this, [this] { finishRun(); });
}

int CliRunner::run()
{
    const QStringList existing = existingPaths();
    QTimer::singleShot(0, this, [this, existing] {
        adder.isAddFromSubFolderSelected = options.withSubfolders;
        adder.addPhotosFromPathUrls(existing);
    });
    loop.exec();
    if (exitStatus == AllWritten && existing.size() < options.paths.size())
        return SomeFailed;
    return exitStatus;
}

// A mistyped path is named and left out; the run goes on with the others.
QStringList CliRunner::existingPaths()
{
    QStringList existing;
    for (const QString& path : std::as_const(options.paths)) {
        if (PathInfo::of(path).exists())
            existing << path;
        else
            err << "framewright-cli: no such file or folder: " << path << Qt::endl;
    }
    return existing;
}

void CliRunner::showMessage(const QString& text, const QString& informativeText)
{
    err << text;
    if (!informativeText.isEmpty())
        err << ' ' << informativeText;
    err << Qt::endl;
}

void CliRunner::showAlert(int tag)
{
    if (const auto alert = AlertCatalog::alertForTag(tag, app))
        showMessage(alert->title + ':', alert->message);
    if (tag == spaceAlertTag)
        QTimer::singleShot(0, this, [this] { view.btnOkOnEnoughtSpcaecTapped(); });
}

void CliRunner::startRun()
{
    if (app.arraySelectedImagesToProcess.isEmpty()) {
        err << app.getLocalizedStringForKey("NO_PHOTOS_ADDED") << Qt::endl;
        exitStatus = BadUsageOrNothingToDo;
        loop.quit();
        return;
    }
    view.startProcess(options.output, options.geometry, options.conflictMode);
}

void CliRunner::showProgress()
{
    if (!progressOnTerminal || options.quiet || view.isSummaryShown() ||
        view.progressLine() == lastProgress)
        return;
    lastProgress = view.progressLine();
    out << '\r' << lastProgress << "\x1b[K" << Qt::flush;
}

void CliRunner::finishRun()
{
    if (!lastProgress.isEmpty())
        out << Qt::endl;
    printFailures();
    printSummary();
    if (!options.logPath.isEmpty()) {
        if (const Outcome written = RunLogWriter::write(view.arrLogDetails(), options.logPath);
            !written)
            err << written.message() << Qt::endl;
    }
    const bool allWritten = view.processedSuccessfully() == view.arrPhotosToProcess().size();
    exitStatus = allWritten ? AllWritten : SomeFailed;
    loop.quit();
}

void CliRunner::printFailures()
{
    for (const PhotoFilePtr& photo : view.arrPhotosToProcess()) {
        if (photo->processStatus != ProcessingView::Processed)
            err << photo->filePath << ": " << view.getMessageForstatus(photo->processStatus)
                << Qt::endl;
    }
}

void CliRunner::printSummary()
{
    const RunSummary& summary = view.summary();
    auto line = [this](const char* key, const QString& value) {
        out << "  " << app.getLocalizedStringForKey(key) << ' ' << value << Qt::endl;
    };
    out << app.getLocalizedStringForKey("SUMMARY") << " (" << options.output.ouptputFolder << ')'
        << Qt::endl;
    line("TOTAL_IMAGE_SELECTED", summary.lblImagesSelected);
    line("TOTAL_IMAGE_CONVERTED", summary.lblImagesConverted);
    line("CONVERSION_FAILED", summary.lblConversionFailed);
    line("TOTAL_BATCH_SIZE", summary.lblTotalOldsize);
    line("SELECTED_BATCH_ORIGINAL_SIZE", summary.lblOldsize);
    line("NEW_SIZE", summary.lblNewsize);
    if (summary.isSpaceSaveShown)
        line("SPACE_SAVED", summary.lblspaceSave);
    line("TIME_ELAPSED", summary.lblTimeElapsed);
}

} // namespace fw
