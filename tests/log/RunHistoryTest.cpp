#include "log/RunHistory.h"

#include "support/TemporaryFolder.h"

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

    const QList<RunHistory::Run> runs = history.runs();
    ASSERT_EQ(runs.size(), RunHistory::keptRuns);
    EXPECT_EQ(runs.first().summary.value("imagesSelected"), "3") << "the oldest two are gone";
    EXPECT_EQ(runs.last().summary.value("imagesSelected"), "52");
    EXPECT_EQ(history.detailsOf(runs.last().id).size(), 52);
    EXPECT_EQ(history.detailsOf(runs.last().id).first().value("timeStamp"), "12062026 07053 AM");
    EXPECT_TRUE(history.detailsOf(1).isEmpty()) << "a pruned run takes its records along";
    EXPECT_TRUE(history.unreadableReason().isEmpty());
}

} // namespace
} // namespace fw
