#include "batch/AddPhotosVC.h"

#include "batch/Batch.h"
#include "batch/TrashRule.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "core/StringKeys.h"
#include "platform/PathInfo.h"

#include <QFileInfo>

namespace fw {

namespace {

// The two views share one budget; a grid thumbnail is some fifty times the
// size of a list one.
constexpr qint64 gridThumbnailBudget = 224LL * 1024 * 1024;
constexpr qint64 listThumbnailBudget = 32LL * 1024 * 1024;

} // namespace

AddPhotosVC::AddPhotosVC(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                         DialogQueue& dialogs, const ImageService& images,
                         NotificationCenter& notifications, ModalMessages& modalMessages,
                         int photoLimit, QObject* parent)
    : QObject(parent), batch(batch), strings(strings), flags(flags), dialogs(dialogs),
      notifications(notifications), modalMessages(modalMessages),
      rules(batch, strings, flags, notifications),
      gridThumbnailProvider(QSize(404, 414), gridThumbnailBudget,
                            ThumbnailProvider::makerFor(images)),
      listThumbnailProvider(QSize(70, 48), listThumbnailBudget,
                            ThumbnailProvider::makerFor(images)),
      actions(batch, images, dialogs, strings,
              {[this](const PhotoFilePtr& photo) {
                   removeThenRefresh([this, photo] { rules.removePhoto(photo); });
               },
               [this] { btnRemoveFromBatchOnAlertTapped(); }}),
      operation(batch, images, photoLimit)
{
    observeNotifications();
    connect(&rules, &BatchListRules::changed, this, &AddPhotosVC::changed);
    connect(&dialogs, &DialogQueue::showingChanged, this, &AddPhotosVC::changed);
    connect(&operation, &AddingOperation::photoAdmitted, this,
            &AddPhotosVC::callForUpdatingProgressCountWithFilePath);
    connect(&operation, &AddingOperation::finished, this, &AddPhotosVC::finishAddingOperation);
    // The library's album list lacks what every such list has; the user is
    // asked to report it, and the walk waits until the message is dismissed.
    operation.onMissingArchivePath = [this] {
        this->modalMessages.showMessage(
            this->strings.getLocalizedStringForKey(StringKey::LIBRARY_LIST_INCOMPLETE),
            this->strings.getLocalizedStringForKey(StringKey::LIBRARY_LIST_INCOMPLETE_MSG));
    };
}

void AddPhotosVC::observeNotifications()
{
    notifications.addObserver(this, NotificationName::notificationsEnable,
                              [this](const QVariantMap&) { setAddButtonsEnabled(true); });
    notifications.addObserver(this, NotificationName::notificationsDisbleView,
                              [this](const QVariantMap&) {
                                  setAddButtonsEnabled(false);
                                  pauseThumbnailsForARun();
                              });
    notifications.addObserver(
        this, NotificationName::FileDragDropNotification,
        [this](const QVariantMap& info) { handleFileDragDropNotification(info); });
}

// A run covers the batch screen and wants every core for its photos; the
// pictures still to come are asked for again when the list is seen again.
void AddPhotosVC::pauseThumbnailsForARun()
{
    if (!flags.isProcessingInProgress)
        return;
    gridThumbnailProvider.cancelPendingRequests();
    listThumbnailProvider.cancelPendingRequests();
}

void AddPhotosVC::setAddButtonsEnabled(bool enabled)
{
    state.areAddButtonsEnabled = enabled;
    Q_EMIT changed();
}

void AddPhotosVC::btnAddPhotosTappedWithIndex(int index)
{
    isAddFromSubFolderSelected = index != AddPanel::Files;
    requestPanel(index);
}

void AddPhotosVC::btnAddIphotosTapped()
{
    pathType = LibraryKind::IPhotoOrAperture;
    requestPanel(AddPanel::Library);
}

void AddPhotosVC::requestPanel(int index)
{
    dialogs.request([this, index] {
        openPanel = index;
        Q_EMIT panelRequested(index);
        return true;
    });
}

// Only the first item decides: a choice is made in one folder at a time.
void AddPhotosVC::panelEnded(const QStringList& chosenPaths)
{
    dialogs.closed();
    if (!chosenPaths.isEmpty() && TrashRule::forCurrentUser().isInTrash(chosenPaths.first())) {
        modalMessages.showMessage(
            strings.getLocalizedStringForKey(StringKey::PHOTOS_CANT_ADDED_FROM_TRASH));
        isAddFromSubFolderSelected = false;
        return;
    }
    if (chosenPaths.isEmpty()) {
        isAddFromSubFolderSelected = false;
        return;
    }
    addPhotosFromPathUrls(chosenPaths, fileTypeOfPanel(openPanel));
}

QStringList AddPhotosVC::fileTypeTexts()
{
    return {"*.*", "*.JPG", "*.BMP", "*.JPEG", "*.GIF", "*.PNG"};
}

void AddPhotosVC::fileTypeSelectedAtIndex(int index)
{
    if (index >= 0 && index < fileTypeTexts().size())
        fileTypeIndex = index;
}

// "*.JPG" admits the paths ending with ".JPG" in either case. The type box
// stands beside every add panel, so each of them keeps to it; a library is
// taken whole.
QString AddPhotosVC::fileTypeOfPanel(int panel) const
{
    if (panel == AddPanel::Library || fileTypeIndex == 0)
        return QStringLiteral("ALL");
    return fileTypeTexts().at(fileTypeIndex).mid(1);
}

bool AddPhotosVC::acceptsDrops() const
{
    return state.isDropAreaEnabled && state.areAddButtonsEnabled && !dialogs.isShowing();
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
    if (isAdding() || !state.areAddButtonsEnabled)
        return;
    isAddFromSubFolderSelected = true;
    addPhotosFromPathUrls(userInfo.value("paths").toStringList());
}

void AddPhotosVC::addPhotosFromPathUrls(const QStringList& urls, const QString& fileType)
{
    if (!isAdding())
        startAddingOperation(urls, fileType);
}

void AddPhotosVC::startAddingOperation(const QStringList& urls, const QString& fileType)
{
    totalPhotoToAdd = 0;
    photosAdded = 0;
    // Looked up once: the texts are set for every group of a large folder.
    progressWords = {strings.getLocalizedStringForKey(StringKey::ADDED),
                     strings.getLocalizedStringForKey(StringKey::WAIT_IMPORTING_PHOTOS),
                     strings.getLocalizedStringForKey(StringKey::PHOTOS_ADDED)};
    state.isAddingProgressVisible = true;
    state.isDropAreaEnabled = false;
    notifications.post(NotificationName::notificationsDisbleCross);
    notifications.post(NotificationName::notificationsDisbleView);
    const bool addsToPhotos = !batch.isEmpty();
    Q_EMIT changed();
    operation.start(urls, isAddFromSubFolderSelected, fileType);
    if (addsToPhotos)
        requestProgressSheet();
}

// The sheet waits its turn behind another dialog; an import that has ended
// by then needs none.
void AddPhotosVC::requestProgressSheet()
{
    state.progressPathText.clear();
    dialogs.request([this] {
        if (!isAdding())
            return false;
        state.isProgressSheetShown = true;
        Q_EMIT changed();
        return true;
    });
}

void AddPhotosVC::callForUpdatingProgressCountWithFilePath(const QString& path, int admittedSoFar)
{
    photosAdded = admittedSoFar;
    state.progressText =
        QStringLiteral("%1 %2\n%3").arg(path, progressWords.added, progressWords.pleaseWait);
    state.progressCountText =
        QStringLiteral("%1 %2").arg(QString::number(photosAdded), progressWords.photosAdded);
    state.progressPathText = path;
    Q_EMIT changed();
}

void AddPhotosVC::finishAddingOperation()
{
    const AddingOperation::Outcome& outcome = operation.outcome();
    totalPhotoToAdd = outcome.admittedCount;
    isMAX_PHOTOS_LIMIT_EXCEEDED = outcome.isLimitExceeded;
    isPhotosAlreadyAdded = outcome.isPhotosAlreadyAdded;
    isPhotoFormatNotSupported = outcome.isPhotoFormatNotSupported;
    refusedFiles = outcome.refusedFiles;
    if (outcome.pathType != 0)
        pathType = outcome.pathType;
    if (state.isProgressSheetShown) {
        state.isProgressSheetShown = false;
        dialogs.closed();
    }
    notifications.post(NotificationName::notificationsHideLoading);
    processAfterAllPhotosAdded();
    // Single refusals are not worth an alert when anything was added, and a
    // walk the user stopped ends as the user asked, without one; nor does a
    // walk whose every photo was passed over, as asked.
    const bool allPassedOver = outcome.passedOverCount > 0 && outcome.refusedFiles.isEmpty();
    if (isMAX_PHOTOS_LIMIT_EXCEEDED)
        postAlert(AlertTag::PhotoLimitExceeded);
    else if (photosAdded == 0 && !outcome.wasStopped && !allPassedOver)
        postAlert(isPhotosAlreadyAdded        ? AlertTag::PhotosAlreadyInBatch
                  : isPhotoFormatNotSupported ? AlertTag::FilesCannotBeAdded
                                              : AlertTag::NoPhotosToAdd);
}

void AddPhotosVC::processAfterAllPhotosAdded()
{
    notifications.post(NotificationName::notificationsEnableCross);
    notifications.post(NotificationName::notificationsEnable);
    rules.updateBatchInformationInBottomView();
    state.isDropAreaEnabled = true;
    state.isAddingProgressVisible = false;
    rules.markAll();
    state.progressText.clear();
    state.progressCountText.clear();
    state.progressPathText.clear();
    isAddFromSubFolderSelected = false;
    state.isDropHintVisible = batch.isEmpty();
    state.selectedPhotoIndex = batch.isEmpty() ? -1 : 0;
    rules.addBottomInfoAboutBatch();
    Q_EMIT changed();
    notifications.post(NotificationName::notificationsPhotosModified);
}

PhotoFilePtr AddPhotosVC::photoAt(int index) const
{
    return index >= 0 && index < batch.size() ? batch.at(index) : nullptr;
}

void AddPhotosVC::btnCheckTappedAtLocationInTableView(int index)
{
    if (const PhotoFilePtr photo = photoAt(index))
        rules.toggleMark(photo);
}

void AddPhotosVC::btnCheckboxTappedAtLocationInCollectionView(int index)
{
    btnCheckTappedAtLocationInTableView(index);
}

void AddPhotosVC::markUnmarkAll()
{
    rules.markUnmarkAll();
}

void AddPhotosVC::btnRemoveAllTapped()
{
    postAlert(AlertTag::RemoveAllPhotos);
}

// The batch changes only between adding operations: a walk reads the paths of
// the batch on its task.
void AddPhotosVC::removeThenRefresh(const std::function<void()>& removal)
{
    if (isAdding())
        return;
    removal();
    processAfterAllPhotosAdded();
}

void AddPhotosVC::btnYesOnRemoveSelectedPhotoTapped()
{
    removeThenRefresh([this] { rules.removeMarked(); });
}

void AddPhotosVC::btnYesOnRemoveAllPhotoTapped()
{
    removeThenRefresh([this] {
        closeBackgroundOperations();
        rules.removeAll();
    });
}

void AddPhotosVC::btnDeleteTappedAtLocationInTableView(int index)
{
    if (const PhotoFilePtr photo = photoAt(index))
        removeThenRefresh([this, photo] { rules.removePhoto(photo); });
}

void AddPhotosVC::btnRemoveFromBatchOnAlertTapped()
{
    rules.removeMissingPhotos([this] { processAfterAllPhotosAdded(); });
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
    notifications.post(NotificationName::notificationShowAlertWithType, {{"type", type}});
}

} // namespace fw
