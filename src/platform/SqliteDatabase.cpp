#include "platform/SqliteDatabase.h"

#include "platform/FileContents.h"
#include "platform/PathInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <sqlite3.h>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSqlite, "framewright.sqlite", QtCriticalMsg)

// A library's application may hold a lock for a moment; longer than this, the
// read gives up rather than keep the adding walk waiting.
constexpr int busyTimeoutMilliseconds = 2000;
const QStringList companionSuffixes = {"-wal", "-shm"};

QString copyFolder()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return !cache.isEmpty() && QDir().mkpath(cache) ? cache : QDir::tempPath();
}

bool copyCompanion(const QString& source, const QString& destinationPath)
{
    QFile destination(destinationPath);
    return destination.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
           FileContents::copy(source, destination);
}

} // namespace

SqliteDatabase::~SqliteDatabase()
{
    close();
}

Outcome SqliteDatabase::openImmutable(const QString& path)
{
    return openImmutableFile(path, busyTimeoutMilliseconds);
}

Outcome SqliteDatabase::copyFrom(const QString& path)
{
    close();
    copy = std::make_unique<QTemporaryFile>(copyFolder() + "/Library_XXXXXX.db");
    bool copied = copy->open() && FileContents::copy(path, *copy);
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
    return openConnection(QFile::encodeName(copy->fileName()), SQLITE_OPEN_READONLY,
                          busyTimeoutMilliseconds, copy->fileName());
}

void SqliteDatabase::close()
{
    closeConnection();
    removeCopy();
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
