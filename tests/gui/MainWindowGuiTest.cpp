#include "app/MainScreenView.h"
#include "app/MainWindowController.h"
#include "batch/BatchModel.h"
#include "batch/widgets/BatchScreen.h"
#include "batch/widgets/PhotoInfoPopup.h"
#include "batch/widgets/PhotoTableView.h"
#include "core/NotificationNames.h"
#include "core/ProductInfo.h"
#include "gui/MainWindowHarness.h"
#include "support/EventWaiting.h"
#include "support/TestImages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace fw {
namespace {

using test::MainWindowHarness;
using test::waitUntil;

QFileDialog* openFileDialog(const MainWindow& window)
{
    QFileDialog* found = nullptr;
    waitUntil(
        [&] {
            for (QFileDialog* dialog : window.findChildren<QFileDialog*>()) {
                if (dialog->isVisible())
                    found = dialog;
            }
            return found != nullptr;
        },
        10000);
    return found;
}

// Types the folder's path into the panel and presses its button.
void chooseFolder(QFileDialog& panel, const QString& folder)
{
    panel.selectFile(folder);
    QMetaObject::invokeMethod(&panel, "accept");
}

QList<bool> marks(const Batch& batch)
{
    QList<bool> result;
    for (const PhotoFilePtr& photo : batch.arraySelectedImagesToProcess())
        result.append(photo->isSelected);
    return result;
}

void clickCell(PhotoTableView& table, int row, int column)
{
    const QRect cell = table.visualRect(table.model()->index(row, column));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
}

QString informationLine(BatchScreen& screen)
{
    for (QLabel* label : screen.findChildren<QLabel*>()) {
        if (label->text().contains("Batch Count"))
            return label->text();
    }
    return {};
}

TEST(MainWindowGui, AddFolderAndDropFillTheListWhichMarksAndRemovesAsTheUserAsks)
{
    MainWindowHarness harness;
    EXPECT_FALSE(harness.window.windowIcon().pixmap(48, 48).isNull()) << "the program's icon";
    const QString trip = harness.photoFolder("trip", 3);
    harness.click("Add folder");
    QFileDialog* panel = openFileDialog(harness.window);
    ASSERT_NE(panel, nullptr);
    chooseFolder(*panel, trip);
    ASSERT_TRUE(waitUntil([&] {
        return harness.app.batch().size() == 3 &&
               !harness.window.mainScreen().addPhotosView().isAdding();
    }));
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("more", 2)}, 5));

    PhotoTableView& table = *harness.window.batchScreen().listView();
    EXPECT_TRUE(table.isVisible());
    EXPECT_EQ(table.model()->rowCount(), 5);
    EXPECT_TRUE(waitUntil([&] {
        return !table.model()->index(0, 0).data(BatchModel::ThumbnailRole).value<QImage>().isNull();
    })) << "the thumbnail arrives";
    EXPECT_TRUE(informationLine(harness.window.batchScreen()).contains("5")) << "the footer line";

    clickCell(table, 1, BatchModel::Mark);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>({true, false, true, true, true}));
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>({true, false, true, true, true}))
        << "only Ctrl+A marks all";
    QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>(5, true));
    QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>(5, false));

    clickCell(table, 0, BatchModel::Mark);
    clickCell(table, 4, BatchModel::Mark);
    harness.click("Remove selected");
    ASSERT_TRUE(harness.waitForSheet("Remove selected photos"));
    harness.click("Yes");
    EXPECT_EQ(harness.app.batch().size(), 3);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>(3, true));
    EXPECT_TRUE(harness.sheetTitle().isEmpty());
}

TEST(MainWindowGui, TheFileTypeBoxFiltersWhatTheAddPanelsAdd)
{
    MainWindowHarness harness;
    const QString mixed = harness.photoFolder("mixed", 2);
    test::markedPicture(32, 24).pngsave(QFile::encodeName(mixed + "/picture.PNG").constData());
    auto* types = harness.window.batchScreen().findChild<QComboBox*>();
    ASSERT_NE(types, nullptr);
    types->setCurrentIndex(types->findText("*.PNG"));
    harness.click("Add folder");
    QFileDialog* panel = openFileDialog(harness.window);
    ASSERT_NE(panel, nullptr);
    chooseFolder(*panel, mixed);
    ASSERT_TRUE(waitUntil([&] { return !harness.window.mainScreen().addPhotosView().isAdding(); }));
    ASSERT_EQ(harness.app.batch().size(), 1);
    EXPECT_EQ(harness.app.batch().at(0)->fileName, "picture.PNG");
}

