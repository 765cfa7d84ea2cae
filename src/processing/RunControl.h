#pragma once

#include "batch/PhotoFile.h"
#include "core/Codes.h"

#include <QList>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <mutex>

class QObject;

namespace fw {

// The run's state machine: one worker at a time on a pool of its own, taking
// the run's photos in order from the count of finished ones; hold, resume and
// stop; and the end of a run that a worker still in a photo must reach first.
//
// The flags are written on the main thread and read by the worker between
// photos and at fixed points of a photo's step. The main thread changes the
// active flag and the worker generation together under a lock, and a worker
// decides under it whether to take the next photo, so a superseded worker
// never starts a photo; a second lock keeps it from overlapping its
// successor. (isPHOTOS_PROCESSING_IN_PROGERESS is the design's name, kept on
// purpose.)
class RunControl {
public:
    // The per-file step, on the worker.
    using PhotoStep = std::function<void(const PhotoFilePtr& photo, int index, int processFlag)>;
    // Called on the main thread when a worker has left for good (the last
    // photo done, or stopped); the run then ends unless it has already.
    using WorkerEnded = std::function<void()>;

    RunControl(QObject& mainThreadObject, PhotoStep step, WorkerEnded workerEnded);
    // Retires the worker and serves the main thread until it has left.
    ~RunControl();

    void reset();
    // Starts a worker over the photos from the count of finished ones.
    void startWorker(const QList<PhotoFilePtr>& photos, int processFlag);
    // The current worker leaves at its next check; a new one may start.
    void retireWorker();

    void hold();
    void releaseHold() { isProcessOnHold = false; }
    void setActive(bool active) { isPHOTOS_PROCESSING_IN_PROGERESS = active; }
    // Stops for good. True when a worker is still in a photo: the run then
    // ends when the worker leaves it; otherwise the caller ends it at once.
    bool stopAfterPhotoInHand();

    bool isActive() const { return isPHOTOS_PROCESSING_IN_PROGERESS; }
    bool isHeld() const { return isProcessOnHold; }
    bool isStopped() const { return isProcessStopped; }

    std::atomic<int> counterTotalProgressedFiles = 0;
    std::atomic<int> counterProcessedSuccessfully = 0;
    std::atomic<int> counterProcessedWithError = 0;
    // Photos skipped by the user's answer: neither written nor an error.
    std::atomic<int> counterSkipped = 0;
    // The one-photo answer to the existing-file question (FileAnswer).
    std::atomic<int> currentFileFlag = FileAnswer::NoAnswer;

private:
    void processFilesInBatch(const QList<PhotoFilePtr>& snapshot, int processFlag,
                             quint64 generation);

    QObject& mainThreadObject;
    const PhotoStep step;
    const WorkerEnded workerEnded;
    std::atomic<bool> isPHOTOS_PROCESSING_IN_PROGERESS = false;
    std::atomic<bool> isProcessOnHold = false;
    std::atomic<bool> isProcessStopped = false;
    std::atomic<bool> photoInHand = false;
    std::atomic<quint64> workerGeneration = 0;
    std::mutex flagsMutex;
    std::mutex workerMutex;
    // Not Qt's global pool: Qt paints and scales images on that pool's
    // threads, and a worker waiting in a blocking call for the main thread
    // must not hold one while the main thread waits for them. Room for a
    // retiring worker and its successor. Declared last, so it waits for its
    // workers before the members they use go.
    QThreadPool workers;
};

} // namespace fw
