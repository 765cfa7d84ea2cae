#include "log/RunHistory.h"

#include "platform/SqliteStore.h"

#include <QLoggingCategory>
#include <QMetaObject>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logHistory, "framewright.history")

const QStringList summaryKeys = {"timeStamp",        "imagesSelected", "imagesConverted",
                                 "conversionFailed", "oldSize",        "newSize",
                                 "saveSpace",        "timeElapsed",    "totalOldSize"};
const QStringList detailKeys = {"inputFilename", "outputFilename", "information", "oldSize",
                                "newSize",       "ratio",          "save"};

// Write-ahead logging lets the log window read while a large run is being
// stored, instead of waiting for the writer or taking the wait for damage.
const char* const schema = R"(
    PRAGMA journal_mode = WAL;
    PRAGMA foreign_keys = ON;
    CREATE TABLE IF NOT EXISTS runs (
        id INTEGER PRIMARY KEY AUTOINCREMENT, timeStamp TEXT, imagesSelected TEXT,
        imagesConverted TEXT, conversionFailed TEXT, oldSize TEXT, newSize TEXT,
        saveSpace TEXT, timeElapsed TEXT, totalOldSize TEXT);
    CREATE TABLE IF NOT EXISTS photos (
        run INTEGER NOT NULL REFERENCES runs(id) ON DELETE CASCADE, position INTEGER NOT NULL,
        inputFilename TEXT, outputFilename TEXT, information TEXT, oldSize TEXT, newSize TEXT,
        ratio TEXT, save TEXT);
    CREATE INDEX IF NOT EXISTS photosOfRun ON photos(run, position);
)";

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype index = 0; index < count; ++index)
        marks.append("?");
    return marks.join(',');
}

Outcome openWithSchema(SqliteStore& database, const QString& path)
{
    if (Outcome opened = database.open(path); !opened)
        return opened;
    return database.execute(schema);
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

} // namespace

RunHistory::RunHistory(QString databasePath, QObject* parent)
    : QObject(parent), databasePath(std::move(databasePath))
{
    storing.setMaxThreadCount(1);
}

RunHistory::~RunHistory()
{
    waitForStores();
}

void RunHistory::waitForStores()
{
    storing.waitForDone();
}

void RunHistory::addRun(const LogRecord& summary, const QList<LogRecord>& details)
{
    storing.start([this, summary, details] {
        const qint64 runId = store(summary, details);
        QMetaObject::invokeMethod(
            this,
            [this, runId] {
                if (runId > 0)
                    Q_EMIT runStored(runId);
                else
                    Q_EMIT runNotStored();
            },
            Qt::QueuedConnection);
    });
}

// On the store's thread: all or nothing, so a run is never half kept.
qint64 RunHistory::store(const LogRecord& summary, const QList<LogRecord>& details) const
{
    SqliteStore database;
    qint64 runId = 0;
    Outcome stored = openWithSchema(database, databasePath);
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

QList<RunHistory::Run> RunHistory::runs()
{
    SqliteStore database;
    QList<Run> found;
    Outcome read = openWithSchema(database, databasePath);
    if (read)
        read = database.prepare(
            QStringLiteral("SELECT id, %1 FROM runs ORDER BY id").arg(summaryKeys.join(',')));
    SqliteStore::Step step = SqliteStore::Step::Failed;
    while (read && (step = database.step()) == SqliteStore::Step::Row) {
        Run run{database.columnInt64(0), {}};
        for (qsizetype key = 0; key < summaryKeys.size(); ++key)
            run.summary.insert(summaryKeys.at(key), database.columnText(static_cast<int>(key) + 1));
        found.append(run);
    }
    if (!read || step == SqliteStore::Step::Failed) {
        reason = read ? database.lastError() : read.message();
        qCWarning(logHistory) << "cannot read" << databasePath << ":" << reason;
        return {};
    }
    reason.clear();
    return found;
}

QList<LogRecord> RunHistory::detailsOf(qint64 runId)
{
    SqliteStore database;
    QList<LogRecord> records;
    Outcome read = openWithSchema(database, databasePath);
    if (read)
        read = database.prepare(
            QStringLiteral("SELECT r.timeStamp, %1 FROM photos p JOIN runs r ON r.id = p.run "
                           "WHERE p.run = ? ORDER BY p.position")
                .arg("p." + detailKeys.join(",p.")));
    if (read)
        database.bindInt64(1, runId);
    SqliteStore::Step step = SqliteStore::Step::Failed;
    while (read && (step = database.step()) == SqliteStore::Step::Row) {
        LogRecord record{{"timeStamp", database.columnText(0)}};
        for (qsizetype key = 0; key < detailKeys.size(); ++key)
            record.insert(detailKeys.at(key), database.columnText(static_cast<int>(key) + 1));
        records.append(record);
    }
    // Part of a run's records under its summary would misstate the run.
    if (!read || step == SqliteStore::Step::Failed) {
        reason = read ? database.lastError() : read.message();
        qCWarning(logHistory) << "cannot read" << databasePath << ":" << reason;
        return {};
    }
    reason.clear();
    return records;
}

} // namespace fw
