#pragma once

#include "support/TemporaryFolder.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <string>

namespace fw::test {

// Builds small photo-library packages for the import tests and watches what
// reading them leaves behind. While a builder lives, the user's cache folder
// (where the import puts its database copies) is a folder of its own.
class LibraryBuilder {
public:
    LibraryBuilder();
    ~LibraryBuilder();
    LibraryBuilder(const LibraryBuilder&) = delete;
    LibraryBuilder& operator=(const LibraryBuilder&) = delete;

    const TemporaryFolder& folder() const { return temporary; }

    // How a database keeps its changes: a rollback journal; write-ahead log
    // mode with the log folded into the file on close; or with the changes
    // left in its "-wal" file, as in a library open in its application.
    enum class Journal { Rollback, WriteAhead, WriteAheadKept };

    // Runs SQL on a database file, creating it. Fails the test on an error.
    static void execute(const QString& databasePath, const QString& sql,
                        Journal journal = Journal::Rollback);
    // The tables and columns that the iPhoto/Aperture queries and the Photos
    // query read, and nothing more.
    static const char* apertureSchema();
    static const char* photosSchema();
    // An album list whose "Master Image List" gives each model id an
    // "ImagePath"; without "Archive Path" when archivePath is null.
    static void writeAlbumList(const QString& path, const QString& archivePath,
                               const QMap<QString, QString>& imagePaths);

    // Files in the cache folder, one a line: database copies not removed.
    std::string cacheFiles() const;
    // Every entry below folder with its size, modification time and content
    // hash, one a line (text, so a failing comparison shows the difference).
    static std::string snapshot(const QString& folder);
    // Copies a package into the builder's folder with writable files, so that a
    // read that wrongly writes could; returns the copy's path.
    QString copyPackage(const QString& source, const QString& destinationName) const;

private:
    TemporaryFolder temporary;
    QByteArray previousCacheHome;
    bool hadCacheHome;
};

} // namespace fw::test
