#include "platform/SqliteConnection.h"

#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <sqlite3.h>

namespace fw {

namespace {
Q_LOGGING_CATEGORY(logSqlite, "framewright.sqlite", QtCriticalMsg)
} // namespace

SqliteConnection::~SqliteConnection()
{
    closeConnection();
}

Outcome SqliteConnection::openConnection(const QByteArray& name, int flags,
                                         int busyTimeoutMilliseconds, const QString& shownPath)
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

namespace {

// SQLite reads "%HH" escapes in a URI file name, so every byte that could be
// taken for URI syntax ('?', '#', '%', spaces) is escaped.
QByteArray immutableUri(const QString& path)
{
    const QByteArray encoded =
        NativePath::encode(QFileInfo(path).absoluteFilePath()).toPercentEncoding("/");
    return "file:" + encoded + "?immutable=1";
}

} // namespace

// A pipe named like the database would block SQLite's open for good.
Outcome SqliteConnection::openImmutableFile(const QString& path, int busyTimeoutMilliseconds)
{
    if (!PathInfo::of(path).isFile())
        return Outcome::failure(QStringLiteral("%1 is not a regular file").arg(path));
    return openConnection(immutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                          busyTimeoutMilliseconds, path);
}

// The library stays initialised: sqlite3_shutdown() is not safe while another
// thread may hold a connection, and SQLite initialises itself on first use.
void SqliteConnection::closeConnection()
{
    finalize();
    sqlite3_close(connection);
    connection = nullptr;
}

Outcome SqliteConnection::prepare(const QString& sql)
{
    finalize();
    if (connection == nullptr)
        return Outcome::failure(QStringLiteral("database not open"));
    if (sqlite3_prepare_v2(connection, sql.toUtf8().constData(), -1, &statement, nullptr) ==
            SQLITE_OK &&
        statement != nullptr)
        return Outcome::success();
    const QString message = lastError();
    qCWarning(logSqlite) << "cannot prepare statement:" << message;
    finalize();
    return Outcome::failure(message);
}

void SqliteConnection::bindInt64(int index, qint64 value)
{
    sqlite3_bind_int64(statement, index, value);
}

void SqliteConnection::bindText(int index, const QString& value)
{
    const QByteArray text = value.toUtf8();
    sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

SqliteConnection::Step SqliteConnection::step()
{
    if (statement == nullptr)
        return Step::Failed;
    switch (sqlite3_step(statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        qCWarning(logSqlite) << "reading rows failed:" << lastError();
        return Step::Failed;
    }
}

void SqliteConnection::reset()
{
    if (statement == nullptr)
        return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

int SqliteConnection::columnInt(int column) const
{
    return sqlite3_column_int(statement, column);
}

qint64 SqliteConnection::columnInt64(int column) const
{
    return sqlite3_column_int64(statement, column);
}

QString SqliteConnection::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text == nullptr ? QString()
                           : QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

bool SqliteConnection::columnIsNull(int column) const
{
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

void SqliteConnection::finalize()
{
    sqlite3_finalize(statement);
    statement = nullptr;
}

bool SqliteConnection::lastErrorIsDamage() const
{
    if (connection == nullptr)
        return false;
    const int primary = sqlite3_extended_errcode(connection) & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

QString SqliteConnection::lastError() const
{
    return connection ? QString::fromUtf8(sqlite3_errmsg(connection))
                      : QStringLiteral("database not open");
}

} // namespace fw
