#include "log/HistoryDatabase.h"

#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "platform/SqliteStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace fw {

namespace {

// The present layout. A history kept by an earlier version gains the
// columns it lacks; a table missing altogether is made whole.
const char* const tables = R"(
    CREATE TABLE IF NOT EXISTS runs (
        id INTEGER PRIMARY KEY AUTOINCREMENT, timeStamp TEXT, imagesSelected TEXT,
        imagesConverted TEXT, conversionFailed TEXT, oldSize TEXT, newSize TEXT,
        saveSpace TEXT, timeElapsed TEXT, totalOldSize TEXT, imagesSkipped TEXT,
        startedAt TEXT);
    CREATE TABLE IF NOT EXISTS photos (
        run INTEGER NOT NULL REFERENCES runs(id) ON DELETE CASCADE, position INTEGER NOT NULL,
        inputFilename TEXT, outputFilename TEXT, information TEXT, oldSize TEXT, newSize TEXT,
        ratio TEXT, save TEXT);
    CREATE INDEX IF NOT EXISTS photosOfRun ON photos(run, position);
)";

constexpr int currentVersion = 1;
const char* const columnsSinceVersionZero = R"(
    ALTER TABLE runs ADD COLUMN imagesSkipped TEXT;
    ALTER TABLE runs ADD COLUMN startedAt TEXT;
)";

std::optional<qint64> singleNumber(SqliteStore& database, const QString& sql)
{
    if (!database.prepare(sql) || database.step() != SqliteStore::Step::Row)
        return std::nullopt;
    const qint64 number = database.columnInt64(0);
    database.finalize();
    return number;
}

struct Layout {
    qint64 version = 0;
    bool hasRuns = false;
    bool hasPhotos = false;

    bool isCurrent() const { return version >= currentVersion && hasRuns && hasPhotos; }
};

std::optional<Layout> layoutOf(SqliteStore& database)
{
    const auto hasTable = [&database](const char* name) {
        return singleNumber(database, QStringLiteral("SELECT count(*) FROM sqlite_master "
                                                     "WHERE type = 'table' AND name = '%1'")
                                          .arg(QLatin1String(name)));
    };
    const std::optional<qint64> version = singleNumber(database, "PRAGMA user_version");
    const std::optional<qint64> runs = hasTable("runs");
    const std::optional<qint64> photos = hasTable("photos");
    if (!version || !runs || !photos)
        return std::nullopt;
    return Layout{*version, *runs > 0, *photos > 0};
}

// Photo records with no runs table above them belong to runs that are gone;
// left in place, a new run with a reused id would show them as its own.
Outcome bringUpToDate(SqliteStore& database, const Layout& layout)
{
    Outcome done = Outcome::success();
    if (layout.hasRuns && layout.version < 1)
        done = database.execute(columnsSinceVersionZero);
    if (done)
        done = database.execute(tables);
    if (done && !layout.hasRuns && layout.hasPhotos)
        done = database.execute("DELETE FROM photos");
    if (done)
        done = database.execute(QStringLiteral("PRAGMA user_version = %1").arg(currentVersion));
    return done;
}

// Read-only checks first: a history already in shape is opened without
// taking the write lock, so the window never waits for another launch's
// store just to read.
Outcome prepare(SqliteStore& database)
{
    if (Outcome pragmas = database.execute("PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON;");
        !pragmas)
        return pragmas;
    std::optional<Layout> layout = layoutOf(database);
    if (!layout)
        return Outcome::failure(database.lastError());
    if (layout->isCurrent())
        return Outcome::success();
    Outcome prepared = database.execute("BEGIN IMMEDIATE");
    if (prepared) {
        layout = layoutOf(database);
        prepared = layout ? bringUpToDate(database, *layout)
                          : Outcome::failure(database.lastError());
    }
    if (prepared)
        return database.execute("COMMIT");
    database.finalize();
    database.execute("ROLLBACK");
    return prepared;
}

// The file and its write-ahead log go together, so the kept file reads as
// it was.
QString moveAside(const QString& path)
{
    const QString kept =
        path + QDateTime::currentDateTime().toString(QStringLiteral("'.damaged-'yyyyMMdd-HHmmss"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (PathInfo::of(path + suffix).exists() &&
            !QFile::rename(path + suffix, kept + suffix) && suffix.isEmpty())
            return {};
    }
    return kept;
}

} // namespace

HistoryDatabase::Opened HistoryDatabase::openForReading(SqliteStore& database,
                                                       const QString& path)
{
    Opened opened = open(database, path);
    const auto writable = [](const QString& name) {
        return ::access(NativePath::encode(name).constData(), W_OK) == 0;
    };
    if (opened.outcome || !opened.movedAsideTo.isEmpty() || !PathInfo::of(path).isFile() ||
        (writable(path) && writable(QFileInfo(path).path())))
        return opened;
    database.close();
    return {database.openReadOnly(path), {}};
}

HistoryDatabase::Opened HistoryDatabase::open(SqliteStore& database, const QString& path)
{
    if (Outcome opened = database.open(path); !opened)
        return {opened, {}};
    Outcome prepared = prepare(database);
    if (prepared || !database.lastErrorIsDamage())
        return {prepared, {}};
    database.close();
    const QString kept = moveAside(path);
    if (kept.isEmpty())
        return {prepared, {}};
    if (Outcome reopened = database.open(path); !reopened)
        return {reopened, kept};
    return {prepare(database), kept};
}

} // namespace fw
