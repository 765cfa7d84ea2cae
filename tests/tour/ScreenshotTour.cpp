// Walks the program's window through every step and sheet over real photos
// and saves a picture of the screen at each, for a person to look at. Run
// under a display server (scripts/screenshots.sh uses Xvfb).
#include "app/AppDelegate.h"
#include "app/MainScreenView.h"
#include "app/MainWindowController.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/QtTranslations.h"
#include "batch/BatchModel.h"
#include "batch/widgets/BatchScreen.h"
#include "batch/widgets/PhotoTableView.h"
#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "gui/VisibleButton.h"
#include "platform/VipsImageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

class Tour {
public:
    Tour(fw::MainWindow& window, fw::AppDelegate& app, QString outputFolder)
        : window(window), app(app), outputFolder(std::move(outputFolder))
    {
    }

    void shoot(const QString& name)
    {
        QTest::qWait(300);
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        screen.save(QStringLiteral("%1/%2.png").arg(outputFolder, name));
        QTextStream(stdout) << name << Qt::endl;
    }

    bool waitFor(const std::function<bool()>& condition, int milliseconds = 30000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > milliseconds)
                return false;
            QTest::qWait(20);
        }
        return true;
    }

    QAbstractButton* button(const QString& name)
    {
        QAbstractButton* found = fw::test::visibleButton(window, name);
        if (found == nullptr)
            QTextStream(stderr) << "no button " << name << Qt::endl;
        return found;
    }

    // The button whose accessible name is the text of the key in the
    // window's language.
    void click(const char* key)
    {
        if (QAbstractButton* target = button(app.strings().getLocalizedStringForKey(key)))
            QTest::mouseClick(target, Qt::LeftButton);
        QTest::qWait(100);
    }

    QFileDialog* openPanel()
    {
        QFileDialog* found = nullptr;
        waitFor([&] {
            for (QFileDialog* dialog : window.findChildren<QFileDialog*>()) {
                if (dialog->isVisible())
                    found = dialog;
            }
            return found != nullptr;
        });
        return found;
    }

    void closeMenus()
    {
        for (QMenu* menu : window.findChildren<QMenu*>())
            menu->close();
        QTest::qWait(100);
    }

    fw::MainWindow& window;
    fw::AppDelegate& app;
    const QString outputFolder;
};

