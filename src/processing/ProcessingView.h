#pragma once

#include "batch/PhotoFile.h"
#include "log/RunLog.h"
#include "processing/ImageSaver.h"
#include "processing/OutputOptionSettings.h"
#include "processing/OverwriteQuestion.h"
#include "processing/ResizingOptionsSettingObject.h"
#include "processing/RunSummary.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

namespace fw {

class AppDelegate;
class FileSystemProbe;
class NotificationCenter;
class Utils;

// The processing screen's state and rules: it runs the marked photos of the
// batch one at a time on a pool thread, reports progress, can be held,
// resumed and stopped, asks about existing outputs, and ends with a summary
// and a log. Lives on the main thread; the worker reaches the main thread
// only through blocking calls.
class ProcessingView : public QObject {
    Q_OBJECT
public:
    enum Status : int {
        NotProcessed = 0,
        Processed = 1,
        MissingAtSource = 2,
        SizeTooLarge = 7,
        Skipped = 8,
        SourceAccessDenied = 10,
        DestinationAccessDenied = 11,
        DestinationFolderMissing = 12,
        InvalidFileName = 13,
        NotSaved = 14,
        NotRead = 15,
    };
    // Standing answers to existing outputs (the worker's ProcessFlag).
    enum ProcessFlag : int { AskOrOverwrite = 0, SkipAll = 1, ReplaceAll = 2, KeepAll = 3 };
    // One-photo answers (currentFileFlag).
    enum FileAnswer : int {
        NoAnswer = 0,
        ReplaceThis = 4,
        SkipThis = 5,
        KeepBoth = 6,
        UseNewName = 7
    };

    // Free space below which the run stops writing (102 MiB).
    static constexpr qint64 minimumFreeBytes = 106954752;

    ProcessingView(AppDelegate& app, NotificationCenter& center, const FileSystemProbe& fileSystem,
                   const Utils& utils, QObject* parent = nullptr);
    ~ProcessingView() override;

    // The run over the batch's marked photos. A run keeps every existing
    // output and gives the new one a free name until it is first held and
    // resumed; the command line may start it with another standing answer.
    void startProcess(const OutputOptionSettings& output,
                      const ResizingOptionsSettingObject& resizingOptionsObject,
                      int initialProcessFlag = KeepAll);
    void startProcessingOfPhotos(int processFlag);

    void holdProcessing();
    void restartProcessing();
    void stopProcessing();
    void btnStopProcessTapped();
    void btnOkOnEnoughtSpcaecTapped();

    // The existing-file question's answers.
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
    bool isProgressShown() const { return progressShown; }
    const RunSummary& summary() const { return runSummary; }
    const QList<LogRecord>& arrLogDetails() const { return logDetails; }
    const OverwriteQuestion& overwriteQuestion() const { return question; }
    bool isOnHold() const { return isProcessOnHold; }
    // Stop was pressed while the worker still had a photo in hand: the
    // summary comes when it has finished or abandoned it.
    bool isStopping() const { return stopPending; }
    int processedSuccessfully() const { return counterProcessedSuccessfully; }
    int processedWithError() const { return counterProcessedWithError; }
    int totalProgressed() const { return counterTotalProgressedFiles; }

    // How the output folder is shown at the end of a run; none shows nothing.
    void setOutputFolderOpener(std::function<void(const QString& folder)> opener);

Q_SIGNALS:
    void changed();
    void runFinished();

private:
    // Run control (ProcessingView.cpp).
    void processFilesInBatch(const QList<PhotoFilePtr>& snapshot, int processFlag,
                             quint64 generation);
    void callForUpdatingProgressWithCountWithProcessStatus(int progressStatus,
                                                           const QString& message);
    void setProcessInfoAtBottm();
    QString elapsedTimeText() const;
    void showSummaryOnce();
    void endRunAfterPhotoInHand();
    void addSummaryInfo();
    void insertDetailsInDatabase();
    void openOutputFolder();
    void showEnoughSpacePopup();
    void showOverwriteExistingFilePopup(const PhotoFilePtr& photo, const QString& outputPath);
    void hideOverwriteExistingFilePopup();
    void answerQuestion(std::optional<int> fileAnswer, int processFlag, bool startBeforeClosing);
    void retireWorker();
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
    void finishPhoto(PhotoFile& photo, int status, int progressStatus, const char* messageKey);
    void report(int progressStatus, const char* messageKey);

    AppDelegate& app;
    NotificationCenter& center;
    const FileSystemProbe& fileSystem;
    const Utils& utils;
    std::function<void(const QString&)> outputFolderOpener;

    QList<PhotoFilePtr> photos;
    OutputOptionSettings outputSettingObject;
    ResizingOptionsSettingObject resizingOptionObject;
    QString rawConvertFormat;
    QDateTime processStartedDateTime;

    // Written on the main thread, read by the worker between photos and at
    // fixed points of a photo's step.
    std::atomic<int> counterTotalProgressedFiles = 0;
    std::atomic<int> counterProcessedSuccessfully = 0;
    std::atomic<int> counterProcessedWithError = 0;
    std::atomic<bool> isPHOTOS_PROCESSING_IN_PROGERESS = false;
    std::atomic<bool> isProcessOnHold = false;
    std::atomic<bool> isProcessStopped = false;
    std::atomic<int> currentFileFlag = NoAnswer;
    // A worker whose generation is no longer current leaves at its next
    // check. The main thread changes the generation and the active flag
    // together under flagsMutex, and a worker decides whether to take the
    // next photo under it, so a superseded worker never starts a photo;
    // workerMutex keeps it from overlapping its successor.
    std::atomic<quint64> workerGeneration = 0;
    // Set by the worker, under flagsMutex, while it works on a photo.
    std::atomic<bool> photoInHand = false;
    std::mutex flagsMutex;
    std::mutex workerMutex;

    QString newFilePath;
    OverwriteQuestion question;

    int progressValue = 0;
    QString progressText;
    QStringList progressValues;
    QString titleText;
    QString currentPathText;
    bool summaryShown = false;
    bool stopPending = false;
    bool progressShown = false;
    RunSummary runSummary;
    QList<LogRecord> logDetails;
    QString runTimeStamp;
};

} // namespace fw
