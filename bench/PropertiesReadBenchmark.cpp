// Reading a photo's properties must never decode its pixels: on a 24 MP JPEG
// it costs a header parse and an EXIF read, a few milliseconds at most.
#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <vips/vips8>

namespace {

QString largeJpegPath()
{
    const QString path = QDir::temp().filePath("framewright-bench-24mp.jpg");
    if (!QFile::exists(path)) {
        fw::VipsImageService::shared();
        vips::VImage noise = vips::VImage::gaussnoise(
            6000, 4000, vips::VImage::option()->set("mean", 128)->set("sigma", 40));
        vips::VImage::bandjoin({noise, noise.rot180(), noise.flip(VIPS_DIRECTION_HORIZONTAL)})
            .cast(VIPS_FORMAT_UCHAR)
            .jpegsave(path.toUtf8().constData());
    }
    return path;
}

// The service keeps the last few dictionaries it read; links under more
// names than it keeps make every read a real one.
QStringList namesFor(const QString& path, int count)
{
    QStringList names;
    for (int index = 0; index < count; ++index) {
        const QString link = QStringLiteral("%1.%2.jpg").arg(path).arg(index);
        QFile::link(path, link);
        names << link;
    }
    return names;
}

void readPropertiesOf24MegapixelJpeg(benchmark::State& state)
{
    const QStringList paths = namesFor(largeJpegPath(), 64);
    const fw::ImageService& images = fw::VipsImageService::shared();
    qsizetype next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(images.readProperties(paths.at(next++ % paths.size())));
}
BENCHMARK(readPropertiesOf24MegapixelJpeg)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
