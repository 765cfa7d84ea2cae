#pragma once

#include "app/RatePrompt.h"

#include <QObject>
#include <QString>
#include <functional>

namespace fw {

class AppDelegate;
class MainScreenView;
class NotificationCenter;

// The main window without its widgets: the step tabs, the lock over them,
// the one rule every way of closing or quitting goes through, and the rate
// prompt. Main thread only.
class MainWindowController : public QObject {
    Q_OBJECT
public:
    struct State {
        int selectedTab = 1;
        // The tabs and the title area are covered while a run or an import
        // is busy.
        bool isLocked = false;
        // The close button works; off during an import.
        bool isCloseEnabled = true;
    };
    struct RateSheet {
        bool isShown = false;
        // Asked at launch, where "NO" means "not for this version"; from the
        // menu, "No" only closes it.
        bool isAtLaunch = false;
        QString title;
        QString message;
        QString yesText;
        QString noText;
    };
    // Opens the project's page in the browser; false when it could not.
    using PageOpener = std::function<bool(const QString& address)>;

    MainWindowController(AppDelegate& app, NotificationCenter& notifications,
                         MainScreenView& mainScreen, RatePrompt& ratePrompt, PageOpener openPage,
                         QObject* parent = nullptr);

    const State& state() const { return window; }
    const RateSheet& rateSheet() const { return rate; }

    // The tabs: 2 and 3 need photos to process; a locked window ignores
    // every tab, and leaving the resize step needs a size.
    void tabSelectPhotosTapped();
    void tabResizeOptionsTapped();
    void tabSettingOptionsTapped();
    void btnSelectBackground(int tab);

    // Every way to close or quit: ignored while a dialog is open or an import
    // runs; with no run the program quits; during a run alert 122 asks, and
    // Yes quits once the worker has left its photo.
    void btnCloseWindowTapped();
    // The session is ending: a run stops without asking, and the program
    // quits once the worker has left its photo.
    void sessionEnding();

    // Counts the launch and shows the rate prompt when it is due.
    void applicationDidFinishLaunching();
    void btnRateYesTapped();
    void btnRateNoTapped();

Q_SIGNALS:
    void changed();
    void rateSheetChanged();
    // Nothing holds the program any longer: the window may close and the
    // program end.
    void quitRequested();

private:
    void observeNotifications();
    void selectTab(int tab);
    void setLocked(bool locked);
    void quitWhenRunHasEnded();
    void showRatePopup(bool atLaunch);
    void closeRateSheet();

    AppDelegate& app;
    NotificationCenter& notifications;
    MainScreenView& mainScreen;
    RatePrompt& ratePrompt;
    const PageOpener openPage;
    State window;
    RateSheet rate;
    bool isQuitting = false;
};

} // namespace fw
