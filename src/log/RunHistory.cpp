#include "log/RunHistory.h"

#include "log/HistoryDatabase.h"
#include "platform/SqliteStore.h"

#include <QLoggingCategory>
#include <QMetaObject>
#include <QMutexLocker>
#include <functional>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logHistory, "framewright.history", QtCriticalMsg)

const QStringList summaryKeys = {"timeStamp",     "imagesSelected", "imagesConverted",
                                 "conversionFailed", "imagesSkipped", "oldSize",
                                 "newSize",       "saveSpace",      "timeElapsed",
                                 "totalOldSize",  "startedAt"};
const QStringList detailKeys = {"inputFilename", "outputFilename", "information", "oldSize",
                                "newSize",       "ratio",          "save"};

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype index = 0; index < count; ++index)
        marks.append("?");
    return marks.join(',');
}

Outcome insertRows(SqliteStore& database, qint64 runId, const QList<LogRecord>& details)
{
    if (Outcome prepared = database.prepare(
            QStringLiteral("INSERT INTO photos (run, position, %1) VALUES (?, ?, %2)")
                .arg(detailKeys.join(','), placeholders(detailKeys.size())));
        !prepared)
        return prepared;
    for (qsizetype position = 0; position < details.size(); ++position) {
        database.bindInt64(1, runId);
        database.bindInt64(2, position);
        for (qsizetype key = 0; key < detailKeys.size(); ++key)
            database.bindText(static_cast<int>(key) + 3,
                              details.at(position).value(detailKeys.at(key)));
        if (database.step() != SqliteStore::Step::Done)
            return Outcome::failure(database.lastError());
        database.reset();
    }
    return Outcome::success();
}

Outcome insertRun(SqliteStore& database, const LogRecord& summary, const QList<LogRecord>& details,
                  qint64& runId)
{
    if (Outcome prepared =
            database.prepare(QStringLiteral("INSERT INTO runs (%1) VALUES (%2)")
                                 .arg(summaryKeys.join(','), placeholders(summaryKeys.size())));
        !prepared)
        return prepared;
    for (qsizetype key = 0; key < summaryKeys.size(); ++key)
        database.bindText(static_cast<int>(key) + 1, summary.value(summaryKeys.at(key)));
    if (database.step() != SqliteStore::Step::Done)
        return Outcome::failure(database.lastError());
    runId = database.lastInsertRowId();
    if (Outcome inserted = insertRows(database, runId, details); !inserted)
        return inserted;
    database.finalize();
    return database.execute(QStringLiteral("DELETE FROM runs WHERE id NOT IN "
                                           "(SELECT id FROM runs ORDER BY id DESC LIMIT %1)")
                                .arg(RunHistory::keptRuns));
}

// Every row of the query, or a failure when any cannot be read.
Outcome readRows(SqliteStore& database, const QString& sql,
                 const std::function<void(SqliteStore&)>& bind,
                 const std::function<void(const SqliteStore&)>& takeRow)
{
    if (Outcome prepared = database.prepare(sql); !prepared)
        return prepared;
    if (bind)
        bind(database);
    SqliteStore::Step step = database.step();
    for (; step == SqliteStore::Step::Row; step = database.step())
        takeRow(database);
    return step == SqliteStore::Step::Done ? Outcome::success()
                                           : Outcome::failure(database.lastError());
}

QString reasonOf(const Outcome& read, const QString& path)
{
    if (read)
        return {};
    qCWarning(logHistory) << "cannot read" << path << ":" << read.message();
    return read.message();
}

} // namespace

RunHistory::RunHistory(QString databasePath, QObject* parent)
    : QObject(parent), databasePath(std::move(databasePath))
{
    worker.setMaxThreadCount(1);
}

RunHistory::~RunHistory()
{
    waitForStores();
}

void RunHistory::waitForStores()
{
    worker.waitForDone();
}

// The answer is emitted on the main thread, unless the history has gone.
template <typename Deliver> void RunHistory::deliver(Deliver emitOnMainThread)
{
    QMetaObject::invokeMethod(this, std::move(emitOnMainThread), Qt::QueuedConnection);
}

