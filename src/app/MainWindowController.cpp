#include "app/MainWindowController.h"

#include "app/AppDelegate.h"
#include "app/MainScreenView.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/ProductInfo.h"
#include "core/StringKeys.h"

#include <QTimer>

namespace fw {

namespace {

// The prompt comes a moment after the window, not with it.
constexpr int ratePromptDelayMilliseconds = 200;

} // namespace

MainWindowController::MainWindowController(AppDelegate& app, NotificationCenter& notifications,
                                           MainScreenView& mainScreen, RatePrompt& ratePrompt,
                                           PageOpener openPage, QObject* parent)
    : QObject(parent), app(app), notifications(notifications), mainScreen(mainScreen),
      ratePrompt(ratePrompt), openPage(std::move(openPage))
{
    observeNotifications();
    connect(&mainScreen, &MainScreenView::runStopConfirmed, this,
            &MainWindowController::quitWhenRunHasEnded);
    connect(&mainScreen.vwProcessing(), &ProcessingView::runFinished, this, [this] {
        if (isQuitting)
            Q_EMIT quitRequested();
    });
}

void MainWindowController::observeNotifications()
{
    notifications.addObserver(this, NotificationName::notificationchangeTabUI,
                              [this](const QVariantMap& info) {
                                  selectTab(std::min(info.value("tabIndex").toInt(), 3));
                              });
    notifications.addObserver(this, NotificationName::notificationsDisbleView,
                              [this](const QVariantMap&) { setLocked(true); });
    notifications.addObserver(this, NotificationName::notificationsEnable,
                              [this](const QVariantMap&) { setLocked(false); });
    notifications.addObserver(this, NotificationName::notificationsDisbleCross,
                              [this](const QVariantMap&) {
                                  window.isCloseEnabled = false;
                                  Q_EMIT changed();
                              });
    notifications.addObserver(this, NotificationName::notificationsEnableCross,
                              [this](const QVariantMap&) {
                                  window.isCloseEnabled = true;
                                  Q_EMIT changed();
                              });
    notifications.addObserver(this, NotificationName::showRatePopup,
                              [this](const QVariantMap&) { showRatePopup(false); });
}

void MainWindowController::setLocked(bool locked)
{
    window.isLocked = locked;
    app.flags().isDisableview = locked;
    Q_EMIT changed();
}

void MainWindowController::selectTab(int tab)
{
    window.selectedTab = tab;
    Q_EMIT changed();
}

void MainWindowController::tabSelectPhotosTapped()
{
    btnSelectBackground(Step::Photos);
}

void MainWindowController::tabResizeOptionsTapped()
{
    if (mainScreen.hasPhotosToProcess())
        btnSelectBackground(Step::Resize);
}

void MainWindowController::tabSettingOptionsTapped()
{
    if (mainScreen.hasPhotosToProcess())
        btnSelectBackground(Step::Settings);
}

void MainWindowController::btnSelectBackground(int tab)
{
    if (window.isLocked || tab == window.selectedTab)
        return;
    if (tab != Step::Resize && mainScreen.isInvalidSizeSelected())
        return;
    selectTab(tab);
    mainScreen.setUiOnTabChange(tab);
}

void MainWindowController::btnCloseWindowTapped()
{
    if (app.flags().isSubWindowOpened || !window.isCloseEnabled || isQuitting)
        return;
    if (!app.isProcessingInProgress()) {
        Q_EMIT quitRequested();
        return;
    }
    mainScreen.showAlertWithTag(AlertTag::StopRun);
}

void MainWindowController::sessionEnding()
{
    if (!app.isProcessingInProgress()) {
        Q_EMIT quitRequested();
        return;
    }
    mainScreen.vwProcessing().stopProcessing();
    quitWhenRunHasEnded();
}

// The worker finishes or abandons the photo in hand; the window stays
// responsive meanwhile, and the program ends when the run has.
void MainWindowController::quitWhenRunHasEnded()
{
    isQuitting = true;
    if (!app.isProcessingInProgress())
        Q_EMIT quitRequested();
}

void MainWindowController::applicationDidFinishLaunching()
{
    if (ratePrompt.countLaunch())
        QTimer::singleShot(ratePromptDelayMilliseconds, this, [this] { showRatePopup(true); });
}

void MainWindowController::showRatePopup(bool atLaunch)
{
    app.dialogs().request([this, atLaunch] {
        LocalizedStrings& strings = app.strings();
        rate = {true,
                atLaunch,
                strings.getLocalizedStringForKey(StringKey::RATEUS_TITLE),
                strings.getLocalizedStringForKey(StringKey::RATEUS_MSG),
                strings.getLocalizedStringForKey(StringKey::YES),
                strings.getLocalizedStringForKey(StringKey::NO)};
        Q_EMIT rateSheetChanged();
        return true;
    });
}

void MainWindowController::closeRateSheet()
{
    rate.isShown = false;
    Q_EMIT rateSheetChanged();
    app.dialogs().closed();
}

void MainWindowController::btnRateYesTapped()
{
    if (!rate.isShown)
        return;
    closeRateSheet();
    ratePrompt.answeredYes(openPage && openPage(ProductInfo::homepage()));
}

void MainWindowController::btnRateNoTapped()
{
    if (!rate.isShown)
        return;
    const bool atLaunch = rate.isAtLaunch;
    closeRateSheet();
    if (atLaunch)
        ratePrompt.answeredNo();
}

} // namespace fw
