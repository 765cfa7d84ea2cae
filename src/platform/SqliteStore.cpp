#include "platform/SqliteStore.h"

#include "platform/NativePath.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace fw {

namespace {
// Another launch of the program may be writing its run; wait for it a little.
constexpr int busyTimeoutMilliseconds = 3000;
} // namespace

SqliteStore::~SqliteStore()
{
    close();
}

Outcome SqliteStore::open(const QString& path)
{
    close();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return Outcome::failure(QStringLiteral("cannot make the folder of %1").arg(path));
    const int result = sqlite3_open_v2(NativePath::encode(path).constData(), &connection,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result != SQLITE_OK) {
        const QString message = connection ? lastError() : QString(sqlite3_errstr(result));
        close();
        return Outcome::failure(message);
    }
    sqlite3_busy_timeout(connection, busyTimeoutMilliseconds);
    return Outcome::success();
}

Outcome SqliteStore::execute(const QString& sql)
{
    if (connection == nullptr)
        return Outcome::failure("not open");
    char* error = nullptr;
    if (sqlite3_exec(connection, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return Outcome::success();
    const QString message = QString::fromUtf8(error ? error : "failed");
    sqlite3_free(error);
    return Outcome::failure(message);
}

Outcome SqliteStore::prepare(const QString& sql)
{
    finalize();
    if (connection == nullptr)
        return Outcome::failure("not open");
    if (sqlite3_prepare_v2(connection, sql.toUtf8().constData(), -1, &statement, nullptr) !=
        SQLITE_OK) {
        finalize();
        return Outcome::failure(lastError());
    }
    return Outcome::success();
}

void SqliteStore::bindText(int index, const QString& value)
{
    const QByteArray text = value.toUtf8();
    sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

void SqliteStore::bindInt64(int index, qint64 value)
{
    sqlite3_bind_int64(statement, index, value);
}

SqliteStore::Step SqliteStore::step()
{
    if (statement == nullptr)
        return Step::Failed;
    switch (sqlite3_step(statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Failed;
    }
}

void SqliteStore::reset()
{
    if (statement == nullptr)
        return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

QString SqliteStore::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

qint64 SqliteStore::columnInt64(int column) const
{
    return sqlite3_column_int64(statement, column);
}

void SqliteStore::finalize()
{
    sqlite3_finalize(statement);
    statement = nullptr;
}

qint64 SqliteStore::lastInsertRowId() const
{
    return connection ? sqlite3_last_insert_rowid(connection) : 0;
}

QString SqliteStore::lastError() const
{
    return connection ? QString::fromUtf8(sqlite3_errmsg(connection)) : QStringLiteral("not open");
}

void SqliteStore::close()
{
    finalize();
    sqlite3_close(connection);
    connection = nullptr;
}

} // namespace fw
