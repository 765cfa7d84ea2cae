#include "processing/RunControl.h"

#include "core/MainThreadCall.h"
#include "platform/MemoryRelease.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

namespace fw {

RunControl::RunControl(QObject& mainThreadObject, PhotoStep step, WorkerEnded workerEnded)
    : mainThreadObject(mainThreadObject), step(std::move(step)), workerEnded(std::move(workerEnded))
{
    workers.setMaxThreadCount(2);
}

// A worker may be waiting for the main thread (this one) in a blocking call,
// so the main thread serves the calls addressed to the run's object until
// the worker has left; no other event runs while the objects around are
// being taken down.
RunControl::~RunControl()
{
    isProcessStopped = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    retireWorker();
    while (!workerMutex.try_lock()) {
        QCoreApplication::sendPostedEvents(&mainThreadObject, QEvent::MetaCall);
        QThread::msleep(1);
    }
    workerMutex.unlock();
}

void RunControl::reset()
{
    isProcessStopped = false;
    isProcessOnHold = false;
    counterTotalProgressedFiles = 0;
    counterProcessedSuccessfully = 0;
    counterProcessedWithError = 0;
    counterSkipped = 0;
    currentFileFlag = FileAnswer::NoAnswer;
}

void RunControl::startWorker(const QList<PhotoFilePtr>& photos, int processFlag)
{
    quint64 generation = 0;
    {
        const std::lock_guard lock(flagsMutex);
        generation = ++workerGeneration;
        isPHOTOS_PROCESSING_IN_PROGERESS = true;
    }
    workers.start([this, photos, processFlag, generation] {
        processFilesInBatch(photos, processFlag, generation);
    });
}

void RunControl::retireWorker()
{
    const std::lock_guard lock(flagsMutex);
    ++workerGeneration;
}

void RunControl::hold()
{
    isProcessOnHold = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
}

bool RunControl::stopAfterPhotoInHand()
{
    const std::lock_guard lock(flagsMutex);
    isProcessStopped = true;
    isPHOTOS_PROCESSING_IN_PROGERESS = false;
    return photoInHand;
}

// A held run leaves its worker after the photo that caused the hold; the
// resumed worker starts again at the first photo not yet reported. A stopped
// run finishes or abandons the photo in hand and then ends.
void RunControl::processFilesInBatch(const QList<PhotoFilePtr>& snapshot, int processFlag,
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
            step(snapshot.at(index), static_cast<int>(index), processFlag);
            photoInHand = false;
            MemoryRelease::afterPhoto();
        } else if (isProcessStopped) {
            // A stop that came while a retired worker still had a photo in
            // hand is ended by its successor, the current worker.
            break;
        } else if (isProcessOnHold) {
            return;
        }
        const bool last = index == snapshot.size() - 1;
        if ((last || !isPHOTOS_PROCESSING_IN_PROGERESS) && !isProcessOnHold)
            break;
        ++index;
        if (isProcessStopped)
            break;
    }
    runOnThreadOf(&mainThreadObject, [this, current] {
        if (current())
            workerEnded();
    });
}

} // namespace fw
