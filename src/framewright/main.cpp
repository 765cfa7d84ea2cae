#include "app/AppDelegate.h"
#include "app/MainWindowController.h"
#include "app/TerminationSignals.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/QtTranslations.h"
#include "core/ProductInfo.h"
#include "platform/FreedesktopDesktop.h"
#include "platform/NativePath.h"
#include "platform/VipsImageService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("framewright");
    QApplication::setOrganizationName("Framewright");
    QApplication::setApplicationDisplayName(fw::ProductInfo::name());
    QApplication::setApplicationVersion(fw::ProductInfo::version());
    QApplication::setDesktopFileName("org.framewright.Framewright");

    // Paths are taken by their bytes: QApplication would turn a name that is
    // not UTF-8 into another name.
    QStringList paths;
    for (int index = 1; index < argc; ++index)
        paths << fw::NativePath::decode(QByteArray(argv[index]));

    QSettings store;
    const fw::FreedesktopDesktop desktop;
    fw::AppDelegate app(fw::VipsImageService::shared());
    fw::QtTranslations::install(app.strings().languageCode());
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    fw::MainWindow window(
        app, {store, &desktop,
              [](const QString& address) { return QDesktopServices::openUrl(QUrl(address)); },
              pictures + "/Framewright",
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/runs.sqlite"});
    // Logging out or a termination signal ends the program as closing the
    // window during a run does: the photo in hand is finished and the run's
    // summary kept.
    const fw::TerminationSignals signals;
    QObject::connect(&signals, &fw::TerminationSignals::received, &window.controller(),
                     &fw::MainWindowController::sessionEnding);
    window.show();
    window.controller().applicationDidFinishLaunching();
    window.addPaths(paths);
    return QApplication::exec();
}
