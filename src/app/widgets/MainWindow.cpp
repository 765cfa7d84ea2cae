#include "app/widgets/MainWindow.h"

#include "app/AppDelegate.h"
#include "app/MainScreenView.h"
#include "app/MainWindowController.h"
#include "app/RatePrompt.h"
#include "batch/widgets/BatchScreen.h"
#include "core/NotificationNames.h"
#include "core/ProductInfo.h"
#include "core/StringKeys.h"
#include "core/widgets/AlertSheet.h"
#include "core/widgets/DialogMessages.h"
#include "core/widgets/EmphasisedText.h"
#include "core/widgets/FolderChooser.h"
#include "core/widgets/TabOrder.h"
#include "log/widgets/LogWindow.h"
#include "platform/Desktop.h"
#include "platform/ImageService.h"
#include "platform/LocalFileSystem.h"
#include "processing/widgets/OutputPreviewPanel.h"
#include "processing/widgets/OverwriteSheet.h"
#include "processing/widgets/ProcessingScreen.h"
#include "settings/widgets/OutputSettingsPanel.h"
#include "settings/widgets/ResizePanel.h"
#include "settings/widgets/RotateFlipPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace fw {

namespace {

enum StepPage { BatchPage, OptionsPage, ProcessingPage };
enum OptionPage { ResizeOptions, OutputOptions };

template <typename Control> Control* named(Control* control, const QString& name)
{
    control->setAccessibleName(name);
    return control;
}

} // namespace

MainWindow::MainWindow(AppDelegate& app, Environment givenEnvironment, QWidget* parent)
    : QMainWindow(parent), app(app), environment(std::move(givenEnvironment)),
      utils(app.imageService()), history(environment.historyPath), sheet(new AlertSheet(this))
{
    messages = std::make_unique<DialogMessages>(app.dialogs(), *sheet, text(StringKey::OK));
    screen = std::make_unique<MainScreenView>(
        app,
        MainScreenView::Services{center, *messages, environment.store, LocalFileSystem::shared(),
                                 utils, history, environment.defaultFolder});
    screen->addPhotosView().photoActions().setDesktop(environment.desktop);
    if (const Desktop* desktop = environment.desktop) {
        screen->vwProcessing().setOutputFolderOpener(
            [desktop](const QString& folder) { desktop->openFile(folder); });
        connect(&screen->vwProcessing(), &ProcessingView::runFinished, this,
                &MainWindow::notifyRunEndUnseen);
    }
    ratePrompt = std::make_unique<RatePrompt>(environment.store, ProductInfo::version());
    windowController = std::make_unique<MainWindowController>(app, center, *screen, *ratePrompt,
                                                              environment.openPage);

    setWindowTitle(ProductInfo::name());
    setWindowIcon(QIcon::fromTheme(QApplication::desktopFileName(),
                                   QIcon(":/icons/org.framewright.Framewright.svg")));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    steps = new QStackedWidget(central);
    batch = new BatchScreen({screen->addPhotosView(), app.batch(), app.strings(), center, *messages,
                             *sheet, app.imageService().imageExtensions()},
                            steps);
    steps->addWidget(batch);
    steps->addWidget(buildOptionsPage());
    auto* processing = new ProcessingScreen(screen->vwProcessing(), app.strings(), app.imageService(), steps);
    connect(processing, &ProcessingScreen::showLogsRequested, this,
            [this] { screen->btnShowLogsTapped(); });
    connect(processing, &ProcessingScreen::closeRequested, this,
            [this] { screen->btnCloseSummaryTapped(); });
    steps->addWidget(processing);
    layout->addWidget(buildTabs());
    layout->addWidget(steps, 1);
    layout->addWidget(buildBottomBar());
    setCentralWidget(central);
    overwriteSheet = new OverwriteSheet(screen->vwProcessing(), app.strings(),
                                        screen->addPhotosView().gridThumbnails(), this);
    logWindow = new LogWindow(screen->logDetailView(), app.strings(), this);
    buildMenus();
    TabOrder::followLayout(central);
    connectSheets();
    connect(screen.get(), &MainScreenView::changed, this, &MainWindow::render);
    connect(windowController.get(), &MainWindowController::changed, this, &MainWindow::render);
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this] { windowController->sessionEnding(); });
    render();
    resize(1120, 760);
}

MainWindow::~MainWindow() = default;

