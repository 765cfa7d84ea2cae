#include "batch/ThumbnailProvider.h"

#include "platform/VipsImageService.h"
#include "support/EventWaiting.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace fw {
namespace {

const ImageService& images()
{
    return VipsImageService::shared();
}

// Every thumbnail and refusal a provider delivered, by path, in order.
struct Deliveries {
    explicit Deliveries(ThumbnailProvider& provider)
    {
        QObject::connect(&provider, &ThumbnailProvider::thumbnailReady,
                         [this](const QString& path, const QImage& image) {
                             sizes[path] = image.size();
                             order.append(path);
                         });
        QObject::connect(&provider, &ThumbnailProvider::thumbnailNotAvailable,
                         [this](const QString& path) {
                             sizes[path] = QSize();
                             order.append(path);
                         });
    }
    QHash<QString, QSize> sizes;
    QStringList order;
};

// The cost the cache counts for the list thumbnail of a 4:3 picture: the
// shared thumbnail rule fits landscape pictures to the box's width.
const qint64 listThumbnailCost = QImage(70, 53, QImage::Format_RGB888).sizeInBytes();

TEST(ThumbnailProvider, DeliversUprightThumbnailsThatCanBeShownAgain)
{
    test::TemporaryFolder folder;
    const QString wide = folder.filePath("wide.jpg");
    test::saveJpeg(test::markedPicture(800, 600), wide);
    const QString turned = test::saveOrientedJpeg(folder.filePath("turned.jpg"), 600, 800, 6);
    const QString text = folder.writeFile("text.jpg", "not a picture");
    ThumbnailProvider provider(QSize(70, 48), 1 << 20, ThumbnailProvider::makerFor(images()));
    Deliveries delivered(provider);

    for (const QString& path : {wide, turned, text})
        provider.requestThumbnail(path);
    ASSERT_TRUE(test::waitUntil([&] { return delivered.order.size() == 3; }));

    EXPECT_EQ(delivered.sizes.value(wide), QSize(70, 53));
    EXPECT_EQ(delivered.sizes.value(turned), QSize(36, 48)) << "portrait: fitted to the height";
    EXPECT_FALSE(delivered.sizes.value(text).isValid());
    EXPECT_FALSE(provider.cachedThumbnail(text).has_value());

    // A row scrolled back into view shows the cached picture again.
    for (const QString& path : {wide, turned}) {
        const std::optional<QImage> cached = provider.cachedThumbnail(path);
        ASSERT_TRUE(cached.has_value());
        const QString out = folder.filePath("shown.png");
        ASSERT_TRUE(cached->save(out)) << path.toStdString();
        EXPECT_EQ(test::cornerMarkers(test::loadImage(out)), "RGB-");
    }
}

TEST(ThumbnailProvider, CacheKeepsToItsBudgetAndRemakesWhatItEvicted)
{
    test::TemporaryFolder folder;
    QStringList paths;
    for (int index = 0; index < 4; ++index) {
        paths.append(folder.filePath(QString("%1.jpg").arg(index)));
        test::saveJpeg(test::markedPicture(400, 300), paths.last());
    }
    ThumbnailProvider provider(QSize(70, 48), 2 * listThumbnailCost,
                               ThumbnailProvider::makerFor(images()));
    Deliveries delivered(provider);

    for (const QString& path : paths) {
        provider.requestThumbnail(path);
        ASSERT_TRUE(test::waitUntil([&] { return delivered.order.endsWith(path); }));
    }

    EXPECT_LE(provider.cachedBytes(), 2 * listThumbnailCost);
    EXPECT_FALSE(provider.cachedThumbnail(paths.first()).has_value());
    EXPECT_TRUE(provider.cachedThumbnail(paths.last()).has_value());

    delivered.order.clear();
    provider.requestThumbnail(paths.first());
    ASSERT_TRUE(test::waitUntil([&] { return delivered.order == QStringList({paths.first()}); }));
    EXPECT_EQ(delivered.sizes.value(paths.first()), QSize(70, 53));
    EXPECT_TRUE(provider.cachedThumbnail(paths.first()).has_value());
}

TEST(ThumbnailProvider, MakesAtMostTwoAtATimeAndDropsWorkWhenClosed)
{
    test::TemporaryFolder folder;
    const QString photo = folder.filePath("photo.jpg");
    test::saveJpeg(test::markedPicture(400, 300), photo);
    std::atomic<int> running = 0;
    std::atomic<int> mostRunning = 0;
    std::atomic<int> made = 0;
    const ThumbnailProvider::Maker realMaker = ThumbnailProvider::makerFor(images());
    ThumbnailProvider provider(QSize(70, 48), 1 << 20, [&](const QString&, QSize box) {
        const int now = ++running;
        mostRunning = std::max(mostRunning.load(), now);
        QThread::msleep(30);
        auto thumbnail = realMaker(photo, box);
        --running;
        ++made;
        return thumbnail;
    });
    Deliveries delivered(provider);

    for (int index = 0; index < 6; ++index)
        provider.requestThumbnail(QString("row %1").arg(index));
    provider.requestThumbnail("row 0");
    ASSERT_TRUE(test::waitUntil([&] { return delivered.order.size() == 6; }));
    EXPECT_EQ(mostRunning, 2);
    EXPECT_EQ(made, 6) << "a request already on its way is not made twice";

    made = 0;
    for (int index = 6; index < 12; ++index)
        provider.requestThumbnail(QString("row %1").arg(index));
    provider.closeBackgroundOperations();
    EXPECT_EQ(provider.cachedBytes(), 0);
    ASSERT_TRUE(test::waitUntil([&] { return running == 0; }));
    EXPECT_FALSE(test::waitUntil([&] { return delivered.order.size() > 6; }, 200))
        << "thumbnails made for the old batch are not shown";
    EXPECT_LE(made, 2) << "requests that had not started are dropped";
    EXPECT_EQ(provider.cachedBytes(), 0);
}

} // namespace
} // namespace fw
