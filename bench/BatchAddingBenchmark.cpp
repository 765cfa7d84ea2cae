// The batch screen's two scale targets: adding a folder of 10,000 small JPEGs
// (header reads only) takes under 5 s, and a batch of 100,000 photos costs
// under 100 MB, about 1 KB a photo, for the records and the duplicate check.
#include "app/AppDelegate.h"
#include "batch/AddPhotosVC.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "core/Utils.h"
#include "platform/VipsImageService.h"

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

constexpr int folderPhotoCount = 10000;
constexpr int batchPhotoCount = 100000;

class LoggedMessages : public fw::ModalMessages {
public:
    void showMessage(const QString& text, const QString& informativeText) override
    {
        std::fprintf(stderr, "message: %s %s\n", qPrintable(text), qPrintable(informativeText));
    }
};

double residentBytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE))
                             : 0;
}

double heapBytesInUse()
{
    return static_cast<double>(mallinfo2().uordblks);
}

// 10,000 copies of one 64 x 48 JPEG, made once and kept in the temporary folder.
QString folderOfSmallJpegs()
{
    const QString folder = QDir::temp().filePath("framewright-bench-10000-jpegs");
    if (QDir(folder).entryList(QDir::Files).size() == folderPhotoCount)
        return folder;
    fw::VipsImageService::shared();
    QDir().mkpath(folder);
    VipsBlob* blob = vips::VImage::gaussnoise(64, 48).cast(VIPS_FORMAT_UCHAR).jpegsave_buffer();
    size_t length = 0;
    const void* data = vips_blob_get(blob, &length);
    const QByteArray jpeg(static_cast<const char*>(data), static_cast<qsizetype>(length));
    vips_area_unref(VIPS_AREA(blob));
    for (int index = 0; index < folderPhotoCount; ++index) {
        QFile file(QString("%1/photo_%2.jpg").arg(folder).arg(index, 5, 10, QChar('0')));
        if (file.open(QIODevice::WriteOnly))
            file.write(jpeg);
    }
    return folder;
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

// Records as the admission rule fills them: every text its own allocation,
// fileURL sharing filePath's text, as the record's constructor does.
fw::PhotoFilePtr recordLike(const fw::PhotoFile& real, const QString& path)
{
    auto photo = std::make_shared<fw::PhotoFile>();
    const QFileInfo info(path);
    photo->filePath = path;
    photo->fileURL = path;
    photo->fileName = info.fileName();
    photo->fileExtension = info.suffix();
    photo->width = real.width;
    photo->height = real.height;
    photo->fileSizeInBytes = real.fileSizeInBytes;
    photo->fileSizeAsString = fw::Utils::unitStringFromBytes(real.fileSizeInBytes, 0);
    photo->isSelected = true;
    return photo;
}

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