// A user who went to another window while the run went on learns that it has
// ended, and how it went.
void MainWindow::notifyRunEndUnseen()
{
    if (isActiveWindow())
        return;
    const RunSummary& summary = screen->vwProcessing().summary();
    const QString body = QStringLiteral("%1 %2 · %3 %4")
                             .arg(text(StringKey::TOTAL_IMAGE_CONVERTED),
                                  summary.lblImagesConverted,
                                  text(StringKey::CONVERSION_FAILED),
                                  summary.lblConversionFailed);
    environment.desktop->notify(text(StringKey::RUN_FINISHED), body);
}

QString MainWindow::text(const char* key) const
{
    return app.strings().getLocalizedStringForKey(key);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(text(StringKey::FILE));
    AddPhotosVC& photos = screen->addPhotosView();
    QAction* open = file->addAction(text(StringKey::OPEN), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                                    [&photos] { photos.btnAddPhotosTapped(); });
    QAction* folder = file->addAction(text(StringKey::ADD_FOLDER), this,
                                      [&photos] { photos.btnAddFolderTapped(); });
    QAction* remove = file->addAction(text(StringKey::DELETE), QKeySequence(Qt::Key_Delete), this,
                                      [&photos] { photos.btnRemovePhotoTapped(); });
    file->addSeparator();
    file->addAction(text(StringKey::RESET_ALL_CHOICES), this, [this] { screen->resetAllChoices(); });
    file->addSeparator();
    file->addAction(text(StringKey::CLOSE), QKeySequence(Qt::CTRL | Qt::Key_W), this,
                    [this] { windowController->btnCloseWindowTapped(); });
    file->addAction(text(StringKey::QUIT), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    [this] { windowController->btnCloseWindowTapped(); });
    // The run history of this launch and earlier ones, at any time.
    QMenu* window = menuBar()->addMenu(text(StringKey::WINDOW_MENU));
    window->addAction(text(StringKey::RUN_HISTORY), QKeySequence(Qt::CTRL | Qt::Key_L), this,
                      [this] { screen->btnShowLogsTapped(); });
    QMenu* help = menuBar()->addMenu(text(StringKey::HELP));
    help->addAction(QStringLiteral("%1 %2").arg(text(StringKey::ABOUT), ProductInfo::name()), this,
                    &MainWindow::showAbout);
    help->addAction(text(StringKey::RATEUS_TITLE), this,
                    [this] { screen->sendRateMeNotification(); });
    // Adding and removing work on the batch step, while nothing locks it.
    const auto follow = [this, open, folder, remove] {
        const bool onBatch = screen->state().step == Step::Photos &&
                             screen->addPhotosView().screen().areAddButtonsEnabled;
        for (QAction* action : {open, folder, remove})
            action->setEnabled(onBatch);
    };
    connect(screen.get(), &MainScreenView::changed, this, follow);
    connect(&photos, &AddPhotosVC::changed, this, follow);
    follow();
}

QWidget* MainWindow::buildTabs()
{
    tabs = new QWidget(this);
    tabs->setObjectName("stepTabs");
    auto* row = new QHBoxLayout(tabs);
    row->setContentsMargins(12, 10, 12, 6);

    const std::pair<int, const char*> entries[] = {{Step::Photos, StringKey::STEP_PHOTOS},
                                                   {Step::Resize, StringKey::STEP_RESIZE},
                                                   {Step::Settings, StringKey::STEP_SETTINGS}};
    for (const auto& [step, key] : entries) {
        auto* tab = named(new QPushButton(text(key), tabs), text(key));
        tab->setCheckable(true);
        tab->setFlat(true);
        tab->setMinimumWidth(140);
        tabButtons.insert(step, tab);
        row->addWidget(tab);
        connect(tab, &QPushButton::clicked, this, [this, step = step] {
            if (step == Step::Photos)
                windowController->tabSelectPhotosTapped();
            else if (step == Step::Resize)
                windowController->tabResizeOptionsTapped();
            else
                windowController->tabSettingOptionsTapped();
            render();
        });
    }
    row->addStretch();
    return tabs;
}

