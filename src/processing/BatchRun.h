#pragma once

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "log/RunLog.h"
#include "processing/PhotoTask.h"
#include "processing/RunSettings.h"
#include "processing/RunSummary.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>
#include <memory>
#include <optional>

namespace fw {

class Batch;
class FileSystemProbe;
class ImageService;
class LocalizedStrings;
class PhotoStep;
class RunObserver;

// One run over the batch's marked photos, the same for the window and the
// command line, each of which observes it (RunObserver). Several photos are
// in flight at once on a pool of the run's own, yet everything the user sees
// keeps its one-at-a-time meaning: results, statuses and log rows come in
// batch order; output names are decided in batch order, so two photos never
// get one name and the names are those a one-at-a-time run gives; the
// existing-file question is asked for its photo in order, and no photo after
// it starts before it is answered; a hold starts no new photo and lets those
// in hand finish; a stop ends the run once they have. Main thread only; the
// workers touch nothing but their photo's files and hand back a value.
class BatchRun : public QObject {
    Q_OBJECT
public:
    BatchRun(Batch& batch, LocalizedStrings& strings, const ImageService& images,
             const FileSystemProbe& fileSystem, RunObserver& observer, QObject* parent = nullptr);
    // Lets the photos in hand finish; their results are dropped.
    ~BatchRun() override;

    // As many photos in flight as the machine has cores.
    static int defaultPhotosInFlight();
    void setPhotosInFlight(int count);

    // Starts a run over the batch's marked photos with the standing answer to
    // existing outputs (ProcessFlag). Nothing happens without marked photos.
    void start(const RunSettings& settings, int processFlag);
    // Starts no new photo until resumed; the photos in hand finish.
    void hold();
    // Goes on after a hold. The standing answer becomes the one-photo answer
    // (normally none), so a resumed run asks about existing outputs.
    void resume();
    // Starts no new photo; the run ends once the photos in hand are done.
    void stop();
    // The existing-file question's answer: the one-photo answer (none for a
    // standing one), the new standing answer, and for a rename the new path.
    void answerExistingOutput(std::optional<int> fileAnswer, int processFlag,
                              const QString& renamedPath = {});

    const RunSettings& settings() const { return runSettings; }
    const QList<PhotoFilePtr>& photos() const { return photoList; }
    bool isRunning() const { return !ended && !photoList.isEmpty(); }
    bool isHeld() const { return held; }
    bool isEnded() const { return ended; }
    // Stopped, with photos still in hand.
    bool isStopping() const { return stopped && !ended; }

    int finishedCount() const { return finished; }
    int processedSuccessfully() const { return succeeded; }
    int processedWithError() const { return failures; }
    int skippedByAnswer() const { return skips; }
    int percentDone() const;
    // "1 seconds" for a run under a second (the design's rule).
    QString elapsedTimeText() const;
    // Empty until the run has a pace, and once it has ended.
    QString remainingTimeText() const;
    const QString& timeStamp() const { return stamp; }
    const RunSummary& summary() const { return runSummary; }
    const QList<LogRecord>& logDetails() const { return details; }
    LogRecord logSummary() const { return runSummary.logSummary(stamp, started); }

private:
    enum class Plan { Started, Skipped, Asks, Waits };

    void startMore();
    Plan planAndStart(int index);
    void startWorker(int index, const QString& outputPath, ImageSaver::ExistingFile existingFile);
    void workerFinished(int index, const QString& outputPath, const PhotoOutcome& outcome);
    void applyInOrder();
    void apply(const PhotoFilePtr& photo, const PhotoResult& result);
    void askWhenItsTurn();
    void endIfDone();
    void end();
    void applyLeftOver();
    QString keptMetadataText() const;
    QString durationText(qint64 seconds) const;
    void changeState();

    Batch& batch;
    LocalizedStrings& strings;
    const ImageService& images;
    const FileSystemProbe& fileSystem;
    RunObserver& observer;
    int photosInFlight;

    RunSettings runSettings;
    std::shared_ptr<const PhotoStep> step;
    QList<PhotoFilePtr> photoList;
    int processFlag = ProcessFlag::KeepAll;
    int currentFileFlag = FileAnswer::NoAnswer;
    QString renamedPath;

    int nextToStart = 0;
    int nextToApply = 0;
    // A photo to plan again before any new one: its output name was taken
    // while it was written, and the question about it has been answered.
    std::optional<int> replanIndex;
    std::optional<int> askingIndex;
    QString askingPath;
    bool questionShown = false;
    // Results that came before those of earlier photos.
    QMap<int, PhotoOutcome> waiting;
    // The output paths of the photos in hand.
    QSet<QString> pathsInFlight;
    int inFlight = 0;

    bool held = false;
    bool stopped = false;
    bool outOfSpace = false;
    bool ended = true;
    int finished = 0;
    int succeeded = 0;
    int failures = 0;
    int skips = 0;
    QDateTime started;
    QString stamp;
    RunSummary runSummary;
    QList<LogRecord> details;

    // Declared last: it waits for its workers before the members they use go.
    QThreadPool workers;
};

} // namespace fw
