#pragma once

#include "batch/BatchInformation.h"
#include "batch/PhotoAdmission.h"
#include "batch/RefusedFile.h"
#include "batch/ThumbnailProvider.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>
#include <QVariantMap>
#include <atomic>
#include <functional>

namespace fw {

class AppDelegate;
class ModalMessages;
class NotificationCenter;

// The batch screen without its widgets: adding photos from files, folders,
// drops and photo libraries, and the rules of the batch list (marks, removals,
// button states, the information line). It is the only writer of the batch.
//
// Lives on the main thread. An adding walk and the removal of missing photos
// run as tasks of the screen's own pool, one at a time; they change what the
// interface shows only on the main thread, waiting until it is done.
class AddPhotosVC : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultPhotoLimit = 1000000;

    // What the widgets show, apart from the batch itself.
    struct ScreenState {
        bool areAddButtonsEnabled = true;
        bool isDropAreaEnabled = true;
        // The inline progress view with its Stop button.
        bool isAddingProgressVisible = false;
        // The progress sheet, shown when photos are added to a batch that
        // already holds some.
        bool isProgressSheetShown = false;
        QString progressText;
        QString progressCountText;
        QString progressPathText;
        bool isDropHintVisible = true;
        bool isRemoveEnabled = false;
        bool isRemoveAllEnabled = false;
        bool isMarkAllEnabled = false;
        bool isMarkAllTicked = false;
        QString markAllLabelText;
        // Empty while the batch is.
        BatchInformation batchInformation;
        // Index of the photo the screen shows as selected; -1 for none.
        int selectedPhotoIndex = -1;
    };

    // A photo limit below the default is for tests, which cannot make a
    // million files.
    AddPhotosVC(AppDelegate& appDelegate, NotificationCenter& notifications,
                ModalMessages& modalMessages, int photoLimit = defaultPhotoLimit,
                QObject* parent = nullptr);
    ~AddPhotosVC() override;

    const ScreenState& screen() const { return state; }
    bool isAdding() const { return addingInProgress; }
    ThumbnailProvider& gridThumbnails() { return gridThumbnailProvider; }
    ThumbnailProvider& listThumbnails() { return listThumbnailProvider; }

    // Panels. Index 0 chooses files; 1 and 2 choose folders, walked with their
    // sub-folders. The widgets open the panel on panelRequested and hand the
    // choice to panelEnded (an empty list for Cancel).
    void btnAddPhotosTappedWithIndex(int index);
    void btnAddPhotosTapped() { btnAddPhotosTappedWithIndex(0); }
    void btnAddFolderTapped() { btnAddPhotosTappedWithIndex(1); }
    void btnAddIphotosTapped();
    void panelEnded(const QStringList& chosenPaths);
    // The library panel lets the user move through folders and choose packages.
    static bool panelShouldEnableUrl(const QString& path);

    // Adding.
    void handleFileDragDropNotification(const QVariantMap& userInfo);
    // One adding operation over files, folders and library packages; ignored
    // while one is running.
    void addPhotosFromPathUrls(const QStringList& urls);
    void btnStopAddingTapped();
    // The admission rule and the walk; called on the walk's task. Admitted
    // photos reach the batch and the progress in groups, the first one of an
    // operation at once, the others at most 20 ms later.
    bool isValidPhoto(const QString& path, const QString& fileType, bool isIphotoNode);
    QStringList photosUrlsToBeAddedFromUrls(const QStringList& urls, const QString& fileType);
    void callForUpdatingProgressCountWithFilePath(const QString& path);
    void processAfterAllPhotosAdded();

    // Marking. An index outside the batch is ignored.
    void btnCheckTappedAtLocationInTableView(int index);
    void btnCheckboxTappedAtLocationInCollectionView(int index);
    void btnMarkAllTapped();
    void markUnmarkAll();

    // Removing. None deletes a file.
    void btnRemovePhotoTapped();
    void btnRemoveAllTapped();
    void btnYesOnRemoveSelectedPhotoTapped();
    void btnYesOnRemoveAllPhotoTapped();
    void btnDeleteTappedAtLocationInTableView(int index);
    void btnDeleteOnMenuOptionTapped(int index);
    void btnRemoveFromBatchOnAlertTapped();

    // View mode: 1 list, 2 grid, 3 large grid.
    void changePhotosViewImageMode(int mode);
    void closeBackgroundOperations();

    void updateButtonsEnability();
    void updateBatchInformationInBottomView();
    void addBottomInfoAboutBatch();

    // Paths in the batch, each with the value "1": the duplicate check.
    QHash<QString, QString> dictFileAdded;
    // Written on the main thread, read by the walk.
    std::atomic<bool> isAddFromSubFolderSelected = false;
    std::atomic<bool> isPHOTOS_PROCESSING_STOPPED = false;
    // Written by the walk; read on the main thread once it has ended.
    bool isMAX_PHOTOS_LIMIT_EXCEEDED = false;
    bool isPhotosAlreadyAdded = false;
    bool isPhotoFormatNotSupported = false;
    // Kind of the last package met: 2 iPhoto or Aperture, 3 Photos library.
    // Set by the library panel on the main thread and by the walk.
    std::atomic<int> pathType = 0;
    int totalPhotoToAdd = 0;
    // The files the last adding operation did not admit, with the reasons.
    QList<RefusedFile> refusedFiles;
    int photosAdded = 0;
    int IMAGES_VIEW_MODE = 1;

Q_SIGNALS:
    // Any of the screen state changed.
    void changed();
    // Photos came or went, or every mark changed: the list and grid reload.
    void batchReloaded();
    void photoChanged(int index);
    // One photo left the batch at the index (the row slides away).
    void photoRemoved(int index);
    // The widgets open the panel: 0 files, 1 and 2 folders, 3 libraries.
    void panelRequested(int index);

private:
    void observeNotifications();
    void setAddButtonsEnabled(bool enabled);
    void startAddingOperation(const QStringList& urls);
    void finishAddingOperation(int admittedCount);
    void showAdmittedPhotos();
    void recordRefusal(const QString& path, const PhotoAdmission::Result& result);
    void showMissingArchivePathMessage();
    void toggleMark(int index);
    void removePhotoAt(int index);
    void removePhotosWhere(const std::function<bool(const PhotoFilePtr&)>& shouldRemove);
    void removeMissingPhotos();
    void postAlert(int type);
    // Runs the work on the main thread and returns when it is done; called
    // from the screen's tasks.
    void runOnMainThread(const std::function<void()>& work);

    AppDelegate& appDelegate;
    NotificationCenter& notifications;
    ModalMessages& modalMessages;
    const int photoLimit;
    const PhotoAdmission admission;
    ScreenState state;
    struct ProgressWords {
        QString added;
        QString pleaseWait;
        QString photosAdded;
    } progressWords;
    bool addingInProgress = false;
    // The walk's task only: photos admitted but not yet in the batch, and
    // the files refused so far.
    QList<PhotoFilePtr> admittedNotShown;
    QList<RefusedFile> refusedDuringWalk;
    QSet<QString> admittedPathsNotShown;
    QElapsedTimer lastShown;
    // Set while the screen is destroyed: its tasks end at the next file.
    std::atomic<bool> closing = false;
    ThumbnailProvider gridThumbnailProvider;
    ThumbnailProvider listThumbnailProvider;
    // Declared last, so its tasks end before the members they use go.
    QThreadPool backgroundTasks;
};

} // namespace fw
