#include "log/RunHistory.h"

#include "platform/SqliteStore.h"

#include <QLoggingCategory>
#include <QMetaObject>
#include <functional>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logHistory, "framewright.history", QtCriticalMsg)

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

// Every row of the query, or a failure when any cannot be read.
Outcome readRows(const QString& path, const QString& sql,
                 const std::function<void(SqliteStore&)>& bind,
                 const std::function<void(const SqliteStore&)>& takeRow)
{
    SqliteStore database;
    Outcome read = openWithSchema(database, path);
    if (read)
        read = database.prepare(sql);
    if (!read)
        return read;
    if (bind)
        bind(database);
    SqliteStore::Step step = database.step();
    for (; step == SqliteStore::Step::Row; step = database.step())
        takeRow(database);
    return step == SqliteStore::Step::Done ? Outcome::success()
                                           : Outcome::failure(database.lastError());
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
    QList<Run> found;
    const Outcome read = readRows(
        databasePath,
        QStringLiteral("SELECT id, %1 FROM runs ORDER BY id").arg(summaryKeys.join(',')), {},
        [&found](const SqliteStore& row) {
            Run run{row.columnInt64(0), {}};
            for (qsizetype key = 0; key < summaryKeys.size(); ++key)
                run.summary.insert(summaryKeys.at(key), row.columnText(static_cast<int>(key) + 1));
            found.append(run);
        });
    return noteRead(read) ? found : QList<Run>{};
}

QList<LogRecord> RunHistory::detailsOf(qint64 runId)
{
    QList<LogRecord> records;
    const Outcome read = readRows(
        databasePath,
        QStringLiteral("SELECT r.timeStamp, %1 FROM photos p JOIN runs r ON r.id = p.run "
                       "WHERE p.run = ? ORDER BY p.position")
            .arg("p." + detailKeys.join(",p.")),
        [runId](SqliteStore& query) { query.bindInt64(1, runId); },
        [&records](const SqliteStore& row) {
            LogRecord record{{"timeStamp", row.columnText(0)}};
            for (qsizetype key = 0; key < detailKeys.size(); ++key)
                record.insert(detailKeys.at(key), row.columnText(static_cast<int>(key) + 1));
            records.append(record);
        });
    // Part of a run's records under its summary would misstate the run.
    return noteRead(read) ? records : QList<LogRecord>{};
}

bool RunHistory::noteRead(const Outcome& read)
{
    if (read) {
        reason.clear();
        return true;
    }
    reason = read.message();
    qCWarning(logHistory) << "cannot read" << databasePath << ":" << reason;
    return false;
}

} // namespace fw
