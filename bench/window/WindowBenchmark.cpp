// The window's scale targets, offscreen: adding 10,000 photos never stalls
// the main thread over 50 ms; nor do opening and paging the log window over
// runs of 100,000 photos; scrolling a grid of 10,000 keeps at most 4
// thumbnail tasks running and the cache within its budget; a batch of
// 100,000 photos in the list view costs under 150 MB; the output preview of
// a 24-megapixel JPEG shows within 1 s of a change of setting.
#include "app/AppDelegate.h"
#include "app/MainScreenView.h"
#include "app/widgets/MainWindow.h"
#include "batch/widgets/BatchScreen.h"
#include "batch/widgets/PhotoGridView.h"
#include "batch/widgets/PhotoTableView.h"
#include "log/LogDetailView.h"
#include "log/RunHistory.h"
#include "platform/LocalFileSystem.h"
#include "platform/VipsImageService.h"
#include "processing/OutputPreview.h"
#include "support/BenchPhotos.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

using namespace fw;

// The window as the program makes it, with a private settings file.
struct Window {
    QTemporaryDir scratch;
    QSettings store{scratch.filePath("settings.ini"), QSettings::IniFormat};
    AppDelegate app{VipsImageService::shared(), {"en"}};
    MainWindow window{app,
                      {store, nullptr, [](const QString&) { return false; },
                       scratch.filePath("Pictures/Framewright"), scratch.filePath("runs.sqlite")}};

    Window()
    {
        window.resize(1200, 800);
        window.show();
    }
    AddPhotosVC& photos() { return window.mainScreen().addPhotosView(); }
};

// The longest gap between ticks of a 5 ms timer while the work runs: the
// longest time the window could not answer the user.
class StallMeter {
public:
    StallMeter()
    {
        QObject::connect(&ticker, &QTimer::timeout,
                         [this] { longest = std::max(longest, sinceTick.restart()); });
        ticker.start(5);
        sinceTick.start();
    }
    qint64 longestMilliseconds() const { return longest; }

private:
    QTimer ticker;
    QElapsedTimer sinceTick;
    qint64 longest = 0;
};

bool addFolderAndWait(Window& window, const QString& folder)
{
    window.window.addPaths({folder});
    QElapsedTimer timer;
    timer.start();
    while (window.photos().isAdding() || window.app.batch().isEmpty()) {
        if (timer.elapsed() > 600000)
            return false;
        QTest::qWait(5);
    }
    return true;
}

void addingTenThousandPhotosKeepsTheWindowResponsive(benchmark::State& state)
{
    const QString folder = bench::folderOfSmallJpegs();
    for (auto _ : state) {
        Window window;
        StallMeter meter;
        if (!addFolderAndWait(window, folder))
            state.SkipWithError("the adding operation did not end");
        state.counters["photos"] = static_cast<double>(window.app.batch().size());
        state.counters["longest_stall_ms"] = static_cast<double>(meter.longestMilliseconds());
    }
    state.SetLabel("target: no stall over 50 ms");
}
BENCHMARK(addingTenThousandPhotosKeepsTheWindowResponsive)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

void scrollingTheGridOfTenThousand(benchmark::State& state)
{
    const QString folder = bench::folderOfSmallJpegs();
    Window window;
    if (!addFolderAndWait(window, folder))
        state.SkipWithError("the adding operation did not end");
    window.photos().changePhotosViewImageMode(ViewMode::Grid);
    PhotoGridView& grid = *window.window.batchScreen().gridView();
    ThumbnailProvider& gridThumbnails = window.photos().gridThumbnails();
    ThumbnailProvider& listThumbnails = window.photos().listThumbnails();
    int mostRunning = 0;
    int mostRequested = 0;
    qint64 mostCached = 0;
    for (auto _ : state) {
        QScrollBar* bar = grid.verticalScrollBar();
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep() / 3) {
            bar->setValue(value);
            QTest::qWait(8);
            mostRunning = std::max(mostRunning,
                                   gridThumbnails.runningTasks() + listThumbnails.runningTasks());
            mostRequested = std::max(mostRequested, gridThumbnails.pendingRequests());
            mostCached = std::max(mostCached, gridThumbnails.cachedBytes());
        }
    }
    state.counters["most_running_tasks"] = mostRunning;
    state.counters["most_requested"] = mostRequested;
    state.counters["most_cached_MB"] = static_cast<double>(mostCached) / 1e6;
    state.counters["cache_budget_MB"] = static_cast<double>(gridThumbnails.budget()) / 1e6;
    state.SetLabel("target: at most 4 running, cache within budget");
}
BENCHMARK(scrollingTheGridOfTenThousand)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void listOfOneHundredThousandPhotos(benchmark::State& state)
{
    const QString folder = bench::folderOfSmallJpegs();
    const PhotoFilePtr real =
        PhotoFile::initWithFileUrl(folder + "/photo_00000.jpg", false, VipsImageService::shared());
    for (auto _ : state) {
        const double residentBefore = bench::residentBytes();
        Window window;
        QList<PhotoFilePtr> photos;
        for (int index = 0; index < 100000; ++index)
            photos.append(bench::recordLike(
                *real,
                QString("%1/Holiday 2024/photo_%2.jpg").arg(folder).arg(index, 6, 10, QChar('0'))));
        window.app.batch().append(photos);
        window.photos().processAfterAllPhotosAdded();
        PhotoTableView& list = *window.window.batchScreen().listView();
        QScrollBar* bar = list.verticalScrollBar();
        for (int step = 0; step <= 20; ++step) {
            bar->setValue(bar->maximum() * step / 20);
            QTest::qWait(20);
        }
        state.counters["rows"] = list.model()->rowCount();
        state.counters["window_and_batch_MB"] = (bench::residentBytes() - residentBefore) / 1e6;
    }
    state.SetLabel("target: under 150 MB");
}
BENCHMARK(listOfOneHundredThousandPhotos)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

