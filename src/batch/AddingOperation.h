#pragma once

#include "batch/PhotoAdmission.h"
#include "batch/RefusedFile.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <functional>

namespace fw {

class Batch;
class ImageService;

// One adding operation at a time: the walk over chosen or dropped paths on a
// pool task, the admission rule, and the photos handed to the batch on the
// main thread in groups (the first at once, the others at most 20 ms later,
// since waiting for the main thread costs more than reading a small photo's
// header). Lives on the main thread; signals arrive there.
class AddingOperation : public QObject {
    Q_OBJECT
public:
    // What the last operation found, read once it has finished.
    struct Outcome {
        int admittedCount = 0;
        bool isLimitExceeded = false;
        bool isPhotosAlreadyAdded = false;
        bool isPhotoFormatNotSupported = false;
        bool wasStopped = false;
        // Kind of the last package met: 2 iPhoto or Aperture, 3 Photos; 0 none.
        int pathType = 0;
        QList<RefusedFile> refusedFiles;
        // Paths keepsPath turned down.
        int passedOverCount = 0;
    };

    AddingOperation(Batch& batch, const ImageService& images, int photoLimit,
                    QObject* parent = nullptr);
    ~AddingOperation() override;

    bool isRunning() const { return running; }
    // Ignored while one runs. fileType "ALL" admits every image.
    void start(const QStringList& urls, bool withSubFolders, const QString& fileType);
    // The walk ends before the next entry it looks at.
    void stop() { stopped = true; }
    const Outcome& outcome() const { return lastOutcome; }

    // Called on the main thread, the walk waiting, when a library's album
    // list lacks its archive path.
    std::function<void()> onMissingArchivePath;
    // When set, a path it turns down is passed over before its file is read:
    // neither admitted nor refused nor counted against the limit. Called on
    // the walk's thread; set between operations.
    std::function<bool(const QString& path)> keepsPath;

Q_SIGNALS:
    // Photos entered the batch, a group at once; the path is the group's
    // last, the one the progress shows.
    void photoAdmitted(const QString& path, int admittedSoFar);
    void finished();

private:
    void walk(const QStringList& urls, bool withSubFolders, const QString& fileType);
    bool isValidPhoto(const QString& path, const QString& fileType, bool isIphotoNode);
    void recordRefusal(const QString& path, const PhotoAdmission::Result& result);
    void showAdmittedPhotos();
    void finish(Outcome walked);
    void runOnMainThread(const std::function<void()>& work);

    Batch& batch;
    const ImageService& images;
    const PhotoAdmission admission;
    const int photoLimit;
    bool running = false;
    std::atomic<bool> stopped = false;
    // Set while the operation is destroyed: its task ends at the next entry.
    std::atomic<bool> closing = false;
    int admittedSoFar = 0;
    Outcome lastOutcome;

    // The walk's task only.
    Outcome walking;
    QList<PhotoFilePtr> admittedNotShown;
    QSet<QString> admittedPathsNotShown;
    QElapsedTimer lastShown;

    // Declared last, so its task ends before the members it uses go.
    QThreadPool task;
};

} // namespace fw
