#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QTemporaryFile>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace fw {

// A read-only connection to a database that another program owns (a photo
// library's), with one statement at a time. Nothing is ever written or created
// beside that database: it is opened either immutable where it lies, or from a
// private copy in the user's cache folder that this object removes again, with
// the "-wal" and "-shm" files SQLite makes beside the copy, on close() or
// destruction. Failures come back as values with a diagnostic line.
// One object belongs to one thread at a time.
class SqliteDatabase {
public:
    enum class Step { Row, Done, Failed };

    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

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

    Outcome prepare(const QString& sql);
    // Binds an integer to the statement's parameter (counted from 1).
    void bindInt64(int index, qint64 value);
    // Moves to the next row of the prepared statement; a failure is logged.
    Step step();
    // Rewinds the statement to run it again with new bindings.
    void reset();
    // Column readers, valid only after step() gave Row. NULL reads as 0 or an
    // empty text.
    int columnInt(int column) const;
    qint64 columnInt64(int column) const;
    QString columnText(int column) const;
    bool columnIsNull(int column) const;
    void finalize();
    // Ends the connection and removes the copy, if any.
    void close();

private:
    Outcome open(const QByteArray& name, int flags, const QString& shownPath);
    void closeConnection();
    void removeCopy();

    sqlite3* connection = nullptr;
    sqlite3_stmt* statement = nullptr;
    std::unique_ptr<QTemporaryFile> copy;
};

} // namespace fw
