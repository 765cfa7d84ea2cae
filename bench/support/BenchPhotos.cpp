#include "support/BenchPhotos.h"

#include "core/Utils.h"
#include "platform/VipsImageService.h"

#include <QDir>
#include <QFile>
#include <unistd.h>
#include <vips/vips8>

namespace fw::bench {

QString folderOfSmallJpegs()
{
    const QString folder = QDir::temp().filePath("framewright-bench-10000-jpegs");
    if (QDir(folder).entryList(QDir::Files).size() == folderPhotoCount)
        return folder;
    VipsImageService::shared();
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

QString folderWithOneLargeJpeg()
{
    const QString folder = QDir::temp().filePath("framewright-bench-24mp-jpeg");
    const QString path = folder + "/large.jpg";
    if (QFile::exists(path))
        return folder;
    VipsImageService::shared();
    QDir().mkpath(folder);
    // Smooth colour fields with a little grain: a camera photo's detail and
    // file size (about 10 MB), not incompressible noise.
    vips::VImage fields = vips::VImage::gaussnoise(600, 400,
                                                   vips::VImage::option()->set("sigma", 60.0));
    fields = fields.bandjoin({vips::VImage::gaussnoise(600, 400,
                                                        vips::VImage::option()->set("sigma", 60.0)),
                              vips::VImage::gaussnoise(600, 400,
                                                        vips::VImage::option()->set("sigma", 60.0))});
    const vips::VImage grain =
        vips::VImage::gaussnoise(6000, 4000, vips::VImage::option()->set("sigma", 6.0)) - 128;
    (fields.resize(10) + grain)
        .cast(VIPS_FORMAT_UCHAR)
        .jpegsave(path.toUtf8().constData(), vips::VImage::option()->set("Q", 90));
    return folder;
}

PhotoFilePtr recordLike(const PhotoFile& real, const QString& path)
{
    PhotoFilePtr photo = PhotoFile::atPath(path);
    photo->width = real.width;
    photo->height = real.height;
    photo->fileSizeInBytes = real.fileSizeInBytes;
    photo->fileSizeAsString = Utils::unitStringFromBytes(real.fileSizeInBytes, 0);
    photo->isSelected = true;
    return photo;
}

double residentBytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE))
                             : 0;
}

} // namespace fw::bench
