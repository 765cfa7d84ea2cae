// Storing a finished run of 10,000 photos in a full history (50 runs of
// 10,000, so the oldest is pruned as well) takes under 1 s, and the main
// thread only hands the records over.
#include "log/RunHistory.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int photosPerRun = 10000;

fw::LogRecord summaryOfRun(int run)
{
    return {{"timeStamp", QString("12072026 5%1 PM").arg(run % 60)},
            {"imagesSelected", QString::number(photosPerRun)},
            {"imagesConverted", QString::number(photosPerRun)},
            {"conversionFailed", "0"},
            {"oldSize", "48.2 GB"},
            {"newSize", "6.1 GB"},
            {"saveSpace", "42.1 GB"},
            {"timeElapsed", "00:41:07"},
            {"totalOldSize", "48.2 GB"}};
}

QList<fw::LogRecord> recordsOfRun()
{
    QList<fw::LogRecord> records;
    records.reserve(photosPerRun);
    for (int photo = 0; photo < photosPerRun; ++photo) {
        const QString name = QString("IMG_%1").arg(photo, 5, 10, QChar('0'));
        records.append({{"timeStamp", "12072026 52 PM"},
                        {"inputFilename", "/home/anna/Pictures/Holiday 2026/" + name + ".JPG"},
                        {"outputFilename", "/home/anna/Pictures/Framewright/" + name + ".jpg"},
                        {"information", "Success"},
                        {"oldSize", "4.8 MB"},
                        {"newSize", "612 KB"},
                        {"ratio", "87.3%"},
                        {"save", "4.2 MB"}});
    }
    return records;
}

void storingARunOf10000PhotosInAFullHistory(benchmark::State& state)
{
    QTemporaryDir folder;
    fw::RunHistory history(folder.filePath("runs.sqlite"));
    const QList<fw::LogRecord> records = recordsOfRun();
    for (int run = 0; run < fw::RunHistory::keptRuns; ++run)
        history.addRun(summaryOfRun(run), records);
    history.waitForStores();

    int run = fw::RunHistory::keptRuns;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&history, &fw::RunHistory::runStored, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        QElapsedTimer onMainThread;
        onMainThread.start();
        history.addRun(summaryOfRun(run++), records);
        state.counters["main_thread_ms"] = static_cast<double>(onMainThread.nsecsElapsed()) / 1e6;
        loop.exec();
    }
    if (history.readRuns().runs.size() != fw::RunHistory::keptRuns)
        state.SkipWithError("the history does not hold the last 50 runs");
    state.SetLabel("target: under 1 s, off the main thread");
}
BENCHMARK(storingARunOf10000PhotosInAFullHistory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

} // namespace
