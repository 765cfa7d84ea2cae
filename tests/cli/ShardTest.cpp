#include "batch/BatchShard.h"
#include "support/CliProgram.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fw {
namespace {

using test::finish;
using test::Finished;
using test::runProgram;

constexpr int parts = 4;

// Source -> (what happened, output's file name) from a CSV run log.
QMap<QString, QStringList> outcomesIn(const QString& csvLog)
{
    QMap<QString, QStringList> outcomes;
    const QList<QByteArray> lines = test::readBytes(csvLog).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const QStringList fields = QString::fromUtf8(line.trimmed()).split(',');
        if (fields.size() == 9)
            outcomes.insert(fields.at(2), {fields.at(4), QFileInfo(fields.at(3)).fileName()});
    }
    return outcomes;
}

// Photos in two folders, two of them named alike: without --keep-folders
// both want one output name, and the folders are chosen so the two fall in
// different parts, which then race for it.
QStringList makePhotos(const test::TemporaryFolder& photos)
{
    QString other = "b";
    while (BatchShard::partOf("a/same.jpg", parts) ==
           BatchShard::partOf(other + "/same.jpg", parts))
        other += "b";
    photos.makeFolder("a");
    photos.makeFolder(other);
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("a/same.jpg"));
    QStringList all = {photos.filePath("a/same.jpg")};
    for (int index = 0; index < 30; ++index) {
        const QString name = QStringLiteral("%1/p%2.jpg").arg(index % 2 ? "a" : other).arg(index);
        ::link(QFile::encodeName(all.first()).constData(),
               QFile::encodeName(photos.filePath(name)).constData());
        all << photos.filePath(name);
    }
    ::link(QFile::encodeName(all.first()).constData(),
           QFile::encodeName(photos.filePath(other + "/same.jpg")).constData());
    return all << photos.filePath(other + "/same.jpg");
}

TEST(CliShards, PartsTakeEveryPhotoOnceAndTheirMergedLogIsTheWholeRunsLog)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder work;
    const QStringList all = makePhotos(photos);
    const QStringList common = {"--width", "32", "--quiet"};

    QSet<QString> listed;
    for (int part = 1; part <= parts; ++part) {
        const Finished dryRun =
            runProgram(common + QStringList{"--dry-run", "--shard",
                                            QStringLiteral("%1/%2").arg(part).arg(parts), "-o",
                                            work.filePath("out"), photos.path()});
        ASSERT_EQ(dryRun.exitCode, 0) << dryRun.err.toStdString();
        for (const QString& line : dryRun.out.split('\n', Qt::SkipEmptyParts))
            EXPECT_FALSE(listed.contains(line.section('\t', 0, 0)))
                << "listed twice: " << line.toStdString();
        for (const QString& line : dryRun.out.split('\n', Qt::SkipEmptyParts))
            listed << line.section('\t', 0, 0);
    }
    EXPECT_EQ(listed, QSet<QString>(all.cbegin(), all.cend()));

    QList<QProcess*> running;
    QStringList partLogs;
    for (int part = 1; part <= parts; ++part) {
        partLogs << work.filePath(QStringLiteral("part%1.csv").arg(part));
        running << new QProcess;
        running.last()->start(
            FRAMEWRIGHT_CLI_PATH,
            common + QStringList{"--shard", QStringLiteral("%1/%2").arg(part).arg(parts), "--log",
                                 partLogs.last(), "-o", work.filePath("shared"), photos.path()});
    }
    for (QProcess* program : std::as_const(running)) {
        EXPECT_EQ(finish(*program).exitCode, 0);
        delete program;
    }
    EXPECT_EQ(QDir(work.filePath("shared")).entryList(QDir::Files).size(), all.size())
        << "the two photos named alike both have an output";

    const Finished whole =
        runProgram(common + QStringList{"--log", work.filePath("whole.csv"), "-o",
                                        work.filePath("whole"), photos.path()});
    ASSERT_EQ(whole.exitCode, 0);
    const Finished merged =
        runProgram(QStringList{"merge-logs", work.filePath("merged.csv")} + partLogs);
    ASSERT_EQ(merged.exitCode, 0) << merged.err.toStdString();
    EXPECT_TRUE(merged.out.contains(QStringLiteral("Photos converted: %1").arg(all.size())))
        << merged.out.toStdString();
    const QMap<QString, QStringList> mergedOutcomes = outcomesIn(work.filePath("merged.csv"));
    const QMap<QString, QStringList> wholeOutcomes = outcomesIn(work.filePath("whole.csv"));
    EXPECT_EQ(mergedOutcomes.size(), all.size());
    EXPECT_EQ(mergedOutcomes.keys(), wholeOutcomes.keys());
    for (auto outcome = wholeOutcomes.cbegin(); outcome != wholeOutcomes.cend(); ++outcome)
        EXPECT_EQ(mergedOutcomes.value(outcome.key()).first(), outcome.value().first());
}

