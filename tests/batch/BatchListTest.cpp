#include "batch/AddPhotosVC.h"
#include "batch/BatchInformation.h"
#include "core/LocalizedStrings.h"
#include "support/BatchScreenHarness.h"
#include "support/EventWaiting.h"

#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

namespace fw {
namespace {

using test::BatchScreenHarness;

// A batch of photos named 0.jpg, 1.jpg, ... in that order, all marked.
void addPhotos(BatchScreenHarness& harness, int count)
{
    QStringList paths;
    for (int index = 0; index < count; ++index)
        paths.append(harness.jpeg(QString("%1.jpg").arg(index)));
    ASSERT_TRUE(harness.drop(paths));
    ASSERT_EQ(harness.batch().size(), count);
    harness.recorder.clear();
}

void unmark(BatchScreenHarness& harness, const QList<int>& indices)
{
    for (int index : indices)
        harness.screen->btnCheckTappedAtLocationInTableView(index);
}

TEST(BatchList, RemovingTheMarkedPhotosLeavesTheOthersAllMarked)
{
    BatchScreenHarness harness;
    addPhotos(harness, 5);
    unmark(harness, {0, 2, 4});
    EXPECT_EQ(harness.marks(), QList<bool>({false, true, false, true, false}));

    harness.screen->btnRemovePhotoTapped();
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({113}));
    harness.screen->btnYesOnRemoveSelectedPhotoTapped();

    EXPECT_EQ(harness.batchPaths(), QStringList({"0.jpg", "2.jpg", "4.jpg"}));
    EXPECT_EQ(harness.marks(), QList<bool>(3, true));
    EXPECT_EQ(harness.app.batch().size(), 3);
    EXPECT_EQ(harness.screen->listRules().state().batchInformation.countText, "3");
    EXPECT_TRUE(harness.recorder.names().contains("notificationsPhotosModified"));

    ASSERT_TRUE(harness.drop({harness.folder.filePath("1.jpg")}));
    EXPECT_EQ(harness.batchPaths().last(), "1.jpg") << "a removed photo can come back";

    harness.recorder.clear();
    unmark(harness, {0, 1, 2, 3});
    harness.screen->btnRemovePhotoTapped();
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({116}));
    harness.app.flags().isSubWindowOpened = true;
    harness.screen->btnRemovePhotoTapped();
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({116})) << "ignored under a sheet";
}

TEST(BatchList, DeletingOneRowMarksEveryRemainingPhoto)
{
    BatchScreenHarness harness;
    addPhotos(harness, 5);
    unmark(harness, {3, 4});
    QList<int> removedRows;
    QObject::connect(&harness.app.batch(), &Batch::photosAboutToBeRemoved,
                     [&removedRows](int first, int) { removedRows.append(first); });

    harness.screen->btnDeleteTappedAtLocationInTableView(-1);
    harness.screen->btnDeleteTappedAtLocationInTableView(5);
    EXPECT_EQ(harness.batch().size(), 5);
    harness.screen->btnDeleteTappedAtLocationInTableView(0);

    EXPECT_EQ(harness.batchPaths(), QStringList({"1.jpg", "2.jpg", "3.jpg", "4.jpg"}));
    EXPECT_EQ(harness.marks(), QList<bool>(4, true));
    EXPECT_EQ(removedRows, QList<int>({0}));
    EXPECT_FALSE(harness.app.batch().contains(harness.folder.filePath("0.jpg")));

    const PhotoFilePtr second = harness.batch().at(1);
    harness.screen->photoActions().btnDeleteOnMenuOptionTapped(second);
    EXPECT_EQ(harness.batchPaths(), QStringList({"1.jpg", "3.jpg", "4.jpg"}));
    harness.screen->photoActions().btnDeleteOnMenuOptionTapped(second);
    EXPECT_EQ(harness.batch().size(), 3) << "a late click names no other photo";
}

TEST(BatchList, MarkAllTogglesEveryMarkAndTheHeaderFollows)
{
    BatchScreenHarness harness;
    const BatchListRules::State& screen = harness.screen->listRules().state();
    EXPECT_FALSE(screen.isMarkAllEnabled);
    EXPECT_FALSE(screen.isRemoveEnabled);
    EXPECT_FALSE(screen.isRemoveAllEnabled);
    addPhotos(harness, 3);
    EXPECT_TRUE(screen.isMarkAllTicked);
    EXPECT_EQ(screen.markAllLabelText, "Deselect all");

    unmark(harness, {1});
    EXPECT_FALSE(screen.isMarkAllTicked);
    EXPECT_EQ(screen.markAllLabelText, "Select all");
    harness.screen->btnMarkAllTapped();
    EXPECT_EQ(harness.marks(), QList<bool>(3, true));
    EXPECT_EQ(screen.markAllLabelText, "Deselect all");
    harness.screen->markUnmarkAll();
    EXPECT_EQ(harness.marks(), QList<bool>(3, false));
    EXPECT_FALSE(screen.isMarkAllTicked);
    EXPECT_EQ(screen.markAllLabelText, "Select all");
    EXPECT_TRUE(screen.isMarkAllEnabled);
    EXPECT_TRUE(screen.isRemoveEnabled);
}

