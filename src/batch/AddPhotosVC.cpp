#include "batch/AddPhotosVC.h"

#include "app/AppDelegate.h"
#include "app/MainThreadCall.h"
#include "app/NotificationCenter.h"
#include "batch/AddingWalk.h"
#include "batch/ModalMessages.h"
#include "batch/TrashRule.h"
#include "platform/ImageService.h"
#include "platform/PathInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace fw {

namespace {

constexpr int libraryPanelIndex = 3;
// The two views share one budget; a grid thumbnail is some fifty times the
// size of a list one.
constexpr qint64 gridThumbnailBudget = 224LL * 1024 * 1024;
constexpr qint64 listThumbnailBudget = 32LL * 1024 * 1024;
// Fast enough for the progress to look continuous.
constexpr int showInterval = 20;

// One shared value: a batch of a million paths holds one "1", not a million.
const QString& addedMark()
{
    static const QString mark = QStringLiteral("1");
    return mark;
}

} // namespace

AddPhotosVC::AddPhotosVC(AppDelegate& appDelegate, NotificationCenter& notifications,
                         ModalMessages& modalMessages, int photoLimit, QObject* parent)
    : QObject(parent), appDelegate(appDelegate), notifications(notifications),
      modalMessages(modalMessages), photoLimit(photoLimit), admission(appDelegate.imageService()),
      gridThumbnailProvider(QSize(404, 414), gridThumbnailBudget,
                            ThumbnailProvider::makerFor(appDelegate.imageService())),
      listThumbnailProvider(QSize(70, 48), listThumbnailBudget,
                            ThumbnailProvider::makerFor(appDelegate.imageService()))
{
    backgroundTasks.setMaxThreadCount(1);
    observeNotifications();
    updateButtonsEnability();
}

