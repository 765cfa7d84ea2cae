#include "app/MainScreenView.h"
#include "app/MainWindowController.h"
#include "app/TerminationSignals.h"
#include "core/Codes.h"
#include "gui/MainWindowHarness.h"
#include "log/LogDetailView.h"
#include "log/LogTableModel.h"
#include "log/widgets/LogWindow.h"
#include "platform/SqliteStore.h"
#include "processing/widgets/OverwriteSheet.h"
#include "support/EventWaiting.h"
#include "support/ScriptedImageService.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QImageReader>
#include <QLoggingCategory>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace fw {
namespace {

using test::MainWindowHarness;
using test::waitUntil;

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// The visible label that shows the text, anywhere in the widget.
QLabel* labelShowing(QWidget& root, const QString& text)
{
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (label->isVisible() && label->text() == text)
            return label;
    }
    return nullptr;
}

QTableView* visibleTable(QWidget& root)
{
    for (QTableView* table : root.findChildren<QTableView*>()) {
        if (table->isVisible() && qobject_cast<LogTableModel*>(table->model()))
            return table;
    }
    return nullptr;
}

// The visible control with the accessible name, anywhere in the window.
template <typename Control> Control* control(QWidget& root, const QString& name)
{
    for (Control* candidate : root.findChildren<Control*>()) {
        if (candidate->isVisible() && candidate->accessibleName() == name)
            return candidate;
    }
    ADD_FAILURE() << "no visible control named " << name.toStdString();
    return nullptr;
}

// On the size step: a custom width of 32 pixels, keeping the aspect ratio.
void chooseWidthOf32(MainWindowHarness& harness)
{
    harness.click("Keep original size");
    harness.click("Custom size (pixels)");
    auto* width = control<QLineEdit>(harness.window, "Custom size (pixels) W");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "32");
}

// On the output step: convert to PNG from the format list.
void chooseToConvertToPng(MainWindowHarness& harness)
{
    harness.click("Convert to");
    harness.click("Choose the output format");
    auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    list->actions().at(FormatIndex::Png)->trigger();
}

QSize sizeOf(const QString& path)
{
    return QImageReader(path).size();
}

TEST(RunWindowGui, TheWholeJobShowsProgressSummaryAndLogAndCanBeDoneAgain)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("trip", 4)}, 4));
    harness.click("Next");
    chooseWidthOf32(harness);
    harness.click("Next");
    chooseToConvertToPng(harness);
    const QString out = harness.folder.makeFolder("Web Copies");
    ASSERT_TRUE(harness.startInto(out));
    ASSERT_TRUE(harness.waitForRunToEnd());

    EXPECT_EQ(filesIn(out), QStringList({"0.png", "1.png", "2.png", "3.png"}))
        << "the chosen folder keeps its case";
    EXPECT_EQ(sizeOf(out + "/0.png"), QSize(32, 24));
    EXPECT_NE(labelShowing(harness.window, "4"), nullptr) << "photos selected and converted";
    QTableView* log = visibleTable(harness.window);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->model()->rowCount(), 4);
    EXPECT_EQ(log->model()->index(0, LogTableModel::OutputFile).data().toString(), out + "/0.png");

    harness.click("Finish");
    const QString again = harness.folder.makeFolder("again");
    ASSERT_TRUE(harness.startRunInto(again)) << "the batch and the choices are kept";
    ASSERT_TRUE(harness.waitForRunToEnd());
    EXPECT_EQ(filesIn(again).size(), 4);
    EXPECT_EQ(sizeOf(again + "/3.png"), QSize(32, 24));
}

QFileDialog* visibleChooser(QWidget& window)
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

