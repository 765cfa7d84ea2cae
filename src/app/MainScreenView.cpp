#include "app/MainScreenView.h"

#include "app/AlertCatalog.h"
#include "app/AppDelegate.h"
#include "batch/TrashRule.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "platform/FileSystemProbe.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "settings/RememberedChoices.h"

#include <QLoggingCategory>
#include <QMetaObject>
#include <QSettings>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logMainScreen, "framewright.mainscreen", QtCriticalMsg)

// Which answers each alert offers; every other alert has OK alone.
bool asksYesOrNo(int tag)
{
    return tag == AlertTag::RemoveMarkedPhotos || tag == AlertTag::RemoveAllPhotos ||
           tag == AlertTag::StopRun;
}

bool offersRemoval(int tag)
{
    return tag >= AlertTag::PhotoMissingAtSource && tag <= AlertTag::AllPhotosMissing;
}

} // namespace

MainScreenView::MainScreenView(AppDelegate& app, Services services, QObject* parent)
    : QObject(parent), app(app), notifications(services.notifications),
      modalMessages(services.modalMessages), fileSystem(services.fileSystem), store(services.store),
      defaultFolder(services.defaultFolder),
      photosView(app.batch(), app.strings(), app.flags(), app.dialogs(), app.imageService(),
                 services.notifications, services.modalMessages, services.photoLimit),
      sizeView(app.batch(), app.strings(), services.notifications, services.store),
      settingView(app.strings(), app.dialogs(), services.defaultFolder),
      processingView(app.batch(), app.strings(), app.flags(), app.rawConvertFormat,
                     services.notifications, services.fileSystem, services.utils),
      history(services.history), logView(services.history, app.strings()),
      outputStep({app.batch(), settingView, [this] { return currentRunSettings(); },
                  app.imageService(), services.fileSystem, app.strings()})
{
    observeNotifications();
    recallChoices();
    followPanels();
    connect(&history, &RunHistory::runStored, this, [this](qint64 runId) {
        lastStoredRunId = runId;
        logView.setLatestRunKept(true);
    });
    connect(&history, &RunHistory::runNotStored, this, [this] {
        lastStoredRunId = 0;
        logView.setLatestRunKept(false);
    });
}

// Alerts and the existing-file question may be asked for from inside a call
// the run's worker is blocked on; their sheets open once that call is over.
void MainScreenView::observeNotifications()
{
    const auto later = [this](auto work) {
        QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
    };
    notifications.addObserver(this, NotificationName::notificationShowAlertWithType,
                              [this, later](const QVariantMap& info) {
                                  const int tag = info.value("type").toInt();
                                  later([this, tag] { showAlertWithTag(tag); });
                              });
    notifications.addObserver(
        this, NotificationName::notificationShowOverwriteAlert,
        [this, later](const QVariantMap&) { later([this] { showOverwriteSheet(); }); });
    notifications.addObserver(this, NotificationName::notificationHideOverwriteAlert,
                              [this](const QVariantMap&) { hideOverwriteSheet(); });
    notifications.addObserver(this, NotificationName::notificationsDisbleView,
                              [this](const QVariantMap&) { setLocked(true); });
    notifications.addObserver(this, NotificationName::notificationsEnable,
                              [this](const QVariantMap&) { setLocked(false); });
    notifications.addObserver(this, NotificationName::notificationsPhotosModified,
                              [this](const QVariantMap&) { photosModified(); });
    notifications.addObserver(this, NotificationName::notificationUpdateFooterInfo,
                              [this](const QVariantMap& info) { updateFooter(info); });
    notifications.addObserver(this, NotificationName::notificationsProcessFinished,
                              [this](const QVariantMap&) { runFinished(); });
}

// A launch starts from the choices of the last run.
void MainScreenView::recallChoices()
{
    const std::optional<RunSettings> last = RememberedChoices::recall(store);
    if (!last)
        return;
    settingView.showOutputSettings(last->output);
    sizeView.showSize(last->geometry.sizeObject);
    rotationView.changeSettingWithSelectedOption(last->geometry.rotationType);
    flippingView.changeSettingWithSelectedOption(
        last->geometry.isHorizontalFlip ? FlipOption::Horizontal
        : last->geometry.isVerticalFlip ? FlipOption::Vertical
                                        : FlipOption::None);
}