QWidget* MainWindow::buildOptionsPage()
{
    auto* page = new QWidget(steps);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(12, 6, 12, 0);
    auto* switchRow = new QHBoxLayout;
    const std::pair<int, const char*> entries[] = {{ResizeOptions, StringKey::RESIZE},
                                                   {OutputOptions, StringKey::CONVERT}};
    switchRow->addStretch();
    for (const auto& [option, key] : entries) {
        auto* button = named(new QPushButton(text(key), page), text(key));
        button->setCheckable(true);
        button->setMinimumWidth(120);
        optionSwitch.insert(option, button);
        switchRow->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, option = option] {
            if (option == ResizeOptions)
                screen->btnResizeSettingTapped();
            else
                screen->btnConvetSettingTapped();
            render();
        });
    }
    switchRow->addStretch();
    options = new QStackedWidget(page);
    auto* resizePage = new QWidget(options);
    auto* resizeColumn = new QVBoxLayout(resizePage);
    auto* resizeRow = new QHBoxLayout;
    resizeColumn->addLayout(resizeRow);
    resizeColumn->addStretch();
    resizeRow->addWidget(new ResizePanel(screen->resizeView(), app.strings(), resizePage), 3);
    resizeRow->addWidget(
        new RotateFlipPanel(screen->rotateView(), screen->flipView(), app.strings(), resizePage),
        2);
    for (QWidget* content : {resizePage, buildOutputPage()}) {
        auto* scroller = new QScrollArea(options);
        scroller->setWidget(content);
        scroller->setWidgetResizable(true);
        scroller->setFrameShape(QFrame::NoFrame);
        // The page's controls take the focus, not the area around them.
        scroller->setFocusPolicy(Qt::NoFocus);
        options->addWidget(scroller);
    }
    column->addLayout(switchRow);
    column->addWidget(options, 1);
    return page;
}

// The output settings, and beside them the preview of what they give.
QWidget* MainWindow::buildOutputPage()
{
    auto* page = new QWidget(options);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new OutputSettingsPanel(screen->vwSetting(), app.strings(), page), 1);
    row->addWidget(new OutputPreviewPanel(screen->outputStepView().preview(), app.strings(), page),
                   0, Qt::AlignTop);
    return page;
}

QWidget* MainWindow::buildBottomBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(12, 8, 12, 10);
    footer = new QLabel(bar);
    footer->setTextFormat(Qt::RichText);
    row->addWidget(footer);
    row->addStretch();
    back = named(new QPushButton(text(StringKey::BACK), bar), text(StringKey::BACK));
    next = named(new QPushButton(text(StringKey::NEXT), bar), text(StringKey::NEXT));
    start =
        named(new QPushButton(text(StringKey::START_PROCESS), bar), text(StringKey::START_PROCESS));
    finish = named(new QPushButton(text(StringKey::FINISH), bar), text(StringKey::FINISH));
    for (QPushButton* button : {back, next, start, finish}) {
        button->setMinimumWidth(96);
        row->addWidget(button);
    }
    start->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] {
        if (screen->state().bottomButtons == Step::Photos)
            screen->btnNextOnPhotosvwTapped();
        else
            screen->btnNextOnResizingvwTapped();
    });
    connect(back, &QPushButton::clicked, this, [this] {
        if (screen->state().bottomButtons == Step::Resize)
            screen->btnBackOnResizingvwTapped();
        else
            screen->btnBackOnSettingvwTapped();
    });
    connect(start, &QPushButton::clicked, this, [this] { screen->btnStartProcessTapped(); });
    connect(finish, &QPushButton::clicked, this,
            [this] { screen->btnFinishOnProcessingvwTapped(); });
    return bar;
}

void MainWindow::connectSheets()
{
    connect(screen.get(), &MainScreenView::alertSheetChanged, this, &MainWindow::renderAlertSheet);
    connect(screen.get(), &MainScreenView::overwriteSheetChanged, this, [this] {
        if (screen->isOverwriteSheetShown())
            overwriteSheet->present();
        else if (overwriteSheet->isVisible())
            overwriteSheet->done(QDialog::Accepted);
    });
    connect(screen.get(), &MainScreenView::destinationChooserRequested, this,
            &MainWindow::chooseDestination);
    connect(screen.get(), &MainScreenView::logWindowRequested, logWindow, &LogWindow::present);
    connect(&history, &RunHistory::runStored, this, [this](qint64 runId) {
        if (logWindow->isVisible())
            screen->logDetailView().initWithRunId(runId);
    });
    connect(windowController.get(), &MainWindowController::rateSheetChanged, this,
            &MainWindow::renderRateSheet);
    connect(windowController.get(), &MainWindowController::quitRequested, this,
            &MainWindow::quitNow);
}

