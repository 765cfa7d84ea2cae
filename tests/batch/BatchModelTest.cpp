#include "batch/BatchModel.h"

#include "batch/Batch.h"
#include "batch/ThumbnailProvider.h"
#include "core/LocalizedStrings.h"
#include "support/EventWaiting.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QImage>
#include <atomic>
#include <gtest/gtest.h>

namespace fw {
namespace {

PhotoFilePtr record(const QString& path, bool marked = true)
{
    PhotoFilePtr photo = PhotoFile::atPath(path);
    photo->width = 4000;
    photo->height = 3000;
    photo->fileSizeAsString = "1.20 MB";
    photo->isSelected = marked;
    return photo;
}

class BatchModelTest : public ::testing::Test {
protected:
    // Counted on the provider's threads, which may make two at once.
    std::atomic<int> made{0};
    Batch batch;
    LocalizedStrings strings{{"en"}};
    ThumbnailProvider thumbnails{QSize(70, 48), 1 << 20, [this](const QString& path, QSize) {
                                     ++made;
                                     return path.endsWith("missing.jpg")
                                                ? QImage()
                                                : QImage(70, 52, QImage::Format_RGB888);
                                 }};
    BatchModel model{batch, thumbnails, strings};
};

TEST_F(BatchModelTest, RowsFollowTheBatchWithTheirTextsAndMarks)
{
    int inserted = 0;
    int removed = 0;
    int changed = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    batch.append({record("/p/a.jpg"), record("/p/b.png", false), record("/p/c.jpg")});
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserted, 1);
    EXPECT_EQ(model.data(model.index(1, BatchModel::Name), Qt::DisplayRole), "b.png");
    EXPECT_EQ(model.data(model.index(1, BatchModel::Type), Qt::DisplayRole), "png");
    EXPECT_EQ(model.data(model.index(1, BatchModel::Dimensions), Qt::DisplayRole), "4000 × 3000");
    EXPECT_EQ(model.data(model.index(1, BatchModel::FileSize), Qt::DisplayRole), "1.20 MB");
    EXPECT_EQ(model.data(model.index(1, 0), BatchModel::LocationRole), "/p/b.png");
    EXPECT_EQ(model.data(model.index(1, BatchModel::Mark), Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_EQ(model.headerData(BatchModel::FileSize, Qt::Horizontal, Qt::DisplayRole).toString(),
              "File size");

    batch.setMarked(1, true);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(model.data(model.index(1, 0), BatchModel::MarkRole).toBool());
    batch.removeWhere([](const PhotoFile& photo) { return photo.fileName != "b.png"; });
    EXPECT_EQ(removed, 2) << "two separate runs of rows";
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, 0), BatchModel::NameRole), "b.png");
}

TEST_F(BatchModelTest, AHundredThousandRowsCostNoPictureUntilARowIsShown)
{
    QList<PhotoFilePtr> photos;
    for (int index = 0; index < 100000; ++index)
        photos.append(record(QStringLiteral("/p/%1.jpg").arg(index)));
    photos.append(record("/p/missing.jpg"));
    batch.append(photos);
    EXPECT_EQ(model.rowCount(), 100001);
    EXPECT_EQ(model.data(model.index(99999, 0), BatchModel::NameRole), "99999.jpg");
    EXPECT_EQ(made, 0);

    QList<int> changedRows;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& first) { changedRows.append(first.row()); });
    EXPECT_TRUE(model.data(model.index(5, 0), BatchModel::ThumbnailRole).value<QImage>().isNull());
    model.data(model.index(100000, 0), Qt::DecorationRole);
    ASSERT_TRUE(test::waitUntil([&] { return changedRows.size() == 2; }));
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(changedRows.contains(5));
    EXPECT_EQ(model.data(model.index(5, 0), BatchModel::ThumbnailRole).value<QImage>().size(),
              QSize(70, 52));
    EXPECT_EQ(made, 2) << "a shown thumbnail comes from the cache";
}

} // namespace
} // namespace fw
