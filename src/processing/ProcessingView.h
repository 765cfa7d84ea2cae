#pragma once

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "log/RunLog.h"
#include "processing/BatchRun.h"
#include "processing/OutputOptionSettings.h"
#include "processing/OverwriteQuestion.h"
#include "processing/PhotoResult.h"
#include "processing/ResizingOptionsSettingObject.h"
#include "processing/RunObserver.h"
#include "processing/RunSummary.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

namespace fw {

class Batch;
class FileSystemProbe;
class LocalizedStrings;
class NotificationCenter;
class Utils;
struct SharedFlags;

// The processing screen's state and rules over the engine's run (BatchRun),
// which it observes: the progress bar and line, the photo in hand, hold,
// resume and stop, the existing-file question and the not-enough-space
// alert, and the summary and log at the end. Main thread only.
// (setProcessInfoAtBottm, btnOkOnEnoughtSpcaecTapped, getMessageForstatus and
// ouptputFolder are the design's names, kept on purpose.)
class ProcessingView : public QObject, private RunObserver {
    Q_OBJECT
public:
    ProcessingView(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                   const QString& rawConvertFormat, NotificationCenter& center,
                   const FileSystemProbe& fileSystem, const Utils& utils,
                   QObject* parent = nullptr);
    ~ProcessingView() override;

    // The run over the batch's marked photos. A run keeps every existing
    // output and gives the new one a free name until it is first held and
    // resumed; the command line may start it with another standing answer.
    // How many photos are written at once (BatchRun); the window keeps the
    // default.
    void setPhotosInFlight(int count) { run.setPhotosInFlight(count); }
    void startProcess(const OutputOptionSettings& output,
                      const ResizingOptionsSettingObject& resizingOptionsObject,
                      int initialProcessFlag = ProcessFlag::KeepAll);

    void holdProcessing();
    void restartProcessing();
    void stopProcessing();
    void btnStopProcessTapped();
    // The screen's Hold and Resume: the same hold as the close question's,
    // so a resumed run asks about existing outputs as after that question.
    void btnHoldResumeTapped();
    void btnOkOnEnoughtSpcaecTapped();

    // The existing-file question's answers (ProcessingOverwriteAnswers.cpp).
    void btnReplaceImageTapped();
    void btnReplaceAllImageTapped();
    void btnKeepImageTapped();
    void btnKeepAllImageTapped();
    void btnSkipImageTapped();
    void btnSkipAllImageTapped();
    void btnRenameImageTapped();
    void controlTextDidChange(const QString& renameText);

    QString getMessageForstatus(int status);
    LogRecord getLogDetails() const;

    // What the screen shows.
    const QList<PhotoFilePtr>& arrPhotosToProcess() const { return run.photos(); }
    int progressBarValue() const { return run.percentDone(); }
    const QString& progressLine() const { return progressText; }
    // The percent, error count and elapsed time, shown emphasised.
    const QStringList& progressLineValues() const { return progressValues; }
    const QString& title() const { return titleText; }
    const QString& currentPath() const { return currentPathText; }
    bool isSummaryShown() const { return summaryShown; }
    const RunSummary& summary() const { return run.summary(); }
    // The run's summary as the log keeps it.
    LogRecord runLogSummary() const { return run.logSummary(); }
    const QList<LogRecord>& arrLogDetails() const { return run.logDetails(); }
    const OverwriteQuestion& overwriteQuestion() const { return question; }
    bool isOnHold() const { return run.isHeld(); }
    // Held by the screen's Hold button rather than by a question.
    bool isHeldByUser() const { return heldByUser; }
    // Stop was pressed while photos were still in hand: the summary comes
    // when they are done.
    bool isStopping() const { return run.isStopping(); }
    int processedSuccessfully() const { return run.processedSuccessfully(); }
    int processedWithError() const { return run.processedWithError(); }
    int skippedByAnswer() const { return run.skippedByAnswer(); }
    int totalProgressed() const { return run.finishedCount(); }

    // Shows the output folder at the end of a run; the application hands in
    // the desktop's folder viewer, and without one nothing is shown.
    void setOutputFolderOpener(std::function<void(const QString& folder)> opener);
    // The summary's button: the run's output folder, or the folder of its
    // first output when outputs went beside their sources; none before a
    // photo was written.
    QString outputFolder() const;
    void btnOpenOutputFolderTapped();
    // A finished photo's row of the log, as the summary will show it.
    LogRecord logRecordOf(const PhotoFile& photo);

Q_SIGNALS:
    void changed();
    // One photo finished, with what it ended with (the record shows it too).
    void photoFinished(const fw::PhotoFilePtr& photo, const fw::PhotoResult& result);
    void runFinished();

private:
    void photoStarted(const PhotoFilePtr& photo) override;
    void photoDone(const PhotoFilePtr& photo, const PhotoResult& result) override;
    void existingOutputQuestion(const PhotoFilePtr& photo, const QString& outputPath) override;
    void destinationFull() override;
    void runStateChanged() override;
    void runEnded() override;

    void setProcessInfoAtBottm();
    void openOutputFolder();
    void hideOverwriteExistingFilePopup();
    void answerQuestion(std::optional<int> fileAnswer, int processFlag,
                        const QString& renamedPath = {});
    QString localized(const QString& key);

    LocalizedStrings& strings;
    SharedFlags& flags;
    const QString& appRawConvertFormat;
    NotificationCenter& center;
    std::function<void(const QString&)> outputFolderOpener;

    OverwriteQuestion question;
    QString progressText;
    QStringList progressValues;
    QString titleText;
    QString currentPathText;
    bool summaryShown = false;
    bool heldByUser = false;

    // Declared last: it lets the photos in hand finish before the members
    // above go.
    BatchRun run;
};

} // namespace fw
