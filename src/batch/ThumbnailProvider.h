#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <optional>

namespace fw {

class ImageService;

// Thumbnails of the batch for one view (the grid or the list), made off the
// main thread, at most two at a time, and kept in a cache with a memory
// budget: a large batch evicts the thumbnails used longest ago, and a view
// asks again for those that scroll back into sight.
//
// Main thread only, apart from the maker, which runs on the provider's own
// threads. Results arrive on the main thread through the signals.
class ThumbnailProvider : public QObject {
    Q_OBJECT
public:
    // Makes the thumbnail of the file at the path, fitted into the box with
    // its proportions kept, ready to draw; a null image when the file gives
    // no picture. Called on the provider's threads, so the main thread never
    // decodes anything.
    using Maker = std::function<QImage(const QString& path, QSize box)>;

    ThumbnailProvider(QSize box, qint64 budgetInBytes, Maker maker, QObject* parent = nullptr);
    ~ThumbnailProvider() override;

    // The maker of the batch screen: the shared thumbnail rule of Utils.
    static Maker makerFor(const ImageService& images);

    QSize box() const { return thumbnailBox; }

    // The cached thumbnail of the path, if it is still in the cache.
    std::optional<QImage> cachedThumbnail(const QString& path);
    // Starts making the thumbnail unless it is cached or on its way; a cached
    // one is delivered at once.
    void requestThumbnail(const QString& path);
    // Drops the requests that have not started: the rows they were for have
    // scrolled away. Thumbnails being made still arrive and are cached.
    void cancelPendingRequests();
    // Drops every request and empties the cache; thumbnails being made are
    // thrown away when they arrive. For a batch that was emptied and a screen
    // that is cleared.
    void closeBackgroundOperations();

    qint64 cachedBytes() const { return cache.totalCost(); }
    int pendingRequests() const { return static_cast<int>(requested.size()); }
    int runningTasks() const { return pool.activeThreadCount(); }
    qint64 budget() const { return cache.maxCost(); }

Q_SIGNALS:
    void thumbnailReady(const QString& path, const QImage& image);
    void thumbnailNotAvailable(const QString& path);
    // The requests that had not started were dropped; ask again for the
    // rows still in sight.
    void pendingRequestsCancelled();

private:
    void deliver(const QString& path, const QImage& thumbnail, int generation);
    static qint64 costOf(const QImage& image);

    const QSize thumbnailBox;
    const Maker maker;
    QThreadPool pool;
    QCache<QString, QImage> cache;
    QSet<QString> requested;
    // Raised by closeBackgroundOperations; results of an older generation are
    // for a batch that no longer exists.
    int generation = 0;
};

} // namespace fw