TEST(RunWindowGui, StartHonoursTheDestinationChoiceAndRefusesOneThatCannotBeWritten)
{
    MainWindowHarness harness;
    const QString sources = harness.photoFolder("src", 2);
    ASSERT_TRUE(harness.dropAndWait({sources}, 2));
    harness.click("Next");
    harness.click("Next");
    const QString chosen = harness.folder.makeFolder("Chosen");
    harness.click("Select destination folder");
    QFileDialog* panel = visibleChooser(harness.window);
    ASSERT_NE(panel, nullptr);
    panel->selectFile(chosen);
    QMetaObject::invokeMethod(panel, "accept");

    harness.click("Start");
    QFileDialog* start = visibleChooser(harness.window);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->directory().absolutePath(), chosen) << "opens on the chosen folder";
    QMetaObject::invokeMethod(start, "accept");
    ASSERT_TRUE(harness.waitForRunToEnd());
    EXPECT_EQ(filesIn(chosen).size(), 2);

    harness.click("Finish");
    harness.click("Next");
    harness.click("Next");
    harness.click("Beside each original");
    harness.click("Start");
    ASSERT_TRUE(harness.waitForRunToEnd()) << "no folder to choose";
    EXPECT_TRUE(harness.window.findChildren<QFileDialog*>().isEmpty() ||
                !harness.window.findChild<QFileDialog*>()->isVisible());
    EXPECT_EQ(filesIn(sources).size(), 4) << "each output beside its original";

    harness.click("Finish");
    harness.click("Next");
    harness.click("Next");
    harness.click("Into one folder");
    // A folder no one may write to, root included: immutable.
    const QString locked = harness.folder.makeFolder("Locked");
    if (QProcess::execute("chattr", {"+i", locked}) != 0)
        GTEST_SKIP() << "this file system cannot make a folder immutable";
    const auto unlock = qScopeGuard([&] { QProcess::execute("chattr", {"-i", locked}); });
    harness.click("Start");
    QFileDialog* refused = visibleChooser(harness.window);
    ASSERT_NE(refused, nullptr);
    refused->selectFile(locked);
    QMetaObject::invokeMethod(refused, "accept");
    ASSERT_TRUE(waitUntil([&] { return harness.sheetTitle().contains(locked); }))
        << harness.sheetTitle().toStdString();
    EXPECT_FALSE(harness.app.isProcessingInProgress()) << "no photo is tried";
    EXPECT_EQ(harness.window.mainScreen().state().step, Step::Settings);
}

// Standard error as the test's own output sees it, kept while in scope.
class StandardErrorCapture {
public:
    explicit StandardErrorCapture(const QString& file)
        : saved(::dup(STDERR_FILENO)),
          target(::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600))
    {
        ::dup2(target, STDERR_FILENO);
    }
    ~StandardErrorCapture()
    {
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        ::close(target);
    }

private:
    int saved;
    int target;
};

TEST(RunWindowGui, HoldAndResumeKeepTheQuestionRuleAndASkipIsNoError)
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
    const auto releaseOnExit = qScopeGuard([&] { encoderGate.release(100); });
    // One photo in hand at a time: the one held in its encoder.
    harness.window.mainScreen().vwProcessing().setPhotosInFlight(1);
    const QString photos = harness.folder.makeFolder("tagged");
    for (int index = 0; index < 3; ++index)
        test::saveOrientedJpeg(QStringLiteral("%1/%2.jpg").arg(photos).arg(index), 60, 40, 6);
    ASSERT_TRUE(harness.dropAndWait({photos}, 3));
    const QString out = harness.folder.makeFolder("out");
    harness.folder.writeFile("out/1.jpg", "in the way");
    harness.click("Next");
    harness.click("90° clockwise");
    harness.click("Next");

    // Diagnostics stay off unless asked for, also here where the tests
    // quieten only their debug lines.
    QLoggingCategory::setFilterRules({});
    const auto quietAgain = qScopeGuard(
        [] { QLoggingCategory::setFilterRules(QStringLiteral("framewright.*.debug=false")); });
    const QString errors = harness.folder.filePath("stderr.txt");
    std::optional<StandardErrorCapture> capture(std::in_place, errors);
    ASSERT_TRUE(harness.waitForOutputPreview());
    firstEncode = true;
    ASSERT_TRUE(harness.startInto(out));
    ASSERT_TRUE(waitUntil([&] { return encoderReached.tryAcquire(); }));
    harness.click("Hold");
    EXPECT_TRUE(harness.window.mainScreen().vwProcessing().isHeldByUser());
    EXPECT_NE(harness.button("Resume"), nullptr);
    encoderGate.release();
    ASSERT_TRUE(waitUntil(
        [&] { return harness.window.mainScreen().vwProcessing().totalProgressed() == 1; }));
    harness.click("Resume");
    // A resumed run asks about an output in its way, as after the close
    // question.
    ASSERT_TRUE(waitUntil([&] { return harness.window.mainScreen().isOverwriteSheetShown(); }));
    harness.click("Skip");
    ASSERT_TRUE(harness.waitForRunToEnd());
    capture.reset();

    const ProcessingView& run = harness.window.mainScreen().vwProcessing();
    EXPECT_EQ(run.processedWithError(), 0);
    EXPECT_EQ(run.summary().lblImagesSkipped, "1");
    EXPECT_EQ(run.summary().lblConversionFailed, "0");
    EXPECT_NE(labelShowing(harness.window, "1"), nullptr);
    const QByteArray printed = test::readBytes(errors);
    EXPECT_FALSE(printed.contains("framewright") || printed.contains("rotating"))
        << "no diagnostics on standard error: " << printed.toStdString();
}

