#include "app/MainScreenView.h"
#include "batch/BatchModel.h"
#include "batch/widgets/BatchScreen.h"
#include "batch/widgets/PhotoGridView.h"
#include "batch/widgets/PhotoTableView.h"
#include "gui/MainWindowHarness.h"
#include "log/widgets/RunSummaryPanel.h"
#include "support/EventWaiting.h"
#include "support/ScriptedImageService.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>

namespace fw {
namespace {

using test::MainWindowHarness;
using test::waitUntil;

QList<bool> marks(const Batch& batch)
{
    QList<bool> result;
    for (const PhotoFilePtr& photo : batch.arraySelectedImagesToProcess())
        result.append(photo->isSelected);
    return result;
}

// Enter as a user presses it, on whatever has the keyboard focus once the
// question has taken it.
void pressEnter()
{
    ASSERT_TRUE(waitUntil([] {
        return QApplication::focusWidget() != nullptr &&
               QApplication::focusWidget()->window() == QApplication::activeModalWidget();
    }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// The focus stops Tab visits, once round from the one that has the focus.
QList<QWidget*> tabChain()
{
    QList<QWidget*> chain;
    QWidget* first = QApplication::focusWidget();
    for (int step = 0; step < 100; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.append(QApplication::focusWidget());
        if (chain.last() == first)
            break;
    }
    return chain;
}

QStringList namesOf(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (QWidget* widget : widgets)
        names.append(widget->accessibleName());
    return names;
}

TEST(KeyboardGui, EnterOnADestructiveQuestionGivesTheSafeAnswer)
{
    test::ScriptedImageService images;
    QSemaphore encoderReached;
    QSemaphore encoderGate;
    // Armed once the output step's preview has done its own writing.
    std::atomic<bool> firstEncode = false;
    images.beforeEncode = [&] {
        if (firstEncode.exchange(false)) {
            encoderReached.release();
            encoderGate.acquire();
        }
    };
    MainWindowHarness harness(images);
    // Made after the window, so a failing test lets the worker go before the
    // window waits for it.
    const auto releaseOnExit = qScopeGuard([&] { encoderGate.release(100); });
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("big", 12, 1600, 1200)}, 12));
    harness.click("Remove all");
    ASSERT_TRUE(harness.waitForSheet("Remove all photos"));
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), "No");
    pressEnter();
    EXPECT_TRUE(harness.sheetTitle().isEmpty());
    EXPECT_EQ(harness.app.batch().size(), 12);

    harness.click("Remove selected");
    ASSERT_TRUE(harness.waitForSheet("Remove selected photos"));
    pressEnter();
    EXPECT_EQ(harness.app.batch().size(), 12);

    // A photo gone from its folder: Escape keeps it in the batch.
    ASSERT_TRUE(QFile::remove(harness.app.batch().at(0)->filePath));
    PhotoTableView& table = *harness.window.batchScreen().listView();
    const QRect mark = table.visualRect(table.model()->index(0, BatchModel::Mark));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, mark.center());
    ASSERT_TRUE(harness.waitForSheet("Remove from batch"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(harness.sheetTitle().isEmpty());
    EXPECT_EQ(harness.app.batch().size(), 12);

    // Enter on "Stop processing?" lets the run go on to its end. The first
    // photo is held in its encoder until the question has been answered.
    harness.click("Next");
    harness.click("90° clockwise");
    harness.click("Next");
    ASSERT_TRUE(harness.waitForOutputPreview());
    firstEncode = true;
    ASSERT_TRUE(harness.startInto(harness.folder.makeFolder("out")));
    ASSERT_TRUE(waitUntil([&] { return encoderReached.tryAcquire(); }));
    QTest::keyClick(&harness.window, Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(harness.waitForSheet("Stop processing"));
    pressEnter();
    EXPECT_FALSE(harness.window.mainScreen().vwProcessing().isOnHold());
    encoderGate.release();
    ASSERT_TRUE(harness.waitForRunToEnd());
    EXPECT_TRUE(harness.window.isVisible());
    EXPECT_EQ(QDir(harness.folder.filePath("out")).entryList(QDir::Files).size(), 11)
        << "every photo but the missing one";
}

TEST(KeyboardGui, TabGoesThroughWhatIsSeenAndSpaceMarksTheCurrentPhoto)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("p", 3)}, 3));
    harness.button("1  Photos")->setFocus();
    const QList<QWidget*> chain = tabChain();
    const QStringList names = namesOf(chain);
    for (QWidget* stop : chain) {
        EXPECT_TRUE(stop->isVisible()) << stop->metaObject()->className();
        EXPECT_FALSE(stop->accessibleName().isEmpty()) << stop->metaObject()->className();
    }
    const qsizetype list = names.indexOf("Photos in the batch");
    ASSERT_GE(list, 0);
    EXPECT_EQ(names.count("Photos in the batch"), 1) << "Tab leaves the list";
    EXPECT_LT(names.indexOf("Add photos"), names.indexOf("Grid"));
    EXPECT_LT(names.indexOf("Large grid"), list);
    EXPECT_EQ(names.indexOf("Next"), list + 1) << names.join(", ").toStdString();

    PhotoTableView& table = *harness.window.batchScreen().listView();
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_Down);
    const int row = table.currentIndex().row();
    QTest::keyClick(&table, Qt::Key_Space);
    QList<bool> expected(3, true);
    expected[row] = false;
    EXPECT_EQ(marks(harness.app.batch()), expected);

    // A screen reader's toggle action switches the view as a click does.
    QAccessibleInterface* gridButton =
        QAccessible::queryAccessibleInterface(harness.button("Grid"));
    ASSERT_NE(gridButton, nullptr);
    ASSERT_NE(gridButton->actionInterface(), nullptr);
    gridButton->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    PhotoGridView& grid = *harness.window.batchScreen().gridView();
    ASSERT_TRUE(waitUntil([&] { return grid.isVisible(); }));
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(row, BatchModel::Name));
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(marks(harness.app.batch()), QList<bool>(3, true));
}

TEST(KeyboardGui, ScreenReadersReadEveryCellAndEachFigureWithItsCaption)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("p", 2, 64, 48)}, 2));
    PhotoTableView& table = *harness.window.batchScreen().listView();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    const auto cellText = [&](int column) {
        QAccessibleInterface* cell = list->tableInterface()->cellAt(0, column);
        return cell != nullptr ? cell->text(QAccessible::Name) : QString();
    };
    EXPECT_EQ(cellText(BatchModel::Type), "jpg");
    EXPECT_EQ(cellText(BatchModel::Dimensions), "64 × 48");
    EXPECT_EQ(cellText(BatchModel::FileSize), harness.app.batch().at(0)->fileSizeAsString);

    ASSERT_TRUE(harness.startRunInto(harness.folder.makeFolder("out")));
    ASSERT_TRUE(harness.waitForRunToEnd());
    QStringList figures;
    for (RunSummaryPanel* panel : harness.window.findChildren<RunSummaryPanel*>()) {
        if (!panel->isVisible())
            continue;
        for (QLabel* label : panel->findChildren<QLabel*>())
            figures.append(label->accessibleName());
    }
    EXPECT_TRUE(figures.contains("Photos converted: 2")) << figures.join(" | ").toStdString();
}

} // namespace
} // namespace fw
