#include "batch/ThumbnailProvider.h"

#include "core/Utils.h"

#include <QMetaObject>

namespace fw {

ThumbnailProvider::ThumbnailProvider(QSize box, qint64 budgetInBytes, Maker maker, QObject* parent)
    : QObject(parent), thumbnailBox(box), maker(std::move(maker)), cache(budgetInBytes)
{
    pool.setMaxThreadCount(2);
}

ThumbnailProvider::~ThumbnailProvider()
{
    pool.clear();
    pool.waitForDone();
}

ThumbnailProvider::Maker ThumbnailProvider::makerFor(const ImageService& images)
{
    return [&images](const QString& path, QSize box) {
        const auto thumbnail =
            Utils(images).getThumbnailImageAtFilePath(path, box.width(), box.height());
        return thumbnail ? thumbnail->toQImage() : QImage();
    };
}

std::optional<QImage> ThumbnailProvider::cachedThumbnail(const QString& path)
{
    if (const QImage* thumbnail = cache.object(path))
        return *thumbnail;
    return std::nullopt;
}

void ThumbnailProvider::requestThumbnail(const QString& path)
{
    if (const QImage* thumbnail = cache.object(path)) {
        Q_EMIT thumbnailReady(path, *thumbnail);
        return;
    }
    if (requested.contains(path))
        return;
    requested.insert(path);
    pool.start([this, path, box = thumbnailBox, make = maker, requestGeneration = generation] {
        const QImage thumbnail = make(path, box);
        QMetaObject::invokeMethod(
            this,
            [this, path, thumbnail, requestGeneration] {
                deliver(path, thumbnail, requestGeneration);
            },
            Qt::QueuedConnection);
    });
}

void ThumbnailProvider::cancelPendingRequests()
{
    pool.clear();
    requested.clear();
    Q_EMIT pendingRequestsCancelled();
}

void ThumbnailProvider::closeBackgroundOperations()
{
    cancelPendingRequests();
    cache.clear();
    ++generation;
}

void ThumbnailProvider::deliver(const QString& path, const QImage& thumbnail, int requestGeneration)
{
    if (requestGeneration != generation)
        return;
    requested.remove(path);
    if (thumbnail.isNull()) {
        Q_EMIT thumbnailNotAvailable(path);
        return;
    }
    cache.insert(path, new QImage(thumbnail), costOf(thumbnail));
    Q_EMIT thumbnailReady(path, thumbnail);
}

qint64 ThumbnailProvider::costOf(const QImage& image)
{
    return image.sizeInBytes();
}

} // namespace fw
