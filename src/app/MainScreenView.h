#pragma once

#include "app/OutputStepView.h"
#include "batch/AddPhotosVC.h"
#include "log/LogDetailView.h"
#include "log/RunHistory.h"
#include "processing/ProcessingView.h"
#include "settings/FlipView.h"
#include "settings/ResizeView.h"
#include "settings/RotateView.h"
#include "settings/SettingView.h"

#include <QObject>
#include <QString>

class QSettings;

namespace fw {

class AppDelegate;
class FileSystemProbe;
class ModalMessages;
class NotificationCenter;
class Utils;

// The main screen without its widgets: it owns the step panels (the batch,
// the resize, rotate and flip panels, the output settings, the run), moves
// the user between the steps by their rules, shows the shared alert sheet
// and the run's existing-file question, and starts a run. Main thread only.
// (vwSetting, resizeingOptionsObject, btnConvetSettingTapped and the other
// spellings are the design's names, kept on purpose.)
class MainScreenView : public QObject {
    Q_OBJECT
public:
    // What the screen needs beyond the shared state.
    struct Services {
        NotificationCenter& notifications;
        ModalMessages& modalMessages;
        QSettings& store;
        const FileSystemProbe& fileSystem;
        const Utils& utils;
        RunHistory& history;
        // Where outputs go unless the user chooses another folder: the
        // Pictures folder with the product's folder in it.
        QString defaultFolder;
        int photoLimit = Limits::defaultPhotoLimit;
    };
    struct State {
        // The panel shown (Step codes); Processing covers the whole screen.
        int step = Step::Photos;
        // Which bottom buttons show (configureBottomButtons, Step codes).
        int bottomButtons = Step::Photos;
        bool isNextEnabled = false;
        // Next, Back, Finish and the RESIZE / CONVERT switch; off while a
        // run or an import locks the screens.
        bool areButtonsEnabled = true;
        bool isFinishShown = false;
        bool isFooterShown = false;
        BatchInformation footer;
    };
    struct AlertSheet {
        bool isShown = false;
        QString title;
        QString message;
        bool hasYes = false;
        bool hasNo = false;
        bool hasOk = false;
        bool hasRemoveFromBatch = false;
        // Keeps the missing photos: the user may put the file back.
        bool hasCancel = false;
    };

    MainScreenView(AppDelegate& app, Services services, QObject* parent = nullptr);

    const State& state() const { return screen; }
    const AlertSheet& alertSheet() const { return sheet; }
    bool isOverwriteSheetShown() const { return overwriteSheetShown; }

    AddPhotosVC& addPhotosView() { return photosView; }
    ResizeView& resizeView() { return sizeView; }
    RotateView& rotateView() { return rotationView; }
    FlipView& flipView() { return flippingView; }
    SettingView& vwSetting() { return settingView; }
    ProcessingView& vwProcessing() { return processingView; }
    LogDetailView& logDetailView() { return logView; }
    OutputStepView& outputStepView() { return outputStep; }

    // Steps: 1 the batch, 2 resizing, 3 the output settings.
    void setUiOnTabChange(int tab);
    void configureBottomButtons(int type);
    void btnNextOnPhotosvwTapped();
    void btnNextOnResizingvwTapped();
    void btnBackOnResizingvwTapped();
    void btnBackOnSettingvwTapped();
    void btnFinishOnProcessingvwTapped();
    void btnResizeSettingTapped();
    void btnConvetSettingTapped();
    // The summary's Close: back to the batch, as Finish.
    void btnCloseSummaryTapped() { btnFinishOnProcessingvwTapped(); }
    // Opens the log window on the last run kept.
    void btnShowLogsTapped();
    // Every panel back to its defaults, and the last run's choices forgotten.
    void resetAllChoices();
    // Shows alert 117 for an empty batch or 118 when no photo is marked;
    // true when neither applies.
    bool hasPhotosToProcess();
    // Shows alert 123 when the preset option is on with no preset chosen.
    bool isInvalidSizeSelected();

    // Run start: the destination chooser (unless outputs go beside their
    // sources), then the run.
    void btnStartProcessTapped();
    // The chooser's answer; an empty path for Cancel.
    void destinationChooserEnded(const QString& chosenFolder);
    void addProcessView();

    // The alert sheet (AlertTag codes). A request made while another dialog
    // is open waits for it to close.
    void showAlertWithTag(int tag);
    void btnYesOnAlertTapped();
    void btnNoOnAlertTapped();
    void btnOkOnAlertTapped();
    void btnRemoveFromBatchTapped();
    void btnCancelOnAlertTapped();
    // The rate-us action: the window controller shows its sheet.
    void sendRateMeNotification();

    QString outputPath;
    int alertTag = 0;
    bool isPhotoSizeSettingFirstTime = true;

Q_SIGNALS:
    void changed();
    void alertSheetChanged();
    void overwriteSheetChanged();
    void destinationChooserRequested(const QString& startFolder);
    // Yes on alert 122: the run stops once the worker has left its photo.
    void runStopConfirmed();
    void logWindowRequested();

private:
    void observeNotifications();
    void followPanels();
    void recallChoices();
    RunSettings currentRunSettings();
    bool isNameTemplateUsable();
    void setLocked(bool locked);
    void showPanel(int step);
    void changeTab(int tab);
    void addResizingOptionsView();
    void addSettingOptionsView();
    ResizingOptionsSettingObject resizingOptions();
    bool openAlertSheet(int tag);
    void showOverwriteSheet();
    void hideOverwriteSheet();
    void photosModified();
    void updateFooter(const QVariantMap& info);
    void runFinished();
    bool isWritableDestination(const QString& folder) const;
    template <typename Answer> void answerAlert(Answer act);

    AppDelegate& app;
    NotificationCenter& notifications;
    ModalMessages& modalMessages;
    const FileSystemProbe& fileSystem;
    QSettings& store;
    const QString defaultFolder;
    AddPhotosVC photosView;
    ResizeView sizeView;
    RotateView rotationView;
    FlipView flippingView;
    SettingView settingView;
    ProcessingView processingView;
    RunHistory& history;
    LogDetailView logView;
    OutputStepView outputStep;
    qint64 lastStoredRunId = 0;
    ResizingOptionsSettingObject resizeingOptionsObject;
    OutputOptionSettings outputOptionsObject;
    State screen;
    AlertSheet sheet;
    bool overwriteSheetShown = false;
};

} // namespace fw
