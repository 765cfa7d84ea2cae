#include "batch/ThumbnailProvider.h"

#include "core/Utils.h"

#include <QMetaObject>

namespace fw {

namespace {

} // namespace

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
    return [&images](const QString& path, QSize box) -> std::optional<Image> {
        const auto thumbnail =
            Utils(images).getThumbnailImageAtFilePath(path, box.width(), box.height());
        if (!thumbnail || !thumbnail->isValid())
            return std::nullopt;
        // A decoded picture streams from its file and can be read once; a cached
        // thumbnail is read whenever its row is shown again.
        return thumbnail->inMemory();
    };
}

std::optional<Image> ThumbnailProvider::cachedThumbnail(const QString& path)
{
    if (const Image* thumbnail = cache.object(path))
        return *thumbnail;
    return std::nullopt;
}

void ThumbnailProvider::requestThumbnail(const QString& path)
{
    if (const Image* thumbnail = cache.object(path)) {
        Q_EMIT thumbnailReady(path, *thumbnail);
        return;
    }
    if (requested.contains(path))
        return;
    requested.insert(path);
    pool.start([this, path, box = thumbnailBox, make = maker, requestGeneration = generation] {
        const std::optional<Image> thumbnail = make(path, box);
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
}

void ThumbnailProvider::closeBackgroundOperations()
{
    cancelPendingRequests();
    cache.clear();
    ++generation;
}

void ThumbnailProvider::deliver(const QString& path, const std::optional<Image>& thumbnail,
                                int requestGeneration)
{
    if (requestGeneration != generation)
        return;
    requested.remove(path);
    if (!thumbnail) {
        Q_EMIT thumbnailNotAvailable(path);
        return;
    }
    cache.insert(path, new Image(*thumbnail), costOf(*thumbnail));
    Q_EMIT thumbnailReady(path, *thumbnail);
}

qint64 ThumbnailProvider::costOf(const Image& image)
{
    return static_cast<qint64>(image.width()) * image.height() * image.bands();
}

} // namespace fw