// A part that holds no photo is no failure: a scheduler would retry it. A
// file that cannot be read is the failure of the one part it falls in; the
// others never read it.
TEST(CliShards, APartWithoutPhotosEndsWellAndSaysSo)
{
    test::TemporaryFolder photos;
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("only.jpg"));
    QString broken = "broken.jpg";
    while (BatchShard::partOf(broken, 3) == BatchShard::partOf("only.jpg", 3))
        broken.prepend('x');
    photos.writeFile(broken, "not a picture");
    int listing = 0;
    int reportingBroken = 0;
    for (int part = 1; part <= 3; ++part) {
        const Finished dryRun =
            runProgram({"--dry-run", "--shard", QStringLiteral("%1/3").arg(part), "-o",
                        photos.filePath("out"), photos.path()});
        const bool holdsBroken = BatchShard::partOf(broken, 3) == part;
        EXPECT_EQ(dryRun.exitCode, holdsBroken ? 1 : 0) << dryRun.err.toStdString();
        reportingBroken += dryRun.err.contains(broken) ? 1 : 0;
        if (dryRun.out.contains("only.jpg"))
            ++listing;
        else
            EXPECT_TRUE(
                dryRun.err.contains(QStringLiteral("part %1 of 3 holds none of the %2 files found")
                                        .arg(part)
                                        .arg(holdsBroken ? 1 : 2)))
                << dryRun.err.toStdString();
    }
    EXPECT_EQ(listing, 1);
    EXPECT_EQ(reportingBroken, 1);

    // Every part leaves its log, rows or none, so the merge finds them all.
    QStringList logs;
    for (int part = 1; part <= 3; ++part) {
        logs << photos.filePath(QStringLiteral("part%1.csv").arg(part));
        ASSERT_EQ(
            runProgram({"--quiet", "--shard", QStringLiteral("%1/3").arg(part), "--log",
                        logs.last(), "-o", photos.filePath("out"), photos.filePath("only.jpg")})
                .exitCode,
            0);
    }
    const Finished merged =
        runProgram(QStringList{"merge-logs", photos.filePath("all.csv")} + logs);
    EXPECT_EQ(merged.exitCode, 0) << merged.err.toStdString();
    EXPECT_TRUE(merged.out.contains("Photos converted: 1")) << merged.out.toStdString();
}

TEST(CliShards, DamagedOrOverlappingLogsAreNamedAndNothingIsMerged)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder work;
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("a.jpg"));
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("b, \"quoted\".jpg"));
    const QString csv = work.filePath("run.csv");
    const QString json = work.filePath("run.json");
    for (const QString& log : {csv, json})
        ASSERT_EQ(runProgram({"--quiet", "--log", log, "-o", work.filePath("out"), photos.path()})
                      .exitCode,
                  0);
    const QString out = work.filePath("merged.json");

    const Finished overlapping = runProgram({"merge-logs", out, csv, json});
    EXPECT_EQ(overlapping.exitCode, 1);
    EXPECT_TRUE(
        overlapping.err.contains(photos.filePath("a.jpg") + ": in " + csv + " and in " + json))
        << overlapping.err.toStdString();

    const QByteArray whole = test::readBytes(csv);
    const QString cut = work.writeFile("cut.csv", whole.left(whole.size() - 5));
    const Finished damaged = runProgram({"merge-logs", out, cut});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(cut + ": it ends in the middle of a row"))
        << damaged.err.toStdString();
    const QString other = work.writeFile("other.json", "{\"rows\": []}");
    EXPECT_TRUE(
        runProgram({"merge-logs", out, other}).err.contains(other + ": not a list of rows"));
    EXPECT_FALSE(QFile::exists(out));

    const Finished alone = runProgram({"merge-logs", out, csv});
    EXPECT_EQ(alone.exitCode, 0) << alone.err.toStdString();
    QStringList sources;
    for (const QJsonValue row : QJsonDocument::fromJson(test::readBytes(out)).array())
        sources << row.toObject().value("inputFilename").toString();
    EXPECT_EQ(sources,
              QStringList({photos.filePath("a.jpg"), photos.filePath("b, \"quoted\".jpg")}));
}

// The merged summary counts as a single run's does: a photo skipped because
// its output existed, as the user asked, is no failure.
TEST(CliShards, APhotoSkippedAsAskedIsNoFailureInTheMergedSummary)
{
    test::TemporaryFolder photos;
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("a.jpg"));
    const QStringList run = {"--quiet", "-o", photos.filePath("out"), photos.filePath("a.jpg")};
    ASSERT_EQ(runProgram(run).exitCode, 0);
    const QString log = photos.filePath("again.csv");
    ASSERT_EQ(runProgram(QStringList{"--on-conflict", "skip", "--log", log} + run).exitCode, 0);

    const Finished merged = runProgram({"merge-logs", photos.filePath("merged.csv"), log});
    EXPECT_EQ(merged.exitCode, 0) << merged.err.toStdString();
    EXPECT_TRUE(merged.out.contains("Summary (logs merged: 1)")) << merged.out.toStdString();
    EXPECT_TRUE(merged.out.contains("Photos not converted: 0")) << merged.out.toStdString();
    EXPECT_TRUE(merged.out.contains("Photos skipped: 1")) << merged.out.toStdString();
}

TEST(CliShards, ThePartOfAPhotoDependsOnlyOnItsPathBelowTheGivenFolder)
{
    const BatchShard here(1, parts, {"/srv/photos"});
    const BatchShard there(1, parts, {"/mnt/nas/archive/photos/"});
    EXPECT_EQ(here.relativePath("/srv/photos/2024/IMG_0001.jpg"), "2024/IMG_0001.jpg");
    EXPECT_EQ(there.relativePath("/mnt/nas/archive/photos/2024/IMG_0001.jpg"), "2024/IMG_0001.jpg");
    EXPECT_EQ(here.relativePath("/elsewhere/given-alone.jpg"), "given-alone.jpg");
    // Machines running different versions must split alike.
    EXPECT_EQ(BatchShard::partOf("2024/IMG_0001.jpg", parts), 3);
    QMap<int, int> photosInPart;
    for (int index = 0; index < 4000; ++index)
        ++photosInPart[BatchShard::partOf(QStringLiteral("IMG_%1.jpg").arg(index), parts)];
    for (int part = 1; part <= parts; ++part)
        EXPECT_NEAR(photosInPart.value(part), 1000, 100);
}

} // namespace
} // namespace fw
