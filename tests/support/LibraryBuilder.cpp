#include "support/LibraryBuilder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace fw::test {

namespace {

constexpr char cacheVariable[] = "XDG_CACHE_HOME";
constexpr auto everyEntry = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

QStringList entriesBelow(const QString& folder, QDir::Filters filters)
{
    QStringList entries;
    QDirIterator iterator(folder, filters, QDirIterator::Subdirectories);
    while (iterator.hasNext())
        entries.append(QDir(folder).relativeFilePath(iterator.next()));
    entries.sort();
    return entries;
}

QString describe(const QString& folder, const QString& relativePath)
{
    const QFileInfo info(folder + '/' + relativePath);
    if (info.isDir())
        return relativePath + '/';
    const QByteArray hash =
        QCryptographicHash::hash(readBytes(info.filePath()), QCryptographicHash::Sha1);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(relativePath)
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(QString::fromLatin1(hash.toHex()));
}

QString plistText(const QString& text)
{
    return "<string>" + text.toHtmlEscaped() + "</string>";
}

} // namespace

LibraryBuilder::LibraryBuilder()
    : previousCacheHome(qgetenv(cacheVariable)),
      hadCacheHome(qEnvironmentVariableIsSet(cacheVariable))
{
    qputenv(cacheVariable, QFile::encodeName(temporary.makeFolder("cache")));
}

LibraryBuilder::~LibraryBuilder()
{
    if (hadCacheHome)
        qputenv(cacheVariable, previousCacheHome);
    else
        qunsetenv(cacheVariable);
}

void LibraryBuilder::execute(const QString& databasePath, const QString& sql, Journal journal)
{
    QDir().mkpath(QFileInfo(databasePath).absolutePath());
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(databasePath).constData(), &database), SQLITE_OK);
    if (journal != Journal::Rollback)
        sqlite3_exec(database, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (journal == Journal::WriteAheadKept)
        sqlite3_db_config(database, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    char* error = nullptr;
    sqlite3_exec(database, sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(error, nullptr) << error << " in " << qPrintable(sql);
    sqlite3_free(error);
    sqlite3_close(database);
}

const char* LibraryBuilder::apertureSchema()
{
    return "CREATE TABLE RKVersion (modelId INTEGER PRIMARY KEY, uuid VARCHAR, masterUuid VARCHAR,"
           " projectUuid VARCHAR, name VARCHAR, isInTrash INTEGER, showInLibrary INTEGER,"
           " versionNumber INTEGER);"
           "CREATE TABLE RKMaster (modelId INTEGER PRIMARY KEY, uuid VARCHAR, imagePath VARCHAR,"
           " isInTrash INTEGER);"
           "CREATE TABLE RKFolder (modelId INTEGER PRIMARY KEY, uuid VARCHAR, name VARCHAR);";
}

const char* LibraryBuilder::photosSchema()
{
    return "CREATE TABLE RKMaster (modelId INTEGER PRIMARY KEY, uuid VARCHAR, fileSize INTEGER,"
           " imagePath VARCHAR, isInTrash INTEGER);"
           "CREATE TABLE RKVersion (modelId INTEGER PRIMARY KEY, uuid VARCHAR, masterUuid VARCHAR,"
           " fileName VARCHAR, extendedDescription VARCHAR, isInTrash INTEGER,"
           " burstUuid VARCHAR);"
           "CREATE TABLE RKAlbum (modelId INTEGER PRIMARY KEY, name VARCHAR, isInTrash INTEGER);"
           "CREATE TABLE RKAlbumVersion (modelId INTEGER PRIMARY KEY, versionId INTEGER,"
           " albumId INTEGER);";
}

void LibraryBuilder::writeAlbumList(const QString& path, const QString& archivePath,
                                    const QMap<QString, QString>& imagePaths)
{
    QString text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                   "<key>Application Version</key><string>9.4</string>";
    if (!archivePath.isNull())
        text += "<key>Archive Path</key>" + plistText(archivePath);
    // Real lists hold albums as arrays of dictionaries of arrays; the reader
    // must get through them to the image list.
    text += "<key>List of Albums</key><array><dict><key>AlbumName</key><string>Photos</string>"
            "<key>KeyList</key><array>";
    for (const QString& modelId : imagePaths.keys())
        text += "<string>" + modelId + "</string>";
    text += "</array></dict></array><key>Master Image List</key><dict>";
    for (auto entry = imagePaths.cbegin(); entry != imagePaths.cend(); ++entry)
        text += "<key>" + entry.key() + "</key><dict><key>ImagePath</key>" +
                plistText(entry.value()) + "</dict>";
    text += "</dict></dict></plist>\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

std::string LibraryBuilder::cacheFiles() const
{
    return entriesBelow(temporary.filePath("cache"), QDir::Files | QDir::Hidden | QDir::System)
        .join('\n')
        .toStdString();
}

std::string LibraryBuilder::snapshot(const QString& folder)
{
    QStringList described;
    for (const QString& entry : entriesBelow(folder, everyEntry))
        described.append(describe(folder, entry));
    return described.join('\n').toStdString();
}

QString LibraryBuilder::copyPackage(const QString& source, const QString& destinationName) const
{
    const QString destination = temporary.makeFolder(destinationName);
    for (const QString& entry : entriesBelow(source, everyEntry)) {
        const QString from = source + '/' + entry;
        const QString to = destination + '/' + entry;
        if (QFileInfo(from).isDir()) {
            QDir().mkpath(to);
        } else {
            EXPECT_TRUE(QFile::copy(from, to)) << qPrintable(from);
            QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
    return destination;
}

} // namespace fw::test
