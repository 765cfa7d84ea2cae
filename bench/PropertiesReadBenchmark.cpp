// Reading a photo's properties must never decode its pixels: on a 24 MP JPEG
// it costs a header parse and an EXIF read, a few milliseconds at most.
// Previews must not decode the whole photo either.
#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <vips/vips8>

namespace {

// A photo-like 24 MP JPEG: smooth colour fields with a mild grain, so that
// its entropy coding weighs what a camera's would.
QString largeJpegPath()
{
    const QString path = QDir::temp().filePath("framewright-bench-24mp-photo.jpg");
    if (!QFile::exists(path)) {
        fw::VipsImageService::shared();
        using vips::VImage;
        auto channel = [](int seed) {
            const VImage field = VImage::perlin(
                6000, 4000, VImage::option()->set("cell_size", 512)->set("seed", seed));
            const VImage grain = VImage::gaussnoise(
                6000, 4000, VImage::option()->set("sigma", 3)->set("seed", seed));
            return field * 90 + grain + 128;
        };
        VImage::bandjoin({channel(1), channel(2), channel(3)})
            .cast(VIPS_FORMAT_UCHAR)
            .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
            .jpegsave(path.toUtf8().constData(), VImage::option()->set("Q", 90));
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

// The batch screen's preview of a 24 MP photo shrinks on load (JPEG at 1/8),
// so it costs a fraction of decoding the photo at its own size, shown beside.
void previewOf24MegapixelJpegAt404x414(benchmark::State& state)
{
    const QString path = largeJpegPath();
    const fw::ImageService& images = fw::VipsImageService::shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(images.uprightPreview(path, 404, 414)->inMemory());
}
BENCHMARK(previewOf24MegapixelJpegAt404x414)->Unit(benchmark::kMillisecond);

void fullDecodeOf24MegapixelJpeg(benchmark::State& state)
{
    const QString path = largeJpegPath();
    const fw::ImageService& images = fw::VipsImageService::shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(images.decodeAsStored(path)->inMemory());
}
BENCHMARK(fullDecodeOf24MegapixelJpeg)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
