#pragma once

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "log/RunLog.h"
#include "processing/ImageSaver.h"
#include "processing/OutputOptionSettings.h"
#include "processing/OverwriteQuestion.h"
#include "processing/PhotoResult.h"
#include "processing/ResizingOptionsSettingObject.h"
#include "processing/RunControl.h"
#include "processing/RunSummary.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

namespace fw {

class Batch;
class FileSystemProbe;
class LocalizedStrings;
class NotificationCenter;
class Utils;
struct SharedFlags;

// The processing screen's state and rules: it runs the marked photos of the
// batch one at a time on a pool thread (RunControl), reports progress, asks
// about existing outputs, and ends with a summary and a log. Lives on the
// main thread; the worker reaches it only through blocking calls.
// (setProcessInfoAtBottm, btnOkOnEnoughtSpcaecTapped, getMessageForstatus and
// ouptputFolder are the design's names, kept on purpose.)
class ProcessingView : public QObject {
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
    void startProcess(const OutputOptionSettings& output,
                      const ResizingOptionsSettingObject& resizingOptionsObject,
                      int initialProcessFlag = ProcessFlag::KeepAll);
    void startProcessingOfPhotos(int processFlag);

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
    const QList<PhotoFilePtr>& arrPhotosToProcess() const { return photos; }
    int progressBarValue() const { return progressValue; }
    const QString& progressLine() const { return progressText; }
    // The percent, error count and elapsed time, shown emphasised.
    const QStringList& progressLineValues() const { return progressValues; }
    const QString& title() const { return titleText; }
    const QString& currentPath() const { return currentPathText; }
    bool isSummaryShown() const { return summaryShown; }
    const RunSummary& summary() const { return runSummary; }
    // The run's summary as the log keeps it.
    LogRecord runLogSummary() const
    {
        return runSummary.logSummary(runTimeStamp, processStartedDateTime);
    }
    const QList<LogRecord>& arrLogDetails() const { return logDetails; }
    const OverwriteQuestion& overwriteQuestion() const { return question; }
    bool isOnHold() const { return run.isHeld(); }
    // Held by the screen's Hold button rather than by a question.
    bool isHeldByUser() const { return heldByUser; }
    // Stop was pressed while the worker still had a photo in hand: the
    // summary comes when it has finished or abandoned it.
    bool isStopping() const { return stopPending; }
    int processedSuccessfully() const { return run.counterProcessedSuccessfully; }
    int processedWithError() const { return run.counterProcessedWithError; }
    int skippedByAnswer() const { return run.counterSkipped; }
    int totalProgressed() const { return run.counterTotalProgressedFiles; }

    // Shows the output folder at the end of a run; the application hands in
    // the desktop's folder viewer, and without one nothing is shown.
    void setOutputFolderOpener(std::function<void(const QString& folder)> opener);

Q_SIGNALS:
    void changed();
    // One photo finished, with what it ended with (the record shows it too).
    void photoFinished(const fw::PhotoFilePtr& photo, const fw::PhotoResult& result);
    void runFinished();

private:
    void callForUpdatingProgressWithCountWithProcessStatus(const PhotoFilePtr& photo,
                                                           const PhotoResult& result);
    void setProcessInfoAtBottm();
    QString elapsedTimeText();
    void showSummaryOnce();
    void addSummaryInfo();
    void insertDetailsInDatabase();
    void openOutputFolder();
    void endRunAfterPhotoInHand();
    void showEnoughSpacePopup(const PhotoFilePtr& photo);
    void showOverwriteExistingFilePopup(const PhotoFilePtr& photo, const QString& outputPath);
    void hideOverwriteExistingFilePopup();
    void answerQuestion(std::optional<int> fileAnswer, int processFlag, bool startBeforeClosing);
    void runOnMainThread(const std::function<void()>& work);
    QString localized(const QString& key);

    // The per-file step (ProcessingFileStep.cpp), on the worker.
    void processFileFromBunch(const PhotoFilePtr& photo, int index, int processFlag);
    void writePhoto(const PhotoFilePtr& photo, const QString& outputPath,
                    ImageSaver::ExistingFile existingFile, int processFlag);
    Image transformedPicture(const PhotoFile& photo, const QSizeF& sourceSize,
                             const std::optional<QSize>& target) const;
    std::optional<ImageSaver::ExistingFile>
    resolveExistingOutput(const PhotoFilePtr& photo, QString& outputPath, int processFlag);
    void outputAppearedMeanwhile(const PhotoFilePtr& photo, const QString& outputPath,
                                 int processFlag);
    void askAboutExistingOutput(const PhotoFilePtr& photo, const QString& outputPath);
    void report(const PhotoFilePtr& photo, const PhotoResult& result);
    void stopForSpace(const PhotoFilePtr& photo);
    void showCurrentPath(const PhotoFilePtr& photo);

    Batch& batch;
    LocalizedStrings& strings;
    SharedFlags& flags;
    const QString& appRawConvertFormat;
    NotificationCenter& center;
    const FileSystemProbe& fileSystem;
    const Utils& utils;
    std::function<void(const QString&)> outputFolderOpener;

    QList<PhotoFilePtr> photos;
    OutputOptionSettings outputSettingObject;
    ResizingOptionsSettingObject resizingOptionObject;
    QString rawConvertFormat;
    QDateTime processStartedDateTime;

    QString newFilePath;
    OverwriteQuestion question;

    int progressValue = 0;
    QString progressText;
    QStringList progressValues;
    QString titleText;
    QString currentPathText;
    bool summaryShown = false;
    bool stopPending = false;
    bool heldByUser = false;
    std::atomic<bool> closing = false;
    RunSummary runSummary;
    QList<LogRecord> logDetails;
    QString runTimeStamp;

    // Declared last: its destructor waits for the worker, which uses the
    // members above.
    RunControl run;
};

} // namespace fw
