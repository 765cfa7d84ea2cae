#pragma once

#include "batch/AddingOperation.h"
#include "batch/BatchListRules.h"
#include "batch/PhotoActions.h"
#include "batch/RefusedFile.h"
#include "batch/ThumbnailProvider.h"
#include "core/Codes.h"

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace fw {

class Batch;
class DialogQueue;
class ImageService;
class LocalizedStrings;
class ModalMessages;
class NotificationCenter;
struct SharedFlags;

// The batch screen without its widgets: the add panels and the drop area,
// an adding operation's progress, and the list's actions, which it hands to
// the adding operation and the batch list rules. Lives on the main thread.
// (isPHOTOS_PROCESSING_STOPPED, isMAX_PHOTOS_LIMIT_EXCEEDED and the other
// spellings are the design's names, kept on purpose.)
class AddPhotosVC : public QObject {
    Q_OBJECT
public:
    // What the widgets show of adding; the list's own state is listRules().
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
        // Index of the photo the screen shows as selected; -1 for none.
        int selectedPhotoIndex = -1;
    };

    // A photo limit below the default is for tests, which cannot make a
    // million files.
    AddPhotosVC(Batch& batch, LocalizedStrings& strings, SharedFlags& flags, DialogQueue& dialogs,
                const ImageService& images, NotificationCenter& notifications,
                ModalMessages& modalMessages, int photoLimit = Limits::defaultPhotoLimit,
                QObject* parent = nullptr);

    const ScreenState& screen() const { return state; }
    BatchListRules& listRules() { return rules; }
    bool isAdding() const { return operation.isRunning(); }
    // The drop area takes files while no import runs and no sheet is on
    // screen; a dialog waiting its turn does not switch it off.
    bool acceptsDrops() const;
    ThumbnailProvider& gridThumbnails() { return gridThumbnailProvider; }
    ThumbnailProvider& listThumbnails() { return listThumbnailProvider; }
    PhotoActions& photoActions() { return actions; }

    // Panels (AddPanel codes). The widgets open the panel on panelRequested
    // and hand the choice to panelEnded (an empty list for Cancel).
    void btnAddPhotosTappedWithIndex(int index);
    void btnAddPhotosTapped() { btnAddPhotosTappedWithIndex(AddPanel::Files); }
    void btnAddFolderTapped() { btnAddPhotosTappedWithIndex(AddPanel::Folder); }
    void btnAddIphotosTapped();
    void panelEnded(const QStringList& chosenPaths);
    // The library panel lets the user move through folders and choose packages.
    static bool panelShouldEnableUrl(const QString& path);

    // The screen's file-type list ("*.*", "*.JPG", ...). "Add with Filters"
    // admits only files of the chosen type, in either letter case; "*.*"
    // admits every photo.
    static QStringList fileTypeTexts();
    void fileTypeSelectedAtIndex(int index);

    void handleFileDragDropNotification(const QVariantMap& userInfo);
    // One adding operation over files, folders and library packages; ignored
    // while one is running. The file type "ALL" admits every image; another
    // admits the paths ending with it.
    void addPhotosFromPathUrls(const QStringList& urls, const QString& fileType = "ALL");
    void btnStopAddingTapped() { operation.stop(); }
    // Later additions take only the paths keeps accepts; the others are
    // passed over unread (see AddingOperation::keepsPath).
    void takeOnlyPaths(std::function<bool(const QString& path)> keeps)
    {
        operation.keepsPath = std::move(keeps);
    }
    int pathsPassedOver() const { return operation.outcome().passedOverCount; }
    void processAfterAllPhotosAdded();

    // The list's actions at a row; a row outside the batch is ignored.
    void btnCheckTappedAtLocationInTableView(int index);
    void btnCheckboxTappedAtLocationInCollectionView(int index);
    void btnMarkAllTapped() { markUnmarkAll(); }
    void markUnmarkAll();
    void btnRemovePhotoTapped() { rules.askToRemoveMarked(); }
    void btnRemoveAllTapped();
    void btnYesOnRemoveSelectedPhotoTapped();
    void btnYesOnRemoveAllPhotoTapped();
    void btnDeleteTappedAtLocationInTableView(int index);
    void btnRemoveFromBatchOnAlertTapped();

    // ViewMode codes.
    void changePhotosViewImageMode(int mode);
    void closeBackgroundOperations();
    void updateBatchInformationInBottomView() { rules.updateBatchInformationInBottomView(); }

    // Written on the main thread before an operation starts.
    bool isAddFromSubFolderSelected = false;
    // What the last adding operation found.
    bool isMAX_PHOTOS_LIMIT_EXCEEDED = false;
    bool isPhotosAlreadyAdded = false;
    bool isPhotoFormatNotSupported = false;
    QList<RefusedFile> refusedFiles;
    // Kind of the last package chosen or met: 2 iPhoto or Aperture, 3 Photos.
    int pathType = LibraryKind::None;
    int totalPhotoToAdd = 0;
    int photosAdded = 0;
    int IMAGES_VIEW_MODE = ViewMode::List;

Q_SIGNALS:
    // Any of the screen state changed.
    void changed();
    // The widgets open the panel of the index (AddPanel codes).
    void panelRequested(int index);

private:
    void observeNotifications();
    void setAddButtonsEnabled(bool enabled);
    void pauseThumbnailsForARun();
    void requestPanel(int index);
    QString fileTypeOfPanel(int panel) const;
    void startAddingOperation(const QStringList& urls, const QString& fileType);
    void requestProgressSheet();
    void callForUpdatingProgressCountWithFilePath(const QString& path, int admittedSoFar);
    void finishAddingOperation();
    void removeThenRefresh(const std::function<void()>& removal);
    PhotoFilePtr photoAt(int index) const;
    void postAlert(int type);

    Batch& batch;
    LocalizedStrings& strings;
    SharedFlags& flags;
    DialogQueue& dialogs;
    NotificationCenter& notifications;
    ModalMessages& modalMessages;
    ScreenState state;
    int openPanel = AddPanel::Files;
    int fileTypeIndex = 0;
    struct ProgressWords {
        QString added;
        QString pleaseWait;
        QString photosAdded;
    } progressWords;
    BatchListRules rules;
    ThumbnailProvider gridThumbnailProvider;
    ThumbnailProvider listThumbnailProvider;
    PhotoActions actions;
    AddingOperation operation;
};

} // namespace fw