void MainScreenView::resetAllChoices()
{
    if (!screen.areButtonsEnabled)
        return;
    RememberedChoices::forget(store);
    settingView.resetAll();
    sizeView.btnResetSettingTapped();
    rotationView.btnResetSettingTapped();
    flippingView.btnResetSettingTapped();
}

// The output step's preview and sample names follow every panel's choices.
void MainScreenView::followPanels()
{
    const auto refresh = [this] { outputStep.refresh(); };
    connect(&settingView, &SettingView::changed, this, refresh);
    connect(&sizeView, &ResizeView::changed, this, refresh);
    connect(&rotationView, &RotateView::changed, this, refresh);
    connect(&flippingView, &FlipView::changed, this, refresh);
}

RunSettings MainScreenView::currentRunSettings()
{
    return {settingView.getOutputSettingObject(), resizingOptions(), app.rawConvertFormat};
}

// The run is kept in the history on the history's own thread; the window
// does not wait for it.
void MainScreenView::runFinished()
{
    screen.isFinishShown = true;
    history.addRun(processingView.runLogSummary(), processingView.arrLogDetails());
    Q_EMIT changed();
}

void MainScreenView::btnShowLogsTapped()
{
    logView.initWithRunId(lastStoredRunId);
    Q_EMIT logWindowRequested();
}

void MainScreenView::setLocked(bool locked)
{
    screen.areButtonsEnabled = !locked;
    Q_EMIT changed();
}

// Photos were added or removed: the resize panel's reference size is made
// again from the new batch the next time it shows.
void MainScreenView::photosModified()
{
    isPhotoSizeSettingFirstTime = true;
    screen.isNextEnabled = !app.batch().isEmpty();
    outputStep.refresh();
    Q_EMIT changed();
}

void MainScreenView::updateFooter(const QVariantMap& info)
{
    screen.isFooterShown = !app.batch().isEmpty();
    screen.footer = {info.value("textStr").toString(), info.value("countText").toString(),
                     info.value("sizeText").toString()};
    Q_EMIT changed();
}

void MainScreenView::showPanel(int step)
{
    screen.step = step;
    outputStep.setShown(step == Step::Settings);
    Q_EMIT changed();
}

void MainScreenView::configureBottomButtons(int type)
{
    screen.bottomButtons = type;
    Q_EMIT changed();
}

void MainScreenView::changeTab(int tab)
{
    notifications.post(NotificationName::notificationchangeTabUI, {{"tabIndex", tab}});
}

void MainScreenView::setUiOnTabChange(int tab)
{
    switch (tab) {
    case Step::Resize:
        addResizingOptionsView();
        break;
    case Step::Settings:
        addSettingOptionsView();
        break;
    default:
        showPanel(Step::Photos);
        configureBottomButtons(Step::Photos);
        break;
    }
}

void MainScreenView::addResizingOptionsView()
{
    if (isPhotoSizeSettingFirstTime) {
        isPhotoSizeSettingFirstTime = false;
        sizeView.setDefaultCustomSize();
    }
    showPanel(Step::Resize);
    configureBottomButtons(Step::Resize);
}

void MainScreenView::addSettingOptionsView()
{
    resizeingOptionsObject = resizingOptions();
    showPanel(Step::Settings);
    configureBottomButtons(Step::Settings);
}

ResizingOptionsSettingObject MainScreenView::resizingOptions()
{
    const QList<bool> flips = flippingView.getFlipSettongObject();
    return {sizeView.getReSizeSettingObject(), rotationView.getRotateSettingObject(),
            flips.value(0), flips.value(1)};
}

bool MainScreenView::hasPhotosToProcess()
{
    if (app.batch().isEmpty()) {
        showAlertWithTag(AlertTag::NoPhotosAdded);
        return false;
    }
    if (!app.batch().isAnyMarked()) {
        showAlertWithTag(AlertTag::NoPhotosMarkedToProcess);
        return false;
    }
    return true;
}

bool MainScreenView::isInvalidSizeSelected()
{
    if (!sizeView.isPredefinedSizeNotSlectedAnyValue())
        return false;
    showAlertWithTag(AlertTag::NoSizeChosen);
    return true;
}

