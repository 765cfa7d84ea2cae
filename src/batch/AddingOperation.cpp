#include "batch/AddingOperation.h"

#include "batch/AddingWalk.h"
#include "batch/Batch.h"
#include "core/MainThreadCall.h"
#include "platform/ImageService.h"

#include <QCoreApplication>

namespace fw {

namespace {

// Fast enough for the progress to look continuous.
constexpr int showInterval = 20;

} // namespace

AddingOperation::AddingOperation(Batch& batch, const ImageService& images, int photoLimit,
                                 QObject* parent)
    : QObject(parent), batch(batch), images(images), admission(images), photoLimit(photoLimit)
{
    task.setMaxThreadCount(1);
}

// The task may be waiting for the main thread; its call is run (as a no-op,
// the operation is closing) so that it can end.
AddingOperation::~AddingOperation()
{
    closing = true;
    stopped = true;
    task.clear();
    while (!task.waitForDone(10))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void AddingOperation::start(const QStringList& urls, bool withSubFolders, const QString& fileType)
{
    if (running)
        return;
    running = true;
    stopped = false;
    admittedSoFar = 0;
    walking = {};
    admittedNotShown.clear();
    admittedPathsNotShown.clear();
    lastShown.invalidate();
    task.start([this, urls, withSubFolders, fileType] { walk(urls, withSubFolders, fileType); });
}

void AddingOperation::walk(const QStringList& urls, bool withSubFolders, const QString& fileType)
{
    AddingWalk walker(
        {[this, &fileType](const QString& path, bool fromLibrary) {
             return isValidPhoto(path, fileType, fromLibrary);
         },
         [this] {
             runOnMainThread([this] {
                 if (onMissingArchivePath)
                     onMissingArchivePath();
             });
         },
         [this] { return closing.load(); },
         [this](const RefusedFile& refused) { walking.refusedFiles.append(refused); }},
        photoLimit, stopped, withSubFolders, images.imageExtensions());
    const QStringList admitted = walker.photosUrlsToBeAdded(urls);
    showAdmittedPhotos();
    walking.admittedCount = static_cast<int>(admitted.size());
    walking.isLimitExceeded = walker.isLimitExceeded();
    walking.pathType = walker.pathType();
    walking.wasStopped = stopped;
    Outcome walked = std::move(walking);
    runOnMainThread([this, &walked] { finish(std::move(walked)); });
}

void AddingOperation::finish(Outcome walked)
{
    lastOutcome = std::move(walked);
    running = false;
    Q_EMIT finished();
}

bool AddingOperation::isValidPhoto(const QString& path, const QString& fileType, bool isIphotoNode)
{
    if (admittedPathsNotShown.contains(path)) {
        walking.isPhotosAlreadyAdded = true;
        walking.refusedFiles.append({path, RefusedFile::Reason::AlreadyInBatch, {}});
        return false;
    }
    if (keepsPath && !keepsPath(path)) {
        ++walking.passedOverCount;
        return false;
    }
    // The batch changes only on the main thread and only between operations
    // (the screens refuse changes while one runs), so reading it here is safe.
    const PhotoAdmission::Result result = admission.judge(path, fileType, isIphotoNode, batch);
    recordRefusal(path, result);
    using Verdict = PhotoAdmission::Verdict;
    switch (result.verdict) {
    case Verdict::Admitted:
        admittedNotShown.append(result.photo);
        admittedPathsNotShown.insert(path);
        if (!lastShown.isValid() || lastShown.hasExpired(showInterval))
            showAdmittedPhotos();
        return true;
    case Verdict::AlreadyAdded:
        walking.isPhotosAlreadyAdded = true;
        return false;
    case Verdict::NotAnImage:
    case Verdict::Unreadable:
        walking.isPhotoFormatNotSupported = true;
        return false;
    case Verdict::NotAnImageFromLibrary:
    case Verdict::Filtered:
        return false;
    }
    return false;
}

// Files of a library that are not images (videos, sidecars) were never chosen
// one by one, so they are left out without a word.
void AddingOperation::recordRefusal(const QString& path, const PhotoAdmission::Result& result)
{
    using Verdict = PhotoAdmission::Verdict;
    using Reason = RefusedFile::Reason;
    switch (result.verdict) {
    case Verdict::AlreadyAdded:
        walking.refusedFiles.append({path, Reason::AlreadyInBatch, {}});
        break;
    case Verdict::NotAnImage:
        walking.refusedFiles.append({path, Reason::NotAPhoto, {}});
        break;
    case Verdict::Unreadable:
        walking.refusedFiles.append({path,
                                     result.failure == "permission denied"
                                         ? Reason::PermissionDenied
                                         : Reason::CannotBeRead,
                                     result.failure});
        break;
    case Verdict::Admitted:
    case Verdict::NotAnImageFromLibrary:
    case Verdict::Filtered:
        break;
    }
}

void AddingOperation::showAdmittedPhotos()
{
    if (admittedNotShown.isEmpty())
        return;
    runOnMainThread([this] {
        batch.append(admittedNotShown);
        admittedSoFar += static_cast<int>(admittedNotShown.size());
        Q_EMIT photoAdmitted(admittedNotShown.last()->filePath, admittedSoFar);
    });
    admittedNotShown.clear();
    admittedPathsNotShown.clear();
    lastShown.start();
}

void AddingOperation::runOnMainThread(const std::function<void()>& work)
{
    runOnThreadOf(this, [this, &work] {
        if (!closing)
            work();
    });
}

} // namespace fw
