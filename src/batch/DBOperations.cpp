#include "batch/DBOperations.h"

#include "platform/PathInfo.h"
#include "platform/SqliteDatabase.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <functional>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logLibrary, "framewright.library", QtCriticalMsg)

// Every version not in the trash, of a master not in the trash, not part of a
// burst, and not in the first album (not in the trash) whose name matches %1.
const QString photosQuery = QStringLiteral(
    "select h1.* from (Select rk.fileSize as filSize, rv.modelId as modelId, rk.uuid as "
    "masteruuid, rv.uuid as mapuuid,rv.filename, rk.imagepath, rv.extendedDescription as "
    "description  from rkmaster rk, rkversion rv where rk.uuid = rv.masteruuid and "
    "rk.isintrash <> 1 and rv.isintrash <> 1 and rv.burstUuid is null{rowid}) h1  left join "
    "rkalbumversion rav on h1.modelid = rav.versionid and rav.albumid = (select modelId from "
    "rkalbum where name like '%1' and isintrash = 0 limit 1)  where rav.modelid is null");
// Always the empty text: "like ''" matches only an album whose name is the
// empty text, so in practice no version is left out for its album.
const QString excludedAlbumName;

const QString versionQuery = QStringLiteral(
    "SELECT modelId, uuid, masterUuid, projectUuid, name FROM %1 WHERE isInTrash = 0 AND "
    "showInLibrary= 1 AND versionNumber <> 0{rowid}");
const QString masterQuery =
    QStringLiteral("SELECT uuid, imagePath FROM %1 WHERE isInTrash = 0{rowid}");
const QString folderQuery = QStringLiteral("SELECT uuid, name FROM %1 WHERE 1{rowid}");

// A query that walks the rows of one table; "{rowid}" marks where a
// condition on that table's row id can narrow it to one row.
struct TableQuery {
    QString sql;
    QString table;
    // The table's row id as the query names it.
    QString rowId;
};

// Photos versions kept the database in different places: the first of these
// that exists is read, and a package with none of them is tried at the last.
const QStringList photosDatabaseLocations = {"database/apdb/Library.apdb", "database/Library.apdb",
                                             "database/apdb/photos.db"};
const QString photosDatabaseFallback = QStringLiteral("database/photos.db");

// Hands every row of the prepared statement to readRow. False when the rows
// cannot be read to the end.
bool stepThrough(SqliteDatabase& database, const std::function<void()>& readRow)
{
    for (;;) {
        switch (database.step()) {
        case SqliteDatabase::Step::Row:
            readRow();
            break;
        case SqliteDatabase::Step::Done:
            return true;
        case SqliteDatabase::Step::Failed:
            return false;
        }
    }
}

bool forEachRow(SqliteDatabase& database, const QString& sql, const std::function<void()>& readRow)
{
    return database.prepare(sql).ok() && stepThrough(database, readRow);
}

QList<qint64> rowIdsOf(SqliteDatabase& database, const QString& table)
{
    QList<qint64> rowIds;
    forEachRow(database, QStringLiteral("SELECT rowid FROM %1").arg(table),
               [&] { rowIds.append(database.columnInt64(0)); });
    return rowIds;
}

// Reads the query's rows one at a time: a row that cannot be read is left
// out, the others are kept.
void forEachReadableRow(SqliteDatabase& database, const TableQuery& query,
                        const std::function<void()>& readRow)
{
    const QList<qint64> rowIds = rowIdsOf(database, query.table);
    QString oneRow = query.sql;
    oneRow.replace(QStringLiteral("{rowid}"), QStringLiteral(" AND %1 = ?").arg(query.rowId));
    if (!database.prepare(oneRow))
        return;
    for (const qint64 rowId : rowIds) {
        database.reset();
        database.bindInt64(1, rowId);
        if (database.step() == SqliteDatabase::Step::Row)
            readRow();
    }
}

// Hands every row of the query to readRow. A damaged row stops a query, so
// the rows are then read again one by one (after restart() has dropped what
// was read), and only the damaged ones are lost. False when the query cannot
// run at all.
bool readRows(SqliteDatabase& database, const TableQuery& query,
              const std::function<void()>& readRow, const std::function<void()>& restart)
{
    QString whole = query.sql;
    whole.replace(QStringLiteral("{rowid}"), QString());
    if (!database.prepare(whole))
        return false;
    if (stepThrough(database, readRow))
        return true;
    qCWarning(logLibrary) << "a damaged row in" << query.table << "; reading its rows one by one";
    restart();
    forEachReadableRow(database, query, readRow);
    return true;
}

// Immutable reading needs no lock and writes nothing, but skips the write-ahead
// log; a database with committed content there is read from a copy that has it.
bool openLibraryDatabase(SqliteDatabase& database, const QString& dbPath)
{
    if (PathInfo::of(dbPath + "-wal").size() > 0)
        return database.copyFrom(dbPath).ok() && database.openCopy().ok();
    return database.openImmutable(dbPath).ok();
}