void MainScreenView::btnNextOnPhotosvwTapped()
{
    if (!screen.areButtonsEnabled || !hasPhotosToProcess())
        return;
    addResizingOptionsView();
    changeTab(Step::Resize);
}

void MainScreenView::btnNextOnResizingvwTapped()
{
    if (!screen.areButtonsEnabled || isInvalidSizeSelected())
        return;
    addSettingOptionsView();
    changeTab(Step::Settings);
}

void MainScreenView::btnBackOnResizingvwTapped()
{
    if (!screen.areButtonsEnabled || isInvalidSizeSelected())
        return;
    setUiOnTabChange(Step::Photos);
    changeTab(Step::Photos);
}

void MainScreenView::btnBackOnSettingvwTapped()
{
    if (!screen.areButtonsEnabled)
        return;
    addResizingOptionsView();
    changeTab(Step::Resize);
}

void MainScreenView::btnFinishOnProcessingvwTapped()
{
    if (!screen.areButtonsEnabled)
        return;
    setUiOnTabChange(Step::Photos);
    changeTab(Step::Photos);
}

// The RESIZE / CONVERT switch moves as Next and Back do, by the same rules.
void MainScreenView::btnResizeSettingTapped()
{
    if (screen.step == Step::Settings)
        btnBackOnSettingvwTapped();
    else if (screen.step == Step::Photos)
        btnNextOnPhotosvwTapped();
}

void MainScreenView::btnConvetSettingTapped()
{
    if (screen.step == Step::Resize) {
        btnNextOnResizingvwTapped();
    } else if (screen.step == Step::Photos && screen.areButtonsEnabled && hasPhotosToProcess() &&
               !isInvalidSizeSelected()) {
        addSettingOptionsView();
        changeTab(Step::Settings);
    }
}

// Outputs beside their sources need no destination; otherwise the chooser
// opens on the folder the output step shows, so accepting it keeps that
// choice. The default folder is made first, so the chooser can start in it;
// when it cannot be made the chooser still opens.
void MainScreenView::btnStartProcessTapped()
{
    if (!screen.areButtonsEnabled || !hasPhotosToProcess() || !isNameTemplateUsable())
        return;
    app.rawConvertFormat = QStringLiteral("png");
    const OutputOptionSettings output = settingView.getOutputSettingObject();
    if (output.folderOption == FolderOption::BesideSource) {
        addProcessView();
        return;
    }
    if (!NativePath::makePath(defaultFolder))
        qCWarning(logMainScreen).noquote()
            << QStringLiteral("Failed to create directory \"%1\".").arg(defaultFolder);
    const QString startFolder =
        output.ouptputFolder.isEmpty() ? defaultFolder : output.ouptputFolder;
    app.dialogs().request([this, startFolder] {
        Q_EMIT destinationChooserRequested(startFolder);
        return true;
    });
}

// A template with a fault would name every output wrongly; the run does not
// start until it is mended.
bool MainScreenView::isNameTemplateUsable()
{
    const QString problem = settingView.fileName().templateProblem;
    if (problem.isEmpty())
        return true;
    modalMessages.showMessage(problem, app.getLocalizedStringForKey(StringKey::TEMPLATE_TOKENS));
    return false;
}

// The chosen path keeps its case: the file system tells "Photos" from
// "photos". A folder in the trash starts no run, without a word; one that
// cannot be written is refused before any photo is tried.
void MainScreenView::destinationChooserEnded(const QString& chosenFolder)
{
    app.dialogs().closed();
    if (chosenFolder.isEmpty() || TrashRule::forCurrentUser().isInTrash(chosenFolder))
        return;
    if (!isWritableDestination(chosenFolder)) {
        modalMessages.showMessage(app.getLocalizedStringForKey(StringKey::DESTINATION_NOT_WRITABLE)
                                      .replace(QStringLiteral("%@"), chosenFolder),
                                  app.getLocalizedStringForKey(StringKey::CHOOSE_ANOTHER_FOLDER));
        return;
    }
    outputPath = chosenFolder;
    addProcessView();
}