void walk(Tour& tour, const QStringList& photos, const QString& destination)
{
    fw::MainWindow& window = tour.window;
    fw::PhotoTableView& table = *window.batchScreen().listView();
    tour.shoot("01-empty-batch");

    window.addPaths(photos);
    tour.waitFor([&] {
        return !tour.app.batch().isEmpty() && !window.mainScreen().addPhotosView().isAdding();
    });
    tour.waitFor([&] {
        return !table.model()
                    ->index(0, 0)
                    .data(fw::BatchModel::ThumbnailRole)
                    .value<QImage>()
                    .isNull();
    });
    tour.shoot("02-list");
    tour.click(fw::StringKey::VIEW_GRID);
    tour.shoot("03-grid");
    tour.click(fw::StringKey::VIEW_LARGE_GRID);
    tour.shoot("04-large-grid");
    tour.click(fw::StringKey::VIEW_LIST);

    // The list opens in a loop of its own; the picture is taken from inside it.
    QTimer::singleShot(400, &window, [&tour] {
        tour.shoot("05-add-more-menu");
        tour.closeMenus();
    });
    tour.click(fw::StringKey::ADD_MORE);

    const QRect info = table.visualRect(table.model()->index(1, fw::BatchModel::Info));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, info.center());
    tour.shoot("06-info-popup");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);

    const QRect row = table.visualRect(table.model()->index(2, fw::BatchModel::Name));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, row.center(),
                           table.viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(table.viewport(), &menu);
    tour.shoot("07-photo-menu");
    tour.closeMenus();

    tour.click(fw::StringKey::REMOVE_ALL);
    tour.shoot("08-remove-all-alert");
    tour.click(fw::StringKey::NO);

    tour.click(fw::StringKey::ADD_PHOTOS);
    if (QFileDialog* panel = tour.openPanel()) {
        tour.shoot("09-add-photos-panel");
        panel->reject();
    }

    tour.click(fw::StringKey::NEXT);
    tour.shoot("10-resize-step");
    fw::MainScreenView& screen = window.mainScreen();
    screen.resizeView().changeSizeSettingWithSelectedOption(fw::ResizeView::LongEdge);
    tour.shoot("10b-resize-long-edge");
    tour.click(fw::StringKey::NEXT);
    const auto previewDone = [&] {
        return !screen.outputStepView().preview().shown().estimateText.isEmpty();
    };
    tour.waitFor(previewDone);
    tour.shoot("11-output-step");
    fw::SettingView& output = screen.vwSetting();
    output.btnConvertFormatTapped();
    output.formatSelectionChangedWithIndex(fw::FormatIndex::Webp);
    output.filenameSelectionChangedWithIndex(fw::FileNameOption::Template);
    output.controlTextDidChange(QStringLiteral("{date}_{n:3}_{name}"));
    tour.waitFor(previewDone);
    tour.shoot("11b-output-webp-template");

    tour.click(fw::StringKey::START_PROCESS);
    if (QFileDialog* chooser = tour.openPanel()) {
        tour.shoot("12-destination-chooser");
        chooser->selectFile(destination);
        QMetaObject::invokeMethod(chooser, "accept");
    }
    QTest::qWait(150);
    tour.shoot("13-processing");
    tour.waitFor([&] { return !tour.app.isProcessingInProgress(); }, 120000);
    tour.shoot("14-summary");
    tour.click(fw::StringKey::SHOW_LOGS);
    tour.shoot("15-log-window");
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &window && top->isVisible() && top->isWindow())
            top->close();
    }
    tour.click(fw::StringKey::FINISH);

    // Held and resumed, a run asks about outputs that are in its way.
    tour.click(fw::StringKey::NEXT);
    tour.click(fw::StringKey::NEXT);
    tour.click(fw::StringKey::START_PROCESS);
    if (QFileDialog* chooser = tour.openPanel()) {
        chooser->selectFile(destination);
        QMetaObject::invokeMethod(chooser, "accept");
    }
    window.activateWindow();
    QTest::qWait(50);
    QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier);
    tour.shoot("16-stop-question");
    tour.click(fw::StringKey::NO);
    if (tour.waitFor([&] { return window.mainScreen().isOverwriteSheetShown(); }, 20000)) {
        tour.shoot("17-existing-file-dialog");
        tour.click(fw::StringKey::SKIP_ALL);
    }
    tour.waitFor([&] { return !tour.app.isProcessingInProgress(); }, 120000);
    tour.click(fw::StringKey::FINISH);

    window.mainScreen().sendRateMeNotification();
    tour.shoot("18-rate-prompt");
    tour.click(fw::StringKey::NO);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("framewright-screenshot-tour");
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() < 3) {
        QTextStream(stderr) << "usage: framewright_screenshot_tour LANGUAGE OUTDIR PHOTO..."
                            << Qt::endl;
        return 2;
    }
    const QString language = arguments.at(0);
    QLocale::setDefault(QLocale(language));
    const QStringList rest = arguments.mid(1);
    QDir().mkpath(rest.first());
    QTemporaryDir scratch;
    QSettings store(scratch.filePath("settings.ini"), QSettings::IniFormat);
    fw::AppDelegate app(fw::VipsImageService::shared(), {language});
    fw::QtTranslations::install(language);
    fw::MainWindow window(app, {store, nullptr, [](const QString&) { return false; },
                                scratch.filePath("Pictures/Framewright"),
                                scratch.filePath("runs.sqlite")});
    // The whole of a 1280 x 800 screen, as a user of a small laptop has it.
    window.showMaximized();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    Tour tour(window, app, rest.first());
    walk(tour, rest.mid(1), QDir(scratch.path()).filePath("Out"));
    window.close();
    return 0;
}