QList<LogRecord> recordsOfRun(int photos)
{
    QList<LogRecord> records;
    records.reserve(photos);
    for (int photo = 0; photo < photos; ++photo) {
        const QString name = QString("IMG_%1").arg(photo, 6, 10, QChar('0'));
        records.append({{"inputFilename", "/home/anna/Pictures/Holiday/" + name + ".JPG"},
                        {"outputFilename", "/home/anna/Pictures/Framewright/" + name + ".jpg"},
                        {"information", "Success"},
                        {"oldSize", "4.80 MB"},
                        {"newSize", "612.00 KB"},
                        {"ratio", "87.3%"},
                        {"save", "4.19 MB"}});
    }
    return records;
}

bool waitUntilShown(LogDetailView& log, int rows)
{
    QElapsedTimer timer;
    timer.start();
    while (log.isReading() || log.arrLogDetails().size() != rows) {
        if (timer.elapsed() > 120000)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Two runs of 100,000 photos in the history; the log window is opened on
// the newest and paged to the other and back, while a 5 ms timer measures
// how long the window could not answer.
void logWindowOverRunsOfOneHundredThousand(benchmark::State& state)
{
    constexpr int photos = 100000;
    Window window;
    RunHistory history(window.scratch.filePath("runs.sqlite"));
    const QList<LogRecord> records = recordsOfRun(photos);
    for (int run = 0; run < 2; ++run)
        history.addRun({{"timeStamp", "12072026 1054 PM"},
                        {"imagesSelected", QString::number(photos)}},
                       records);
    history.waitForStores();
    LogDetailView& log = window.window.mainScreen().logDetailView();
    for (auto _ : state) {
        StallMeter meter;
        window.window.mainScreen().btnShowLogsTapped();
        bool shown = waitUntilShown(log, photos);
        log.btnPrevLogTapped();
        shown = shown && waitUntilShown(log, photos);
        log.btnNextLogTapped();
        shown = shown && waitUntilShown(log, photos);
        if (!shown)
            state.SkipWithError("the run's records were not shown");
        state.counters["longest_stall_ms"] = static_cast<double>(meter.longestMilliseconds());
    }
    state.SetLabel("target: no stall over 50 ms");
}
BENCHMARK(logWindowOverRunsOfOneHundredThousand)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

// Milliseconds from a change of setting until the preview shows an output
// of the new settings, and until it shows the written one with its size.
std::pair<qint64, qint64> previewTimes(OutputPreview& preview, const QList<PhotoFilePtr>& marked,
                                       const RunSettings& settings)
{
    QElapsedTimer timer;
    timer.start();
    preview.show(marked, settings);
    qint64 shown = -1;
    while (timer.elapsed() < 60000) {
        QTest::qWait(1);
        if (shown < 0 && !preview.shown().output.isNull())
            shown = timer.elapsed();
        if (shown >= 0 && !preview.shown().isWriting)
            return {shown, timer.elapsed()};
    }
    return {-1, -1};
}

// A 6000 x 4000 JPEG marked on the batch; the preview is shown, then the
// rotation and the quality change, as a user tries them one after another.
void previewOfATwentyFourMegapixelJpeg(benchmark::State& state)
{
    Window window;
    if (!addFolderAndWait(window, bench::folderWithOneLargeJpeg())) {
        state.SkipWithError("the photo was not added");
        return;
    }
    OutputPreview preview(VipsImageService::shared(), LocalFileSystem::shared(),
                          window.app.strings());
    RunSettings settings;
    settings.output.compressionRatio = 80;
    settings.geometry.sizeObject.sizeMode = SizeMode::LongEdge;
    settings.geometry.sizeObject.edgeLength = 2048;
    previewTimes(preview, window.app.batch().arraySelectedImagesToProcess(), settings);
    for (auto _ : state) {
        qint64 slowestShown = 0;
        qint64 slowestWritten = 0;
        for (int change = 0; change < 4; ++change) {
            settings.geometry.rotationType = change % 2 ? RotationType::QuarterClockwise
                                                        : RotationType::None;
            settings.output.compressionRatio = 60 + change * 10;
            const auto [shown, written] =
                previewTimes(preview, window.app.batch().arraySelectedImagesToProcess(), settings);
            if (shown < 0) {
                state.SkipWithError("the preview never showed");
                return;
            }
            slowestShown = std::max(slowestShown, shown);
            slowestWritten = std::max(slowestWritten, written);
        }
        state.counters["slowest_shown_ms"] = static_cast<double>(slowestShown);
        state.counters["slowest_written_ms"] = static_cast<double>(slowestWritten);
    }
    state.SetLabel("target: shown within 1000 ms");
}
BENCHMARK(previewOfATwentyFourMegapixelJpeg)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    VipsImageService::shared();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