void RunHistory::addRun(const LogRecord& summary, const QList<LogRecord>& details)
{
    worker.start([this, summary, details] {
        const qint64 runId = store(summary, details);
        deliver([this, runId] {
            if (runId > 0)
                Q_EMIT runStored(runId);
            else
                Q_EMIT runNotStored();
        });
    });
}

void RunHistory::requestRuns()
{
    worker.start([this] {
        const RunsRead read = readRuns();
        deliver([this, read] { Q_EMIT runsRead(read); });
    });
}

void RunHistory::requestDetails(qint64 runId)
{
    worker.start([this, runId] {
        const DetailsRead read = readDetails(runId);
        deliver([this, read] { Q_EMIT detailsRead(read); });
    });
}

QString RunHistory::movedAside() const
{
    const QMutexLocker lock(&movedAsideMutex);
    return movedAsideTo;
}

Outcome RunHistory::open(SqliteStore& database, Purpose purpose) const
{
    const HistoryDatabase::Opened opened =
        purpose == Purpose::Reading ? HistoryDatabase::openForReading(database, databasePath)
                                    : HistoryDatabase::open(database, databasePath);
    if (!opened.movedAsideTo.isEmpty()) {
        const QMutexLocker lock(&movedAsideMutex);
        movedAsideTo = opened.movedAsideTo;
    }
    return opened.outcome;
}

// On the history's thread: all or nothing, so a run is never half kept.
qint64 RunHistory::store(const LogRecord& summary, const QList<LogRecord>& details) const
{
    SqliteStore database;
    qint64 runId = 0;
    Outcome stored = open(database, Purpose::Storing);
    if (stored)
        stored = database.execute("BEGIN IMMEDIATE");
    if (stored)
        stored = insertRun(database, summary, details, runId);
    if (stored)
        stored = database.execute("COMMIT");
    if (!stored) {
        database.finalize();
        database.execute("ROLLBACK");
        qCWarning(logHistory) << "the run was not kept in" << databasePath << ":"
                              << stored.message();
        return 0;
    }
    return runId;
}

RunHistory::RunsRead RunHistory::readRuns() const
{
    SqliteStore database;
    RunsRead read;
    Outcome outcome = open(database, Purpose::Reading);
    if (outcome)
        outcome = readRows(
            database,
            QStringLiteral("SELECT id, %1 FROM runs ORDER BY id").arg(summaryKeys.join(',')), {},
            [&read](const SqliteStore& row) {
                Run run{row.columnInt64(0), {}};
                for (qsizetype key = 0; key < summaryKeys.size(); ++key)
                    run.summary.insert(summaryKeys.at(key),
                                       row.columnText(static_cast<int>(key) + 1));
                read.runs.append(run);
            });
    read.unreadableReason = reasonOf(outcome, databasePath);
    if (!outcome)
        read.runs.clear();
    read.movedAsideTo = movedAside();
    return read;
}

// Part of a run's records under its summary would misstate the run, so a
// read that fails midway gives none.
RunHistory::DetailsRead RunHistory::readDetails(qint64 runId) const
{
    SqliteStore database;
    DetailsRead read{runId, {}, {}};
    Outcome outcome = open(database, Purpose::Reading);
    if (outcome)
        outcome = readRows(
            database,
            QStringLiteral("SELECT r.timeStamp, %1 FROM photos p JOIN runs r ON r.id = p.run "
                           "WHERE p.run = ? ORDER BY p.position")
                .arg("p." + detailKeys.join(",p.")),
            [runId](SqliteStore& query) { query.bindInt64(1, runId); },
            [&read](const SqliteStore& row) {
                LogRecord record{{"timeStamp", row.columnText(0)}};
                for (qsizetype key = 0; key < detailKeys.size(); ++key)
                    record.insert(detailKeys.at(key), row.columnText(static_cast<int>(key) + 1));
                read.records.append(record);
            });
    read.unreadableReason = reasonOf(outcome, databasePath);
    if (!outcome)
        read.records.clear();
    return read;
}

} // namespace fw