TEST(RunWindowGui, ATerminationSignalEndsTheRunAsClosingDoesAndKeepsItsSummary)
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
    const auto releaseOnExit = qScopeGuard([&] { encoderGate.release(100); });
    // One photo in hand at a time: the one held in its encoder.
    harness.window.mainScreen().vwProcessing().setPhotosInFlight(1);
    const TerminationSignals signals;
    QObject::connect(&signals, &TerminationSignals::received, &harness.window.controller(),
                     &MainWindowController::sessionEnding);
    QSignalSpy quit(&harness.window.controller(), &MainWindowController::quitRequested);
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("p", 5)}, 5));
    harness.click("Next");
    harness.click("90° clockwise");
    harness.click("Next");
    const QString out = harness.folder.makeFolder("out");
    ASSERT_TRUE(harness.waitForOutputPreview());
    firstEncode = true;
    ASSERT_TRUE(harness.startInto(out));
    ASSERT_TRUE(waitUntil([&] { return encoderReached.tryAcquire(); }));

    ::kill(::getpid(), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return harness.window.mainScreen().vwProcessing().isStopping(); }));
    encoderGate.release();
    ASSERT_TRUE(waitUntil([&] { return quit.count() == 1; }));
    EXPECT_EQ(filesIn(out).size(), 1) << "the photo in hand is finished";
    ASSERT_TRUE(waitUntil(
        [&] { return RunHistory(harness.historyPath()).readRuns().runs.size() == 1; }));
    const RunHistory::RunsRead kept = RunHistory(harness.historyPath()).readRuns();
    EXPECT_EQ(kept.runs.first().summary.value("imagesConverted"), "1");
}

TEST(RunWindowGui, ClosingDuringAWriteAndAnsweringNoWritesAndCountsEachPhotoOnce)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("big", 24, 1600, 1200)}, 24));
    const QString out = harness.folder.makeFolder("out");
    ASSERT_TRUE(harness.startRunInto(out));
    ASSERT_TRUE(waitUntil(
        [&] { return harness.window.mainScreen().vwProcessing().totalProgressed() > 0; }));
    QTest::keyClick(&harness.window, Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(harness.waitForSheet("Stop processing"));
    harness.click("No");
    ASSERT_TRUE(harness.waitForRunToEnd());

    EXPECT_EQ(filesIn(out).size(), 24) << filesIn(out).join(' ').toStdString();
    EXPECT_EQ(harness.window.mainScreen().vwProcessing().processedSuccessfully(), 24);
    EXPECT_FALSE(harness.window.findChild<OverwriteSheet*>()->isVisible()) << "no question";
}

TEST(RunWindowGui, AnExistingOutputAfterAResumeIsAskedAboutAndKeepBothWritesANewName)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("big", 16, 1600, 1200)}, 16));
    const QString out = harness.folder.makeFolder("out");
    ASSERT_TRUE(harness.startRunInto(out));
    ASSERT_TRUE(harness.waitForRunToEnd());
    harness.click("Finish");

    ASSERT_TRUE(harness.startRunInto(out));
    QTest::keyClick(&harness.window, Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(harness.waitForSheet("Stop processing"));
    harness.click("No");
    auto* question = harness.window.findChild<OverwriteSheet*>();
    ASSERT_TRUE(waitUntil([&] { return question->isVisible(); }, 20000));

    const QString asked =
        QFileInfo(
            harness.window.mainScreen().vwProcessing().overwriteQuestion().filePathToOverwrite())
            .completeBaseName();
    auto* rename = question->findChild<QLineEdit*>();
    rename->setText("photo");
    rename->setCursorPosition(2);
    QTest::keyClicks(rename, "/x");
    EXPECT_EQ(rename->text(), "phxoto") << "a refused character leaves the caret in place";
    rename->selectAll();
    QTest::keyClicks(rename, "3");
    QTest::keyClick(rename, Qt::Key_Return);
    EXPECT_NE(labelShowing(*question, "* A file with this name already exists."), nullptr);
    harness.click("Keep both");
    ASSERT_TRUE(waitUntil([&] { return filesIn(out).contains(asked + " (1).jpg"); }));
    ASSERT_TRUE(waitUntil(
        [&] { return question->isVisible() || !harness.app.isProcessingInProgress(); }, 20000));
    if (question->isVisible())
        harness.click("Skip all");
    ASSERT_TRUE(harness.waitForRunToEnd());
    EXPECT_EQ(filesIn(out).filter(" (1).jpg").size(), filesIn(out).size() - 16)
        << "every other existing output was kept";
}