std::optional<QVariantMap> readPhotosRecord(const SqliteDatabase& database,
                                            const QString& packagePath)
{
    if (database.columnIsNull(5))
        return std::nullopt;
    return QVariantMap{
        {"fileSize", database.columnInt64(0)},
        {"modelId", database.columnText(1)},
        {"uuid", database.columnText(2)},
        {"uuidRKVersion", database.columnText(3)},
        {"originalFileName", database.columnText(4)},
        {"imagePath", QStringLiteral("%1/Masters/%2").arg(packagePath, database.columnText(5))},
        {"description", database.columnText(6)},
    };
}

QVariantMap readVersion(const SqliteDatabase& database)
{
    return {
        {"modelId", QString::number(database.columnInt(0))},
        {"uuid", database.columnText(1)},
        {"masterUuid", database.columnText(2)},
        {"projectUuid", database.columnText(3)},
        {"name", database.columnText(4)},
    };
}

bool hasEveryUuid(const QVariantMap& version)
{
    return !version.value("uuid").toString().isEmpty() &&
           !version.value("masterUuid").toString().isEmpty() &&
           !version.value("projectUuid").toString().isEmpty();
}

} // namespace

std::optional<QList<QVariantMap>> DBOperations::getPhotoslibraryPath(const QString& packagePath)
{
    return getImagesFromlibraryPath(packagePath);
}

std::optional<QList<QVariantMap>> DBOperations::getImagesFromlibraryPath(const QString& packagePath)
{
    // Photos may be writing the library while we read; a private copy with its
    // log files gives a consistent view without touching the package.
    SqliteDatabase database;
    if (const Outcome copied = database.copyFrom(getDataBasePathForPhotosLib(packagePath));
        !copied) {
        qCWarning(logLibrary, "Error in copy Data Base %s", qUtf8Printable(copied.message()));
        return std::nullopt;
    }
    QList<QVariantMap> records;
    const auto readRecord = [&] {
        if (const std::optional<QVariantMap> record = readPhotosRecord(database, packagePath))
            records.append(*record);
        else
            qCWarning(logLibrary, "Exception in getImagesFromlibraryPath: %s",
                      "a version without an image path");
    };
    const TableQuery query{photosQuery.arg(excludedAlbumName), "rkversion", "rv.rowid"};
    const bool read =
        database.openCopy().ok() && readRows(database, query, readRecord, [&] { records.clear(); });
    return read ? records : QList<QVariantMap>();
}

QString DBOperations::getDataBasePathForPhotosLib(const QString& packagePath)
{
    const auto found = std::find_if(photosDatabaseLocations.cbegin(),
                                    photosDatabaseLocations.cend(), [&](const QString& location) {
                                        return PathInfo::of(packagePath + '/' + location).exists();
                                    });
    const QString path =
        packagePath + '/' +
        (found != photosDatabaseLocations.cend() ? *found : photosDatabaseFallback);
    qCInfo(logLibrary, "DataBasepath == %s", qUtf8Printable(path));
    return path;
}

QList<QVariantMap> DBOperations::getAllVersionPhotos(const QString& dbPath,
                                                     const QString& tableName)
{
    SqliteDatabase database;
    QList<QVariantMap> versions;
    const auto readVersionRow = [&] {
        const QVariantMap version = readVersion(database);
        if (hasEveryUuid(version))
            versions.append(version);
    };
    const TableQuery query{versionQuery.arg(tableName), tableName, "rowid"};
    const bool read = openLibraryDatabase(database, dbPath) &&
                      readRows(database, query, readVersionRow, [&] { versions.clear(); });
    return read ? versions : QList<QVariantMap>();
}

void DBOperations::getAllMasterPhotos(const QString& dbPath, const QString& dbPrefix,
                                      const QString& tableName,
                                      QHash<QString, QVariantMap>& updateDict)
{
    SqliteDatabase database;
    QHash<QString, QVariantMap> masters;
    const auto readMaster = [&] {
        if (database.columnIsNull(0) || database.columnIsNull(1)) {
            qCWarning(logLibrary, "Exception in getAllMasterPhotos: %s",
                      "a master without uuid or image path");
            return;
        }
        masters.insert(database.columnText(0),
                       {{"OriginalPath", dbPrefix + '/' + database.columnText(1)}});
    };
    const TableQuery query{masterQuery.arg(tableName), tableName, "rowid"};
    if (openLibraryDatabase(database, dbPath) &&
        readRows(database, query, readMaster, [&] { masters.clear(); }))
        updateDict.insert(masters);
}

void DBOperations::getAllFolders(const QString& dbPath, const QString& tableName,
                                 QHash<QString, QVariantMap>& updateDict)
{
    SqliteDatabase database;
    QHash<QString, QVariantMap> folders;
    const auto readFolder = [&] {
        if (database.columnIsNull(0)) {
            qCWarning(logLibrary, "Exception in getAllFolders: %s", "a folder without uuid");
            return;
        }
        folders.insert(database.columnText(0),
                       {{"uuid", database.columnText(0)}, {"name", database.columnText(1)}});
    };
    const TableQuery query{folderQuery.arg(tableName), tableName, "rowid"};
    if (openLibraryDatabase(database, dbPath) &&
        readRows(database, query, readFolder, [&] { folders.clear(); }))
        updateDict.insert(folders);
}

} // namespace fw
