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

Outcome SqliteStore::open(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return Outcome::failure(QStringLiteral("cannot make the folder of %1").arg(path));
    return openConnection(NativePath::encode(path), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                          busyTimeoutMilliseconds, path);
}

Outcome SqliteStore::openReadOnly(const QString& path)
{
    return openImmutableFile(path, busyTimeoutMilliseconds);
}

Outcome SqliteStore::execute(const QString& sql)
{
    if (connection == nullptr)
        return Outcome::failure(lastError());
    char* error = nullptr;
    if (sqlite3_exec(connection, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return Outcome::success();
    const QString message = QString::fromUtf8(error ? error : "failed");
    sqlite3_free(error);
    return Outcome::failure(message);
}

qint64 SqliteStore::lastInsertRowId() const
{
    return connection ? sqlite3_last_insert_rowid(connection) : 0;
}

} // namespace fw
