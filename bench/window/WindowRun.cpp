// One whole run through the program's window, offscreen, for the A/B timer
// beside framewright-cli (bench/run-window.sh): the photos of SOURCE fitted
// into 1600 x 1067, upright, as JPEG at quality 75, into OUT, with the event
// loop running and the screen updated. Prints the longest main-thread stalls
// in the run and before it (start-up, adding, the steps, the destination
// chooser), the memory the window held before the run and at its peak, and
// the time from the destination's confirmation to the summary.
#include "app/AppDelegate.h"
#include "app/MainScreenView.h"
#include "app/OutputStepView.h"
#include "app/widgets/MainWindow.h"
#include "platform/VipsImageService.h"
#include "settings/SettingView.h"
#include "support/BenchPhotos.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

using namespace fw;

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QTest::qWait(5);
}

void chooseSettings(MainScreenView& screen)
{
    ResizeView& size = screen.resizeView();
    size.btnKeepOriginalSizeTapped(false);
    size.btnCustomSizeTapped();
    size.setKeepAspectRatio(false);
    size.controlTextDidChange(ResizeView::CustomWidth, "1600");
    size.controlTextDidChange(ResizeView::CustomHeight, "1067");
    size.setKeepAspectRatio(true);
    size.controlTextDidChange(ResizeView::CustomWidth, "1600");
    screen.rotateView().btnAutocurrectTapped();
    SettingView& output = screen.vwSetting();
    output.btnConvertFormatTapped();
    output.formatSelectionChangedWithIndex(
        static_cast<int>(SettingView::formatTexts().indexOf("*.JPG")));
    output.qualityTextEdited("75");
    output.btnAskbeforeOverwriteTapped(false);
}

// The process's peak resident memory in MB, as /usr/bin/time reports it.
double peakResidentMegabytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: framewright_window_run SOURCE OUT" << Qt::endl;
        return 2;
    }
    QTemporaryDir scratch;
    QSettings store(scratch.filePath("settings.ini"), QSettings::IniFormat);
    AppDelegate app(VipsImageService::shared(), {"en"});
    MainWindow window(app,
                      {store, nullptr, [](const QString&) { return false; },
                       scratch.filePath("Pictures/Framewright"), scratch.filePath("runs.sqlite")});
    window.show();
    MainScreenView& screen = window.mainScreen();

    qint64 longestStall = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    ticker.start(5);
    sinceTick.start();

    window.addPaths({arguments.at(0)});
    waitFor([&] { return !app.batch().isEmpty() && !screen.addPhotosView().isAdding(); });
    screen.btnNextOnPhotosvwTapped();
    chooseSettings(screen);
    // The run is timed and watched for stalls from the moment the user
    // confirms the destination: the chooser opening is the dialog's, not the
    // run's.
    qint64 longestStallBeforeRun = 0;
    QElapsedTimer run;
    QObject::connect(
        &screen, &MainScreenView::destinationChooserRequested, &window, [&](const QString&) {
            QTimer::singleShot(0, &window, [&] {
                for (QFileDialog* chooser : window.findChildren<QFileDialog*>()) {
                    chooser->selectFile(arguments.at(1));
                    longestStallBeforeRun = std::max(longestStallBeforeRun, longestStall);
                    longestStall = 0;
                    sinceTick.restart();
                    run.start();
                    QMetaObject::invokeMethod(chooser, "accept");
                }
            });
        });
    screen.btnNextOnResizingvwTapped();
    // A user reads the output step before pressing Start; its preview and
    // estimate are done by then and take nothing from the run.
    const OutputPreview& preview = screen.outputStepView().preview();
    waitFor([&] { return !preview.shown().isWriting && !preview.shown().estimateText.isEmpty(); });
    const double residentBeforeRun = bench::residentBytes() / (1024 * 1024);
    screen.btnStartProcessTapped();
    waitFor([&] { return screen.vwProcessing().isSummaryShown(); });
    const qint64 runMilliseconds = run.elapsed();
    QTextStream(stdout) << "photos " << screen.vwProcessing().processedSuccessfully()
                        << ", longest stall " << longestStall << " ms in the run, "
                        << longestStallBeforeRun << " ms before it"
                        << ", resident before the run " << qRound(residentBeforeRun)
                        << " MiB, peak " << qRound(peakResidentMegabytes()) << " MiB"
                        << ", run " << runMilliseconds << " ms" << Qt::endl;
    return screen.vwProcessing().processedWithError() == 0 ? 0 : 1;
}