TEST(RunWindowGui, TheLogWindowStepsThroughRunsAlsoAfterTheProgramStartsAgain)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("a", 2)}, 2));
    ASSERT_TRUE(harness.startRunInto(harness.folder.makeFolder("first")));
    ASSERT_TRUE(harness.waitForRunToEnd());
    harness.click("Finish");
    harness.click("Remove all");
    ASSERT_TRUE(harness.waitForSheet("Remove all photos"));
    harness.click("Yes");
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("b", 3)}, 3));
    ASSERT_TRUE(harness.startRunInto(harness.folder.makeFolder("second")));
    ASSERT_TRUE(harness.waitForRunToEnd());
    harness.click("Show log");
    auto* window = harness.window.findChild<LogWindow*>();
    ASSERT_TRUE(waitUntil([&] {
        return window->isVisible() && visibleTable(*window) &&
               visibleTable(*window)->model()->rowCount() == 3;
    }));
    QTest::mouseClick(harness.button("Previous run"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return visibleTable(*window)->model()->rowCount() == 2; }));
    EXPECT_FALSE(harness.button("Previous run")->isEnabled());

    RunHistory restarted(harness.historyPath());
    EXPECT_EQ(restarted.readRuns().runs.size(), 2) << "a fresh history over the same file";
}

TEST(RunWindowGui, ADamagedHistoryIsKeptAsideAndANewOneHoldsTheRunWithAMessageSayingSo)
{
    MainWindowHarness harness;
    QDir().mkpath(QFileInfo(harness.historyPath()).path());
    harness.folder.writeFile("history/runs.sqlite", QByteArray(4096, 'x'));
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("c", 2)}, 2));
    const QString out = harness.folder.makeFolder("out");
    ASSERT_TRUE(harness.startRunInto(out));
    ASSERT_TRUE(harness.waitForRunToEnd());
    EXPECT_EQ(filesIn(out).size(), 2);

    QKeySequence runHistory(Qt::CTRL | Qt::Key_L);
    QTest::keySequence(&harness.window, runHistory);
    auto* window = harness.window.findChild<LogWindow*>();
    ASSERT_TRUE(waitUntil([&] {
        return window->isVisible() && visibleTable(*window)->model()->rowCount() == 2;
    }));
    const QStringList kept = QDir(harness.folder.filePath("history"))
                                 .entryList({"runs.sqlite.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(test::readBytes(harness.folder.filePath("history/" + kept.first())),
              QByteArray(4096, 'x'));
    const QString message = harness.window.mainScreen().logDetailView().message();
    EXPECT_TRUE(message.contains(kept.first())) << message.toStdString();
    EXPECT_NE(labelShowing(*window, message), nullptr);
}

TEST(RunWindowGui, AHistoryThatRefusesTheRunSaysSoRatherThanShowAnEarlierRunAsIt)
{
    MainWindowHarness harness;
    ASSERT_TRUE(harness.dropAndWait({harness.photoFolder("d", 2)}, 2));
    ASSERT_TRUE(harness.startRunInto(harness.folder.makeFolder("first")));
    ASSERT_TRUE(harness.waitForRunToEnd());
    harness.click("Finish");
    ASSERT_TRUE(waitUntil([&] { return RunHistory(harness.historyPath()).readRuns().runs.size() == 1; }));
    SqliteStore file;
    ASSERT_TRUE(file.open(harness.historyPath()));
    ASSERT_TRUE(file.execute("CREATE TRIGGER full BEFORE INSERT ON runs "
                             "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));

    ASSERT_TRUE(harness.startRunInto(harness.folder.makeFolder("second")));
    ASSERT_TRUE(harness.waitForRunToEnd());
    const QString refused = "The last run could not be kept in the run history. The runs listed "
                            "here are earlier ones.";
    ASSERT_TRUE(waitUntil(
        [&] { return harness.window.mainScreen().logDetailView().message() == refused; }));
    harness.click("Show log");
    auto* window = harness.window.findChild<LogWindow*>();
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
    EXPECT_NE(labelShowing(*window, refused), nullptr);
}

} // namespace
} // namespace fw