// A task may be waiting for the main thread; its call is run (as a no-op, the
// screen is closing) so that it can end.
AddPhotosVC::~AddPhotosVC()
{
    closing = true;
    isPHOTOS_PROCESSING_STOPPED = true;
    backgroundTasks.clear();
    while (!backgroundTasks.waitForDone(10))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void AddPhotosVC::observeNotifications()
{
    notifications.addObserver(this, "notificationsEnable",
                              [this](const QVariantMap&) { setAddButtonsEnabled(true); });
    notifications.addObserver(this, "notificationsDisbleView",
                              [this](const QVariantMap&) { setAddButtonsEnabled(false); });
    notifications.addObserver(this, "FileDragDropNotification", [this](const QVariantMap& info) {
        handleFileDragDropNotification(info);
    });
}

void AddPhotosVC::setAddButtonsEnabled(bool enabled)
{
    state.areAddButtonsEnabled = enabled;
    appDelegate.isSubWindowOpened = false;
    Q_EMIT changed();
}

void AddPhotosVC::btnAddPhotosTappedWithIndex(int index)
{
    isAddFromSubFolderSelected = index != 0;
    appDelegate.isSubWindowOpened = true;
    Q_EMIT panelRequested(index);
}

void AddPhotosVC::btnAddIphotosTapped()
{
    pathType = 2;
    appDelegate.isSubWindowOpened = true;
    Q_EMIT panelRequested(libraryPanelIndex);
}

// Only the first item decides: a choice is made in one folder at a time.
void AddPhotosVC::panelEnded(const QStringList& chosenPaths)
{
    appDelegate.isSubWindowOpened = false;
    if (!chosenPaths.isEmpty() && TrashRule::forCurrentUser().isInTrash(chosenPaths.first())) {
        modalMessages.showMessage(
            appDelegate.getLocalizedStringForKey("PHOTOS_CANT_ADDED_FROM_TRASH"));
        isAddFromSubFolderSelected = false;
        return;
    }
    if (chosenPaths.isEmpty()) {
        isAddFromSubFolderSelected = false;
        return;
    }
    addPhotosFromPathUrls(chosenPaths);
}

bool AddPhotosVC::panelShouldEnableUrl(const QString& path)
{
    if (QFileInfo(path).suffix().toLower() == "migratedphotolibrary")
        return false;
    return PathInfo::of(path).isDir();
}

// The drop area takes files only while the add buttons work: not during an
// adding operation, nor while a run has locked the screens.
void AddPhotosVC::handleFileDragDropNotification(const QVariantMap& userInfo)
{
    if (addingInProgress || !state.areAddButtonsEnabled)
        return;
    isAddFromSubFolderSelected = true;
    addPhotosFromPathUrls(userInfo.value("paths").toStringList());
}

void AddPhotosVC::addPhotosFromPathUrls(const QStringList& urls)
{
    if (addingInProgress)
        return;
    startAddingOperation(urls);
}

void AddPhotosVC::startAddingOperation(const QStringList& urls)
{
    addingInProgress = true;
    totalPhotoToAdd = 0;
    photosAdded = 0;
    isPHOTOS_PROCESSING_STOPPED = false;
    isMAX_PHOTOS_LIMIT_EXCEEDED = false;
    isPhotosAlreadyAdded = false;
    isPhotoFormatNotSupported = false;
    // Looked up once: the texts are set for every photo of a large folder.
    progressWords = {appDelegate.getLocalizedStringForKey("ADDED"),
                     appDelegate.getLocalizedStringForKey("WAIT_IMPORTING_PHOTOS"),
                     appDelegate.getLocalizedStringForKey("PHOTOS_ADDED")};
    state.isAddingProgressVisible = true;
    state.isDropAreaEnabled = false;
    notifications.post("notificationsDisbleCross");
    notifications.post("notificationsDisbleView");
    if (!appDelegate.arraySelectedImagesToProcess.isEmpty()) {
        state.progressPathText.clear();
        appDelegate.isSubWindowOpened = true;
        state.isProgressSheetShown = true;
    }
    admittedNotShown.clear();
    admittedPathsNotShown.clear();
    lastShown.invalidate();
    Q_EMIT changed();
    backgroundTasks.start([this, urls] {
        const QStringList admitted = photosUrlsToBeAddedFromUrls(urls, "ALL");
        showAdmittedPhotos();
        runOnMainThread([this, &admitted] { finishAddingOperation(admitted.size()); });
    });
}

void AddPhotosVC::finishAddingOperation(int admittedCount)
{
    totalPhotoToAdd = admittedCount;
    refusedFiles = std::move(refusedDuringWalk);
    refusedDuringWalk.clear();
    addingInProgress = false;
    appDelegate.isSubWindowOpened = false;
    state.isProgressSheetShown = false;
    notifications.post("notificationsHideLoading");
    processAfterAllPhotosAdded();
    // Single refusals are not worth an alert when anything was added, and a
    // walk the user stopped ends as the user asked, without one.
    if (isMAX_PHOTOS_LIMIT_EXCEEDED)
        postAlert(109);
    else if (photosAdded == 0 && !isPHOTOS_PROCESSING_STOPPED)
        postAlert(isPhotosAlreadyAdded ? 111 : isPhotoFormatNotSupported ? 110 : 112);
}

void AddPhotosVC::btnStopAddingTapped()
{
    isPHOTOS_PROCESSING_STOPPED = true;
}

QStringList AddPhotosVC::photosUrlsToBeAddedFromUrls(const QStringList& urls,
                                                     const QString& fileType)
{
    AddingWalk walk({[this, &fileType](const QString& path, bool fromLibrary) {
                         return isValidPhoto(path, fileType, fromLibrary);
                     },
                     [this] { showMissingArchivePathMessage(); }, [this] { return closing.load(); },
                     [this](const RefusedFile& refused) { refusedDuringWalk.append(refused); }},
                    photoLimit, isPHOTOS_PROCESSING_STOPPED, isAddFromSubFolderSelected,
                    appDelegate.imageService().imageExtensions());
    const QStringList admitted = walk.photosUrlsToBeAdded(urls);
    isMAX_PHOTOS_LIMIT_EXCEEDED = walk.isLimitExceeded();
    if (walk.pathType() != 0)
        pathType = walk.pathType();
    return admitted;
}

bool AddPhotosVC::isValidPhoto(const QString& path, const QString& fileType, bool isIphotoNode)
{
    if (admittedPathsNotShown.contains(path)) {
        isPhotosAlreadyAdded = true;
        refusedDuringWalk.append({path, RefusedFile::Reason::AlreadyInBatch, {}});
        return false;
    }
    const PhotoAdmission::Result result =
        admission.judge(path, fileType, isIphotoNode, dictFileAdded);
    recordRefusal(path, result);
    switch (result.verdict) {
    case PhotoAdmission::Verdict::Admitted:
        admittedNotShown.append(result.photo);
        admittedPathsNotShown.insert(path);
        if (!lastShown.isValid() || lastShown.hasExpired(showInterval))
            showAdmittedPhotos();
        return true;
    case PhotoAdmission::Verdict::AlreadyAdded:
        isPhotosAlreadyAdded = true;
        return false;
    case PhotoAdmission::Verdict::NotAnImage:
    case PhotoAdmission::Verdict::Unreadable:
        isPhotoFormatNotSupported = true;
        return false;
    case PhotoAdmission::Verdict::NotAnImageFromLibrary:
    case PhotoAdmission::Verdict::Filtered:
        return false;
    }
    return false;
}

// Refusals are told to the user once the operation ends; files of a library
// that are not images (videos, sidecars) were never chosen one by one.
void AddPhotosVC::recordRefusal(const QString& path, const PhotoAdmission::Result& result)
{
    using Verdict = PhotoAdmission::Verdict;
    using Reason = RefusedFile::Reason;
    switch (result.verdict) {
    case Verdict::AlreadyAdded:
        refusedDuringWalk.append({path, Reason::AlreadyInBatch, {}});
        break;
    case Verdict::NotAnImage:
        refusedDuringWalk.append({path, Reason::NotAPhoto, {}});
        break;
    case Verdict::Unreadable:
        refusedDuringWalk.append({path,
                                  result.failure == "permission denied" ? Reason::PermissionDenied
                                                                        : Reason::CannotBeRead,
                                  result.failure});
        break;
    case Verdict::Admitted:
    case Verdict::NotAnImageFromLibrary:
    case Verdict::Filtered:
        break;
    }
}

// Every admitted photo goes into the batch and the progress on the main
// thread; a wait for the main thread costs more than reading a small photo's
// header, so the photos admitted within one interval go over together. The
// first one of an operation goes at once.
void AddPhotosVC::showAdmittedPhotos()
{
    if (admittedNotShown.isEmpty())
        return;
    runOnMainThread([this] {
        for (const PhotoFilePtr& photo : std::as_const(admittedNotShown)) {
            appDelegate.arraySelectedImagesToProcess.append(photo);
            dictFileAdded.insert(photo->filePath, addedMark());
            callForUpdatingProgressCountWithFilePath(photo->filePath);
        }
    });
    admittedNotShown.clear();
    admittedPathsNotShown.clear();
    lastShown.start();
}

void AddPhotosVC::callForUpdatingProgressCountWithFilePath(const QString& path)
{
    ++photosAdded;
    state.progressText =
        QStringLiteral("%1 %2\n%3").arg(path, progressWords.added, progressWords.pleaseWait);
    state.progressCountText =
        QStringLiteral("%1 %2").arg(QString::number(photosAdded), progressWords.photosAdded);
    state.progressPathText = path;
    Q_EMIT changed();
}

// The library's album list lacks what every such list has; the user is asked
// to report it, and the walk waits until the message is dismissed.
void AddPhotosVC::showMissingArchivePathMessage()
{
    runOnMainThread([this] {
        modalMessages.showMessage("Please report to the developer should not happen",
                                  "Send Feedback with logs now.");
    });
}

void AddPhotosVC::processAfterAllPhotosAdded()
{
    notifications.post("notificationsEnableCross");
    notifications.post("notificationsEnable");
    updateBatchInformationInBottomView();
    state.isDropAreaEnabled = true;
    state.isAddingProgressVisible = false;
    for (const PhotoFilePtr& photo : appDelegate.arraySelectedImagesToProcess)
        photo->isSelected = true;
    state.progressText.clear();
    state.progressCountText.clear();
    state.progressPathText.clear();
    isAddFromSubFolderSelected = false;
    const bool isEmpty = appDelegate.arraySelectedImagesToProcess.isEmpty();
    state.isDropHintVisible = isEmpty;
    state.selectedPhotoIndex = isEmpty ? -1 : 0;
    updateButtonsEnability();
    addBottomInfoAboutBatch();
    Q_EMIT batchReloaded();
    Q_EMIT changed();
    notifications.post("notificationsPhotosModified");
}

void AddPhotosVC::btnCheckTappedAtLocationInTableView(int index)
{
    toggleMark(index);
}

void AddPhotosVC::btnCheckboxTappedAtLocationInCollectionView(int index)
{
    toggleMark(index);
}

// A photo whose file has gone cannot be processed, so it cannot be marked
// either; the alert offers to drop every such photo.
void AddPhotosVC::toggleMark(int index)
{
    const QList<PhotoFilePtr>& batch = appDelegate.arraySelectedImagesToProcess;
    if (index < 0 || index >= batch.size())
        return;
    const PhotoFilePtr& photo = batch.at(index);
    if (!PathInfo::of(photo->filePath).exists()) {
        postAlert(103);
        return;
    }
    photo->isSelected = !photo->isSelected;
    Q_EMIT photoChanged(index);
    updateButtonsEnability();
}

void AddPhotosVC::btnMarkAllTapped()
{
    markUnmarkAll();
}

void AddPhotosVC::markUnmarkAll()
{
    const QList<PhotoFilePtr>& batch = appDelegate.arraySelectedImagesToProcess;
    const bool allMarked = std::all_of(batch.cbegin(), batch.cend(),
                                       [](const PhotoFilePtr& photo) { return photo->isSelected; });
    for (const PhotoFilePtr& photo : batch)
        photo->isSelected = !allMarked;
    Q_EMIT batchReloaded();
    updateButtonsEnability();
}

void AddPhotosVC::btnRemovePhotoTapped()
{
    if (appDelegate.isSubWindowOpened)
        return;
    const QList<PhotoFilePtr>& batch = appDelegate.arraySelectedImagesToProcess;
    const bool anyMarked = std::any_of(batch.cbegin(), batch.cend(),
                                       [](const PhotoFilePtr& photo) { return photo->isSelected; });
    postAlert(anyMarked ? 113 : 116);
}

void AddPhotosVC::btnRemoveAllTapped()
{
    postAlert(114);
}

// The batch changes only between adding operations: a walk reads the paths of
// the batch on its task.
void AddPhotosVC::btnYesOnRemoveSelectedPhotoTapped()
{
    if (addingInProgress)
        return;
    removePhotosWhere([](const PhotoFilePtr& photo) { return photo->isSelected; });
    appDelegate.isSubWindowOpened = false;
    processAfterAllPhotosAdded();
}

void AddPhotosVC::btnYesOnRemoveAllPhotoTapped()
{
    if (addingInProgress)
        return;
    dictFileAdded.clear();
    gridThumbnailProvider.closeBackgroundOperations();
    listThumbnailProvider.closeBackgroundOperations();
    appDelegate.arraySelectedImagesToProcess.clear();
    appDelegate.isSubWindowOpened = false;
    processAfterAllPhotosAdded();
}

void AddPhotosVC::btnDeleteTappedAtLocationInTableView(int index)
{
    if (addingInProgress || index < 0 || index >= appDelegate.arraySelectedImagesToProcess.size())
        return;
    removePhotoAt(index);
    Q_EMIT photoRemoved(index);
    processAfterAllPhotosAdded();
}

void AddPhotosVC::btnDeleteOnMenuOptionTapped(int index)
{
    if (addingInProgress || index < 0 || index >= appDelegate.arraySelectedImagesToProcess.size())
        return;
    removePhotoAt(index);
    processAfterAllPhotosAdded();
}

void AddPhotosVC::removePhotoAt(int index)
{
    dictFileAdded.remove(appDelegate.arraySelectedImagesToProcess.at(index)->filePath);
    appDelegate.arraySelectedImagesToProcess.removeAt(index);
}

void AddPhotosVC::removePhotosWhere(const std::function<bool(const PhotoFilePtr&)>& shouldRemove)
{
    appDelegate.arraySelectedImagesToProcess.removeIf([&](const PhotoFilePtr& photo) {
        if (!shouldRemove(photo))
            return false;
        dictFileAdded.remove(photo->filePath);
        return true;
    });
}

// Looking at every file can take long on a network folder, so it is done on
// the screen's task; the batch is read and changed on the main thread, where
// photos may have come or gone meanwhile.
void AddPhotosVC::btnRemoveFromBatchOnAlertTapped()
{
    backgroundTasks.start([this] { removeMissingPhotos(); });
}

void AddPhotosVC::removeMissingPhotos()
{
    QList<PhotoFilePtr> batch;
    runOnMainThread([this, &batch] { batch = appDelegate.arraySelectedImagesToProcess; });
    QSet<const PhotoFile*> missing;
    for (const PhotoFilePtr& photo : batch) {
        if (closing)
            return;
        if (!PathInfo::of(photo->filePath).exists())
            missing.insert(photo.get());
    }
    runOnMainThread([this, &missing] {
        removePhotosWhere(
            [&missing](const PhotoFilePtr& photo) { return missing.contains(photo.get()); });
        appDelegate.isSubWindowOpened = false;
        processAfterAllPhotosAdded();
    });
}

void AddPhotosVC::updateButtonsEnability()
{
    const QList<PhotoFilePtr>& batch = appDelegate.arraySelectedImagesToProcess;
    const bool hasPhotos = !batch.isEmpty();
    const bool allMarked =
        hasPhotos && std::all_of(batch.cbegin(), batch.cend(),
                                 [](const PhotoFilePtr& photo) { return photo->isSelected; });
    state.isRemoveEnabled = hasPhotos;
    state.isRemoveAllEnabled = hasPhotos;
    state.isMarkAllEnabled = hasPhotos;
    state.isMarkAllTicked = allMarked;
    state.markAllLabelText =
        appDelegate.getLocalizedStringForKey(allMarked ? "UNSELECT_ALL" : "SELECT_ALL");
    Q_EMIT changed();
}

void AddPhotosVC::updateBatchInformationInBottomView()
{
    const QList<PhotoFilePtr>& batch = appDelegate.arraySelectedImagesToProcess;
    state.batchInformation =
        batch.isEmpty() ? BatchInformation{} : BatchInformation::forBatch(batch);
    Q_EMIT changed();
}

// The footer shows the line only while the batch has photos; the main screen
// decides, so the line is sent for an empty batch too.
void AddPhotosVC::addBottomInfoAboutBatch()
{
    const BatchInformation information =
        BatchInformation::forBatch(appDelegate.arraySelectedImagesToProcess);
    notifications.post("notificationUpdateFooterInfo", {{"textStr", information.line},
                                                        {"countText", information.countText},
                                                        {"sizeText", information.sizeText}});
}

void AddPhotosVC::changePhotosViewImageMode(int mode)
{
    IMAGES_VIEW_MODE = mode;
    Q_EMIT changed();
}

void AddPhotosVC::closeBackgroundOperations()
{
    gridThumbnailProvider.closeBackgroundOperations();
    listThumbnailProvider.closeBackgroundOperations();
}

void AddPhotosVC::postAlert(int type)
{
    notifications.post("notificationShowAlertWithType", {{"type", type}});
}

void AddPhotosVC::runOnMainThread(const std::function<void()>& work)
{
    runOnThreadOf(this, [this, &work] {
        if (!closing)
            work();
    });
}

} // namespace fw
