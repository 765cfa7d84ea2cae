#pragma once

#include "platform/SqliteConnection.h"

#include <QTemporaryFile>
#include <memory>

namespace fw {

// A read-only connection to a database that another program owns (a photo
// library's), with one statement at a time. Nothing is ever written or created
// beside that database: it is opened either immutable where it lies, or from a
// private copy in the user's cache folder that this object removes again, with
// the "-wal" and "-shm" files SQLite makes beside the copy, on close() or
// destruction. Failures come back as values with a diagnostic line.
class SqliteDatabase : public SqliteConnection {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();

    // Opens the file where it lies without locking or journal files. Only for a
    // database whose committed content is all in the main file: the write-ahead
    // log is not read.
    Outcome openImmutable(const QString& path);
    // Copies the database and, when present, its "-wal" and "-shm" companions
    // (so content committed to the log is seen) to a unique file that this
    // object owns. Closes what was open before.
    Outcome copyFrom(const QString& path);
    // Opens the copy taken by copyFrom(), read-only.
    Outcome openCopy();
    // Ends the connection and removes the copy, if any.
    void close();

private:
    void removeCopy();

    std::unique_ptr<QTemporaryFile> copy;
};

} // namespace fw
