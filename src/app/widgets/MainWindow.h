#pragma once

#include "core/NotificationCenter.h"
#include "core/Utils.h"
#include "log/RunHistory.h"

#include <QMainWindow>
#include <QMap>
#include <memory>

class QAbstractButton;
class QLabel;
class QPushButton;
class QSettings;
class QStackedWidget;

namespace fw {

class AlertSheet;
class AppDelegate;
class BatchScreen;
class Desktop;
class DialogMessages;
class LogWindow;
class MainScreenView;
class MainWindowController;
class OverwriteSheet;
class RatePrompt;

// The program's one window: the step tabs, the batch screen, the resize and
// output panels behind the RESIZE / CONVERT switch, the run, the bottom
// buttons and footer, the menus, and every sheet. It renders the main
// screen and the window controller and hands them the user's actions.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Environment {
        QSettings& store;
        // The desktop's file manager and applications; none in tests.
        const Desktop* desktop = nullptr;
        // Opens a web page; false when it could not.
        std::function<bool(const QString& address)> openPage;
        QString defaultFolder;
        // The SQLite file of the run history.
        QString historyPath;
    };

    MainWindow(AppDelegate& app, Environment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainScreenView& mainScreen() { return *screen; }
    MainWindowController& controller() { return *windowController; }
    BatchScreen& batchScreen() { return *batch; }
    NotificationCenter& notifications() { return center; }

    // Paths given to the program are added as a drop is.
    void addPaths(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildTabs();
    QWidget* buildOptionsPage();
    QWidget* buildOutputPage();
    QWidget* buildBottomBar();
    void connectSheets();
    void render();
    void renderAlertSheet();
    void renderRateSheet();
    void chooseDestination(const QString& startFolder);
    void showAbout();
    void quitNow();
    void notifyRunEndUnseen();
    QString text(const char* key) const;

    AppDelegate& app;
    Environment environment;
    NotificationCenter center;
    Utils utils;
    RunHistory history;
    AlertSheet* sheet;
    std::unique_ptr<DialogMessages> messages;
    std::unique_ptr<MainScreenView> screen;
    std::unique_ptr<RatePrompt> ratePrompt;
    std::unique_ptr<MainWindowController> windowController;
    BatchScreen* batch = nullptr;
    OverwriteSheet* overwriteSheet = nullptr;
    LogWindow* logWindow = nullptr;
    QWidget* tabs = nullptr;
    // By step and by option page. Not button groups: Tab would reach only
    // the checked button of a group.
    QMap<int, QPushButton*> tabButtons;
    QMap<int, QPushButton*> optionSwitch;
    QStackedWidget* steps = nullptr;
    QStackedWidget* options = nullptr;
    QLabel* footer = nullptr;
    QPushButton* back = nullptr;
    QPushButton* next = nullptr;
    QPushButton* start = nullptr;
    QPushButton* finish = nullptr;
    bool mayClose = false;
    bool wasProcessingShown = false;
};

} // namespace fw