TEST(MainWindowGui, StepsNeedPhotosMarkedPhotosAndAChosenPreset)
{
    MainWindowHarness harness;
    EXPECT_FALSE(harness.button("Next")->isEnabled()) << "an empty batch cannot go on";
    harness.click("2  Resize");
    ASSERT_TRUE(harness.waitForSheet("No photos added"));
    harness.click("OK");

    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("set", 2)}, 2));
    PhotoTableView& table = *harness.window.batchScreen().listView();
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
    harness.click("Next");
    ASSERT_TRUE(harness.waitForSheet("No photos selected"));
    harness.click("OK");
    EXPECT_EQ(harness.window.mainScreen().state().step, Step::Photos);

    QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
    harness.click("Next");
    EXPECT_EQ(harness.window.mainScreen().state().step, Step::Resize);
    EXPECT_EQ(harness.window.controller().state().selectedTab, Step::Resize);
    harness.click("Saved size");
    harness.click("Next");
    ASSERT_TRUE(harness.waitForSheet("No preset selected"));
    harness.click("OK");
    EXPECT_EQ(harness.window.mainScreen().state().step, Step::Resize) << "the step stays";
}

TEST(MainWindowGui, AnAlertAskedForWhileAPanelIsOpenAppearsWhenItCloses)
{
    MainWindowHarness harness;
    harness.click("Add photos");
    QFileDialog* panel = openFileDialog(harness.window);
    ASSERT_NE(panel, nullptr);
    harness.window.notifications().post(NotificationName::notificationShowAlertWithType,
                                        {{"type", AlertTag::NoPhotosAdded}});
    QTest::qWait(50);
    EXPECT_TRUE(harness.sheetTitle().isEmpty());

    panel->reject();
    EXPECT_TRUE(harness.waitForSheet("No photos added"));
}

TEST(MainWindowGui, QuittingDuringARunAsksFirstAndQuitsOnceTheWorkerHasLeft)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("big", 40, 1600, 1200)}, 40));
    harness.click("Next");
    harness.click("Next");
    harness.click("Start");
    QFileDialog* chooser = openFileDialog(harness.window);
    ASSERT_NE(chooser, nullptr);
    chooseFolder(*chooser, harness.folder.makeFolder("out"));
    ASSERT_TRUE(waitUntil([&] { return harness.app.isProcessingInProgress(); }));

    QSignalSpy quit(&harness.window.controller(), &MainWindowController::quitRequested);
    QTest::keyClick(&harness.window, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_TRUE(harness.waitForSheet("Stop processing"));
    EXPECT_TRUE(harness.window.mainScreen().vwProcessing().isOnHold());
    harness.click("No");
    EXPECT_FALSE(harness.window.mainScreen().vwProcessing().isOnHold());

    QTest::keyClick(&harness.window, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_TRUE(harness.waitForSheet("Stop processing"));
    harness.click("Yes");
    ASSERT_TRUE(waitUntil([&] { return quit.count() == 1; }));
    EXPECT_FALSE(harness.app.isProcessingInProgress());
    EXPECT_FALSE(harness.window.isVisible());
    EXPECT_LT(harness.window.mainScreen().vwProcessing().totalProgressed(), 40);
}

TEST(MainWindowGui, AFileNamedLikeMarkupShowsItsNameLiterally)
{
    MainWindowHarness harness;
    const QString name = "<img src=x>.jpg";
    const QString path = harness.folder.filePath(name);
    test::saveJpeg(test::markedPicture(40, 30), path);
    ASSERT_TRUE(harness.dropAndWait({path}, 1));

    PhotoTableView& table = *harness.window.batchScreen().listView();
    const QRect cell = table.visualRect(table.model()->index(0, BatchModel::Name));
    QHelpEvent help(QEvent::ToolTip, cell.center(), table.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(table.viewport(), &help);
    EXPECT_TRUE(QToolTip::text().contains(name.toHtmlEscaped()));

    clickCell(table, 0, BatchModel::Info);
    PhotoInfoPopup* popup = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (popup = harness.window.findChild<PhotoInfoPopup*>()); }));
    QLabel* shown = nullptr;
    for (QLabel* label : popup->findChildren<QLabel*>()) {
        if (label->text() == name)
            shown = label;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->textFormat(), Qt::PlainText);
}

TEST(MainWindowGui, TheRatePromptComesAtTheSeventhLaunchAndYesOpensTheProjectPage)
{
    MainWindowHarness harness;
    harness.store.setValue("appOpenedCount", 5);
    harness.window.controller().applicationDidFinishLaunching();
    QTest::qWait(400);
    EXPECT_TRUE(harness.sheetTitle().isEmpty()) << "the sixth launch";

    harness.window.controller().applicationDidFinishLaunching();
    ASSERT_TRUE(harness.waitForSheet("Rate us"));
    harness.click("Yes");
    EXPECT_EQ(harness.openedPages, QStringList{ProductInfo::homepage()});
    EXPECT_EQ(harness.store.value("appVersion").toString(), ProductInfo::version());
}

} // namespace
} // namespace fw
