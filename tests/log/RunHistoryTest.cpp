#include "log/LogDetailView.h"
#include "log/RunHistory.h"
#include "platform/SqliteStore.h"
#include "support/SmallVolume.h"

#include "support/TemporaryFolder.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(RunHistory, KeepsTheLastFiftyRunsWithTheirRecordsNamedByRowId)
{
    test::TemporaryFolder folder;
    RunHistory history(folder.filePath("data/runs.sqlite"));
    for (int run = 1; run <= RunHistory::keptRuns + 2; ++run)
        history.addRun(
            {{"timeStamp", "12062026 07053 AM"}, {"imagesSelected", QString::number(run)}},
            QList<LogRecord>(run, {{"inputFilename", "/photos/a.jpg"}}));
    history.waitForStores();

    const RunHistory::RunsRead read = history.readRuns();
    const QList<RunHistory::Run>& runs = read.runs;
    ASSERT_EQ(runs.size(), RunHistory::keptRuns);
    EXPECT_EQ(runs.first().summary.value("imagesSelected"), "3") << "the oldest two are gone";
    EXPECT_EQ(runs.last().summary.value("imagesSelected"), "52");
    EXPECT_EQ(history.readDetails(runs.last().id).records.size(), 52);
    EXPECT_EQ(history.readDetails(runs.last().id).records.first().value("timeStamp"),
              "12062026 07053 AM");
    EXPECT_TRUE(history.readDetails(1).records.isEmpty()) << "a pruned run takes its records along";
    EXPECT_TRUE(read.unreadableReason.isEmpty());
}

TEST(RunHistory, AHistoryInAFolderThatCannotBeWrittenIsStillRead)
{
    test::TemporaryFolder folder;
    test::SmallVolume volume(folder.path(), "4m");
    if (!volume.isMounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    {
        RunHistory history(folder.filePath("runs.sqlite"));
        history.addRun({{"timeStamp", "12072026 1054 PM"}}, {{{"inputFilename", "/p/a.jpg"}}});
        history.waitForStores();
    }
    ASSERT_TRUE(volume.makeReadOnly());
    const RunHistory history(folder.filePath("runs.sqlite"));
    const RunHistory::RunsRead read = history.readRuns();
    ASSERT_EQ(read.runs.size(), 1) << read.unreadableReason.toStdString();
    EXPECT_EQ(history.readDetails(read.runs.first().id).records.size(), 1);
}

TEST(RunHistory, AnEarlierLayoutIsBroughtUpToDateAndADroppedRunsTableTakesItsRecords)
{
    test::TemporaryFolder folder;
    const QString path = folder.filePath("runs.sqlite");
    {
        SqliteStore earlier;
        ASSERT_TRUE(earlier.open(path));
        ASSERT_TRUE(earlier.execute(
            "CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, timeStamp TEXT, "
            "imagesSelected TEXT, imagesConverted TEXT, conversionFailed TEXT, oldSize TEXT, "
            "newSize TEXT, saveSpace TEXT, timeElapsed TEXT, totalOldSize TEXT);"
            "CREATE TABLE photos (run INTEGER NOT NULL, position INTEGER NOT NULL, "
            "inputFilename TEXT, outputFilename TEXT, information TEXT, oldSize TEXT, "
            "newSize TEXT, ratio TEXT, save TEXT);"
            "INSERT INTO runs (timeStamp, imagesSelected) VALUES ('12062026 07053 AM', '1');"
            "INSERT INTO photos (run, position, inputFilename) VALUES (1, 0, '/old/a.jpg');"));
    }
    RunHistory history(path);
    RunHistory::RunsRead read = history.readRuns();
    ASSERT_EQ(read.runs.size(), 1) << read.unreadableReason.toStdString();
    EXPECT_EQ(LogDetailView::readableStart(read.runs.first().summary), "12062026 07053 AM");
    const QDateTime started(QDate(2026, 12, 7), QTime(22, 54));
    history.addRun({{"timeStamp", "12072026 1054 PM"},
                    {"imagesSkipped", "2"},
                    {"startedAt", started.toString(Qt::ISODateWithMs)}},
                   {});
    history.waitForStores();
    read = history.readRuns();
    ASSERT_EQ(read.runs.size(), 2);
    EXPECT_EQ(read.runs.last().summary.value("imagesSkipped"), "2");
    EXPECT_EQ(LogDetailView::readableStart(read.runs.last().summary),
              QLocale().toString(started.date(), QLocale::LongFormat) + ", " +
                  QLocale().toString(started.time(), QLocale::ShortFormat));

    {
        SqliteStore file;
        ASSERT_TRUE(file.open(path));
        ASSERT_TRUE(file.execute("PRAGMA foreign_keys = OFF; DROP TABLE runs;"));
    }
    history.addRun({{"timeStamp", "12082026 900 AM"}}, {{{"inputFilename", "/new/b.jpg"}}});
    history.waitForStores();
    read = history.readRuns();
    ASSERT_EQ(read.runs.size(), 1);
    const QList<LogRecord> records = history.readDetails(read.runs.first().id).records;
    ASSERT_EQ(records.size(), 1) << "only the new run's own record";
    EXPECT_EQ(records.first().value("inputFilename"), "/new/b.jpg");
}

} // namespace
} // namespace fw