void MainWindow::render()
{
    const MainScreenView::State& state = screen->state();
    const MainWindowController::State& window = windowController->state();
    steps->setCurrentIndex(state.step == Step::Photos       ? BatchPage
                           : state.step == Step::Processing ? ProcessingPage
                                                            : OptionsPage);
    options->setCurrentIndex(state.step == Step::Settings ? OutputOptions : ResizeOptions);
    for (auto tab = tabButtons.cbegin(); tab != tabButtons.cend(); ++tab)
        tab.value()->setChecked(tab.key() == window.selectedTab);
    tabs->setEnabled(!window.isLocked);
    optionSwitch.value(ResizeOptions)->setChecked(state.step == Step::Resize);
    optionSwitch.value(OutputOptions)->setChecked(state.step == Step::Settings);
    for (QPushButton* button : std::as_const(optionSwitch))
        button->setEnabled(state.areButtonsEnabled);
    const int buttons = state.bottomButtons;
    next->setVisible(buttons == Step::Photos || buttons == Step::Resize);
    next->setEnabled(state.areButtonsEnabled && (buttons != Step::Photos || state.isNextEnabled));
    back->setVisible(buttons == Step::Resize || buttons == Step::Settings);
    back->setEnabled(state.areButtonsEnabled);
    start->setVisible(buttons == Step::Settings);
    start->setEnabled(state.areButtonsEnabled);
    finish->setVisible(buttons == Step::Processing && state.isFinishShown);
    finish->setEnabled(state.areButtonsEnabled);
    // The batch screen shows the line under its list; the other steps show
    // it here.
    footer->setVisible(state.isFooterShown && state.step != Step::Photos);
    footer->setText(EmphasisedText::styled(state.footer.line,
                                           {state.footer.countText, state.footer.sizeText},
                                           palette().color(QPalette::Link)));
    // The run's screen is painted before its workers start and take every
    // processor: painted later, it would wait for them and the window would
    // seem to hang at Start.
    if (state.step == Step::Processing && !wasProcessingShown && isVisible())
        repaint();
    wasProcessingShown = state.step == Step::Processing;
}

void MainWindow::renderAlertSheet()
{
    const MainScreenView::AlertSheet& alert = screen->alertSheet();
    if (!alert.isShown) {
        sheet->dismiss();
        return;
    }
    MainScreenView& main = *screen;
    QList<AlertSheet::Button> buttons;
    if (alert.hasNo)
        buttons.append({text(StringKey::NO), [&main] { main.btnNoOnAlertTapped(); }, true});
    if (alert.hasYes)
        buttons.append({text(StringKey::YES), [&main] { main.btnYesOnAlertTapped(); }});
    if (alert.hasCancel)
        buttons.append({text(StringKey::CANCEL), [&main] { main.btnCancelOnAlertTapped(); }, true});
    if (alert.hasRemoveFromBatch)
        buttons.append(
            {text(StringKey::REMOVE_FROM_BATCH), [&main] { main.btnRemoveFromBatchTapped(); }});
    if (alert.hasOk)
        buttons.append({text(StringKey::OK), [&main] { main.btnOkOnAlertTapped(); }, true});
    sheet->present(alert.title, alert.message, buttons);
}

void MainWindow::renderRateSheet()
{
    const MainWindowController::RateSheet& rate = windowController->rateSheet();
    if (!rate.isShown) {
        sheet->dismiss();
        return;
    }
    MainWindowController& window = *windowController;
    sheet->present(rate.title, rate.message,
                   {{rate.noText, [&window] { window.btnRateNoTapped(); }, true},
                    {rate.yesText, [&window] { window.btnRateYesTapped(); }}});
}

void MainWindow::chooseDestination(const QString& startFolder)
{
    MainScreenView& main = *screen;
    FolderChooser::open(this, text(StringKey::SELECT_DEST_FOLDER), startFolder,
                        [&main](const QString& chosen) { main.destinationChooserEnded(chosen); });
}

void MainWindow::showAbout()
{
    app.dialogs().request([this] {
        const QString title =
            QStringLiteral("%1 %2").arg(text(StringKey::ABOUT), ProductInfo::name());
        const QString about = text(StringKey::ABOUT_TEXT).replace("%@", ProductInfo::version()) +
                              '\n' + ProductInfo::homepage();
        sheet->present(title, about,
                       {{text(StringKey::OK), [this] { app.dialogs().closed(); }, true}});
        return true;
    });
}

void MainWindow::addPaths(const QStringList& paths)
{
    QStringList absolute;
    for (const QString& path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    if (!absolute.isEmpty())
        center.post(NotificationName::FileDragDropNotification, {{"paths", absolute}});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose) {
        event->accept();
        return;
    }
    event->ignore();
    windowController->btnCloseWindowTapped();
}

void MainWindow::quitNow()
{
    mayClose = true;
    close();
}

} // namespace fw