TEST(BatchList, PhotosWhoseFilesAreGoneCannotBeMarkedAndCanBeRemoved)
{
    BatchScreenHarness harness;
    addPhotos(harness, 4);
    unmark(harness, {0});
    ASSERT_TRUE(QFile::remove(harness.folder.filePath("1.jpg")));
    ASSERT_TRUE(QFile::remove(harness.folder.filePath("3.jpg")));

    harness.screen->btnCheckTappedAtLocationInTableView(1);
    harness.screen->btnCheckboxTappedAtLocationInCollectionView(7);
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({103}));
    EXPECT_TRUE(harness.batch().at(1)->isSelected);

    harness.screen->btnRemoveFromBatchOnAlertTapped();
    ASSERT_TRUE(test::waitUntil([&] { return harness.batch().size() == 2; }));
    EXPECT_EQ(harness.batchPaths(), QStringList({"0.jpg", "2.jpg"}));
    EXPECT_EQ(harness.marks(), QList<bool>(2, true));
    EXPECT_FALSE(harness.app.batch().contains(harness.folder.filePath("3.jpg")));

    unmark(harness, {1});
    harness.recorder.clear();
    harness.screen->btnRemoveFromBatchOnAlertTapped();
    ASSERT_TRUE(test::waitUntil(
        [&] { return harness.recorder.names().contains("notificationsPhotosModified"); }));
    EXPECT_EQ(harness.batchPaths(), QStringList({"0.jpg", "2.jpg"}));
    EXPECT_EQ(harness.marks(), QList<bool>(2, true)) << "the after-adding steps ran";
}

TEST(BatchList, RemovingAllEmptiesTheBatchTheCheckAndTheThumbnails)
{
    BatchScreenHarness harness;
    addPhotos(harness, 3);
    harness.screen->listThumbnails().requestThumbnail(harness.batch().first()->filePath);
    ASSERT_TRUE(
        test::waitUntil([&] { return harness.screen->listThumbnails().cachedBytes() > 0; }));

    harness.screen->btnRemoveAllTapped();
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({114}));
    harness.screen->btnYesOnRemoveAllPhotoTapped();

    const AddPhotosVC::ScreenState& screen = harness.screen->screen();
    EXPECT_TRUE(harness.batch().isEmpty());
    EXPECT_TRUE(harness.app.batch().isEmpty());
    EXPECT_EQ(harness.screen->listThumbnails().cachedBytes(), 0);
    EXPECT_TRUE(screen.isDropHintVisible);
    EXPECT_EQ(screen.selectedPhotoIndex, -1);
    EXPECT_TRUE(harness.screen->listRules().state().batchInformation.line.isEmpty());
    EXPECT_FALSE(harness.screen->listRules().state().isRemoveAllEnabled);
    EXPECT_EQ(harness.recorder.lastUserInfo("notificationUpdateFooterInfo").value("textStr"),
              "Batch Count: 0  |  Batch Size: 0 bytes approx.  ");

    ASSERT_TRUE(harness.drop({harness.folder.filePath("0.jpg")}));
    EXPECT_EQ(harness.batch().size(), 1) << "nothing of the old batch is remembered";
}

TEST(BatchList, InformationLineCountsAndSumsEveryPhotoMarkedOrNot)
{
    BatchScreenHarness harness;
    const QString small = harness.jpegOfFileSize("small.jpg", 1500000);
    const QString large = harness.jpegOfFileSize("large.jpg", 2000000);
    ASSERT_TRUE(harness.drop({small, large}));
    unmark(harness, {0});

    harness.screen->updateBatchInformationInBottomView();
    const BatchInformation& information = harness.screen->listRules().state().batchInformation;
    EXPECT_EQ(information.line, "Batch Count: 2  |  Batch Size: 3.50 MB approx.  ");
    EXPECT_EQ(information.countText, "2");
    EXPECT_EQ(information.sizeText, "3.50 MB approx.");
    const QVariantMap footer = harness.recorder.lastUserInfo("notificationUpdateFooterInfo");
    EXPECT_EQ(footer.value("textStr"), information.line);
    EXPECT_EQ(footer.value("sizeText"), "3.50 MB approx.");

    // In German, words from its table and figures in its number format.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LocalizedStrings german({"de"});
    EXPECT_EQ(BatchInformation::forBatch(harness.batch(), german).line,
              "Anzahl im Stapel: 2  |  Größe des Stapels: 3,50 MB (ca.)  ");
    QLocale::setDefault(previous);
}

} // namespace
} // namespace fw
