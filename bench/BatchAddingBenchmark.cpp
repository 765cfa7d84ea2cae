// The batch screen's two scale targets: adding a folder of 10,000 small JPEGs
// (header reads only) takes under 5 s, and a batch of 100,000 photos costs
// under 100 MB, about 1 KB a photo, for the records and the duplicate check.
#include "app/AppDelegate.h"
#include "batch/AddPhotosVC.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "core/Utils.h"
#include "platform/VipsImageService.h"
#include "support/BenchPhotos.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>
#include <vips/vips8>

namespace {

using fw::bench::folderOfSmallJpegs;
using fw::bench::recordLike;
using fw::bench::residentBytes;

constexpr int batchPhotoCount = 100000;

class LoggedMessages : public fw::ModalMessages {
public:
    void showMessage(const QString& text, const QString& informativeText) override
    {
        std::fprintf(stderr, "message: %s %s\n", qPrintable(text), qPrintable(informativeText));
    }
};

double heapBytesInUse()
{
    return static_cast<double>(mallinfo2().uordblks);
}

// Runs the main thread's event loop, as the program does, until the
// operation has ended; polling would add its own delay to every photo.
bool waitUntilIdle(const fw::AddPhotosVC& screen)
{
    QEventLoop loop;
    QObject::connect(&screen, &fw::AddPhotosVC::changed, &loop, [&] {
        if (!screen.isAdding())
            loop.quit();
    });
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    if (screen.isAdding())
        loop.exec();
    return !screen.isAdding();
}

void addFolderOf10000SmallJpegs(benchmark::State& state)
{
    const QString folder = folderOfSmallJpegs();
    fw::AppDelegate app(fw::VipsImageService::shared(), {"en"});
    for (auto _ : state) {
        state.PauseTiming();
        fw::NotificationCenter notifications;
        LoggedMessages messages;
        app.batch().clear();
        fw::AddPhotosVC screen(app.batch(), app.strings(), app.flags(), app.dialogs(),
                               app.imageService(), notifications, messages);
        const double heapBefore = heapBytesInUse();
        state.ResumeTiming();

        notifications.post("FileDragDropNotification", {{"paths", QStringList{folder}}});
        if (!waitUntilIdle(screen))
            state.SkipWithError("the adding operation did not end");

        state.PauseTiming();
        state.counters["photos"] = static_cast<double>(app.batch().size());
        // The batch is kept, so what the operation left on the heap is what
        // its photos cost, as the program really builds them.
        state.counters["heap_per_photo_B"] =
            (heapBytesInUse() - heapBefore) / std::max(1, screen.totalPhotoToAdd);
        state.ResumeTiming();
    }
    state.SetLabel("target: under 5 s");
}
BENCHMARK(addFolderOf10000SmallJpegs)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

void batchOf100000Photos(benchmark::State& state)
{
    const QString folder = folderOfSmallJpegs();
    const fw::PhotoFilePtr real = fw::PhotoFile::initWithFileUrl(folder + "/photo_00000.jpg", false,
                                                                 fw::VipsImageService::shared());
    for (auto _ : state) {
        fw::AppDelegate app(fw::VipsImageService::shared(), {"en"});
        fw::NotificationCenter notifications;
        LoggedMessages messages;
        fw::AddPhotosVC screen(app.batch(), app.strings(), app.flags(), app.dialogs(),
                               app.imageService(), notifications, messages);
        const double heapBefore = heapBytesInUse();
        const double residentBefore = residentBytes();

        QList<fw::PhotoFilePtr> photos;
        for (int index = 0; index < batchPhotoCount; ++index) {
            const QString path =
                QString("%1/Holiday 2024/photo_%2.jpg").arg(folder).arg(index, 6, 10, QChar('0'));
            photos.append(recordLike(*real, path));
        }
        app.batch().append(photos);

        const double heapPerPhoto = (heapBytesInUse() - heapBefore) / batchPhotoCount;
        const double residentPerPhoto = (residentBytes() - residentBefore) / batchPhotoCount;
        state.counters["heap_per_photo_B"] = heapPerPhoto;
        state.counters["rss_per_photo_B"] = residentPerPhoto;
        state.counters["batch_heap_MB"] = heapPerPhoto * batchPhotoCount / 1e6;
    }
    state.SetLabel("target: under 100 MB, about 1 KB a photo");
}
BENCHMARK(batchOf100000Photos)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