// A folder that is missing is made now, as the run would make it.
bool MainScreenView::isWritableDestination(const QString& folder) const
{
    if (!PathInfo::of(folder).isDir() && !NativePath::makePath(folder))
        return false;
    return fileSystem.isWritable(folder);
}

void MainScreenView::addProcessView()
{
    showPanel(Step::Processing);
    configureBottomButtons(Step::Processing);
    resizeingOptionsObject = resizingOptions();
    outputOptionsObject = settingView.getOutputSettingObject();
    if (outputOptionsObject.folderOption == FolderOption::IntoFolder)
        outputOptionsObject.ouptputFolder = outputPath;
    RememberedChoices::remember(
        store, {outputOptionsObject, resizeingOptionsObject, app.rawConvertFormat});
    // Hidden before the run starts: a run whose photos all fail at once
    // finishes inside startProcess.
    screen.isFinishShown = false;
    Q_EMIT changed();
    processingView.startProcess(outputOptionsObject, resizeingOptionsObject);
}

// Asking to stop holds the run at once, even while the question waits
// behind another dialog.
void MainScreenView::showAlertWithTag(int tag)
{
    if (!AlertCatalog::alertForTag(tag, app.strings()))
        return;
    if (tag == AlertTag::StopRun)
        processingView.holdProcessing();
    app.dialogs().request([this, tag] { return openAlertSheet(tag); });
}

bool MainScreenView::openAlertSheet(int tag)
{
    if (tag == AlertTag::StopRun && !app.isProcessingInProgress())
        return false;
    const AlertCatalog::Alert alert = *AlertCatalog::alertForTag(tag, app.strings());
    alertTag = tag;
    sheet = {true,
             alert.title,
             alert.message,
             asksYesOrNo(tag),
             asksYesOrNo(tag),
             !asksYesOrNo(tag) && !offersRemoval(tag),
             offersRemoval(tag),
             offersRemoval(tag)};
    Q_EMIT alertSheetChanged();
    return true;
}

// The sheet goes first and the next dialog waits until the answer has been
// acted on, so alerts the answer raises queue behind the ones already waiting.
template <typename Answer> void MainScreenView::answerAlert(Answer act)
{
    if (!sheet.isShown)
        return;
    sheet.isShown = false;
    Q_EMIT alertSheetChanged();
    act(alertTag);
    app.dialogs().closed();
}

void MainScreenView::btnYesOnAlertTapped()
{
    answerAlert([this](int tag) {
        if (tag == AlertTag::RemoveMarkedPhotos)
            photosView.btnYesOnRemoveSelectedPhotoTapped();
        else if (tag == AlertTag::RemoveAllPhotos)
            photosView.btnYesOnRemoveAllPhotoTapped();
        else if (tag == AlertTag::StopRun) {
            processingView.stopProcessing();
            Q_EMIT runStopConfirmed();
        }
    });
}

void MainScreenView::btnNoOnAlertTapped()
{
    answerAlert([this](int tag) {
        if (tag == AlertTag::StopRun && !processingView.isHeldByUser())
            processingView.restartProcessing();
    });
}

void MainScreenView::btnOkOnAlertTapped()
{
    answerAlert([this](int tag) {
        if (tag == AlertTag::NotEnoughSpace)
            processingView.btnOkOnEnoughtSpcaecTapped();
    });
}

void MainScreenView::btnRemoveFromBatchTapped()
{
    answerAlert([this](int) { photosView.btnRemoveFromBatchOnAlertTapped(); });
}

void MainScreenView::btnCancelOnAlertTapped()
{
    answerAlert([](int) {});
}

void MainScreenView::sendRateMeNotification()
{
    notifications.post(NotificationName::showRatePopup);
}

void MainScreenView::showOverwriteSheet()
{
    app.dialogs().request([this] {
        if (!processingView.overwriteQuestion().isOpen())
            return false;
        overwriteSheetShown = true;
        Q_EMIT overwriteSheetChanged();
        return true;
    });
}

void MainScreenView::hideOverwriteSheet()
{
    if (!overwriteSheetShown)
        return;
    overwriteSheetShown = false;
    Q_EMIT overwriteSheetChanged();
    app.dialogs().closed();
}

} // namespace fw
