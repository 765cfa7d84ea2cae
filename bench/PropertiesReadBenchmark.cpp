// Reading a photo's properties must never decode its pixels: on a 24 MP JPEG
// it costs a header parse and an EXIF read, a few milliseconds at most.
#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <vips/vips8>

namespace {

QString largeJpegPath()
{
    const QString path = QDir::temp().filePath("framewright-bench-24mp.jpg");
    if (!QFile::exists(path)) {
        fw::VipsImageService::shared();
        vips::VImage noise = vips::VImage::gaussnoise(6000, 4000, vips::VImage::option()->set("mean", 128)->set("sigma", 40));
        vips::VImage::bandjoin({noise, noise.rot180(), noise.flip(VIPS_DIRECTION_HORIZONTAL)})
            .cast(VIPS_FORMAT_UCHAR)
            .jpegsave(path.toUtf8().constData());
    }
    return path;
}

void readPropertiesOf24MegapixelJpeg(benchmark::State& state)
{
    const QString path = largeJpegPath();
    const fw::ImageService& images = fw::VipsImageService::shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(images.readProperties(path));
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
