#include "platform/SqliteDatabase.h"

#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <sqlite3.h>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSqlite, "framewright.sqlite")

// A library's application may hold a lock for a moment; longer than this, the
// read gives up rather than keep the adding walk waiting.
constexpr int busyTimeoutMilliseconds = 2000;
constexpr qint64 copyChunkBytes = 1 << 20;
const QStringList companionSuffixes = {"-wal", "-shm"};

QString copyFolder()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return !cache.isEmpty() && QDir().mkpath(cache) ? cache : QDir::tempPath();
}

bool copyContents(const QString& source, QFile& destination)
{
    QFile input;
    if (!NativePath::openForReading(input, source))
        return false;
    for (QByteArray chunk = input.read(copyChunkBytes); !chunk.isEmpty();
         chunk = input.read(copyChunkBytes)) {
        if (destination.write(chunk) != chunk.size())
            return false;
    }
    return input.error() == QFileDevice::NoError && destination.flush();
}

bool copyCompanion(const QString& source, const QString& destinationPath)
{
    QFile destination(destinationPath);
    return destination.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
           copyContents(source, destination);
}

// SQLite reads "%HH" escapes in a URI file name, so every byte that could be
// taken for URI syntax ('?', '#', '%', spaces) is escaped.
QByteArray immutableUri(const QString& path)
{
    const QByteArray encoded =
        NativePath::encode(QFileInfo(path).absoluteFilePath()).toPercentEncoding("/");
    return "file:" + encoded + "?immutable=1";
}

} // namespace

SqliteDatabase::~SqliteDatabase()
{
    close();
}

Outcome SqliteDatabase::openImmutable(const QString& path)
{
    return open(immutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, path);
}

Outcome SqliteDatabase::copyFrom(const QString& path)
{
    close();
    copy = std::make_unique<QTemporaryFile>(copyFolder() + "/Library_XXXXXX.db");
    bool copied = copy->open() && copyContents(path, *copy);
    copy->close();
    for (const QString& suffix : companionSuffixes) {
        if (copied && PathInfo::of(path + suffix).exists())
            copied = copyCompanion(path + suffix, copy->fileName() + suffix);
    }
    if (copied)
        return Outcome::success();
    qCWarning(logSqlite) << "cannot copy database" << path;
    removeCopy();
    return Outcome::failure(QStringLiteral("cannot copy %1").arg(path));
}

Outcome SqliteDatabase::openCopy()
{
    if (!copy)
        return Outcome::failure(QStringLiteral("no copy to open"));
    return open(QFile::encodeName(copy->fileName()), SQLITE_OPEN_READONLY, copy->fileName());
}

Outcome SqliteDatabase::open(const QByteArray& name, int flags, const QString& shownPath)
{
    closeConnection();
    const int status = sqlite3_open_v2(name.constData(), &connection, flags, nullptr);
    if (status == SQLITE_OK) {
        sqlite3_busy_timeout(connection, busyTimeoutMilliseconds);
        return Outcome::success();
    }
    const QString message = QString::fromUtf8(sqlite3_errstr(status));
    qCWarning(logSqlite) << "cannot open database" << shownPath << message;
    closeConnection();
    return Outcome::failure(message);
}

Outcome SqliteDatabase::prepare(const QString& sql)
{
    finalize();
    if (connection == nullptr)
        return Outcome::failure(QStringLiteral("database not open"));
    if (sqlite3_prepare_v2(connection, sql.toUtf8().constData(), -1, &statement, nullptr) ==
            SQLITE_OK &&
        statement != nullptr)
        return Outcome::success();
    const QString message = QString::fromUtf8(sqlite3_errmsg(connection));
    qCWarning(logSqlite) << "cannot prepare statement:" << message;
    finalize();
    return Outcome::failure(message);
}

void SqliteDatabase::bindInt64(int index, qint64 value)
{
    sqlite3_bind_int64(statement, index, value);
}

void SqliteDatabase::reset()
{
    sqlite3_reset(statement);
}

SqliteDatabase::Step SqliteDatabase::step()
{
    if (statement == nullptr)
        return Step::Failed;
    switch (sqlite3_step(statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        qCWarning(logSqlite) << "reading rows failed:" << sqlite3_errmsg(connection);
        return Step::Failed;
    }
}

int SqliteDatabase::columnInt(int column) const
{
    return sqlite3_column_int(statement, column);
}

qint64 SqliteDatabase::columnInt64(int column) const
{
    return sqlite3_column_int64(statement, column);
}

QString SqliteDatabase::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text == nullptr ? QString()
                           : QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

bool SqliteDatabase::columnIsNull(int column) const
{
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

void SqliteDatabase::finalize()
{
    sqlite3_finalize(statement);
    statement = nullptr;
}

void SqliteDatabase::close()
{
    closeConnection();
    removeCopy();
}

// The library stays initialised: sqlite3_shutdown() is not safe while another
// thread may hold a connection, and SQLite initialises itself on first use.
void SqliteDatabase::closeConnection()
{
    finalize();
    sqlite3_close(connection);
    connection = nullptr;
}

void SqliteDatabase::removeCopy()
{
    if (copy && !copy->fileName().isEmpty()) {
        for (const QString& suffix : companionSuffixes)
            QFile::remove(copy->fileName() + suffix);
        copy->remove();
    }
    copy.reset();
}

} // namespace fw
